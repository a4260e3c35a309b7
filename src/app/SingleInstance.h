#pragma once

#include <QLockFile>

#include <memory>

// One running copy per user: a lock file in the user's runtime directory, held while the program
// runs. The lock of a copy that crashed or was killed is recognised as stale and taken over, and
// so is one left empty or damaged, which names no copy at all.
class SingleInstance {
public:
    SingleInstance();
    // False when another copy holds the lock.
    bool Acquire();
    static QString LockPath();

private:
    // How long a copy may take between creating its lock and writing its name into it.
    static constexpr qint64 BrokenAfterMs = 2000;
    // True when the lock names no holder and has not been written for a while.
    bool LeftBroken() const;

    std::unique_ptr<QLockFile> m_lock;
};
