#pragma once

#include <QLockFile>

#include <memory>

// One running copy per user: a lock file in the user's runtime directory, held while the program
// runs. The lock of a copy that crashed or was killed is recognised as stale and taken over.
class SingleInstance {
public:
    SingleInstance();
    // False when another copy holds the lock.
    bool Acquire();
    static QString LockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
};
