#pragma once

#include <QLockFile>
#include <QStringList>

#include <memory>

// One running copy per user: a lock file held while the program runs, in the user's runtime
// folder, or in the user's data folder when none can be created there (a folder in its place, no
// permission). The lock of a copy that crashed or was killed is taken over, even when a new process
// has been given its process number, and so is one left empty or damaged, which names no copy.
class SingleInstance {
public:
    enum class Outcome {
        Alone,     // this copy holds the lock
        Refused,   // another copy holds it
        Unguarded, // no lock can be created anywhere: another copy could run unseen
    };

    Outcome Acquire();
    // The places tried, in this order.
    static QStringList LockPaths();

private:
    enum class Attempt { Taken, Held, Unusable };
    static Attempt TryLock(QLockFile& lock, const QString& path);
    // How long a copy may take between creating its lock and writing its name into it.
    static constexpr qint64 BrokenAfterMs = 2000;
    // True when the lock names no holder yet and was written a moment ago.
    static bool JustCreated(const QLockFile& lock, const QString& path);

    std::unique_ptr<QLockFile> m_lock;
};
