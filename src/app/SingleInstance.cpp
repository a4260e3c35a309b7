#include "SingleInstance.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList SingleInstance::LockPaths() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString name = QStringLiteral("Quillet.lock");
    return {QDir(runtime).filePath(name), QDir(data).filePath(name)};
}

SingleInstance::Outcome SingleInstance::Acquire() {
    // Every copy tries the places in the same order and stops at the first usable one, so two
    // copies always meet at the same lock.
    for (const QString& path : LockPaths()) {
        QDir().mkpath(QFileInfo(path).path());
        auto lock = std::make_unique<QLockFile>(path);
        // Never stale by age: a copy may run for weeks. A dead holder is still detected by its PID.
        lock->setStaleLockTime(0);
        switch (TryLock(*lock, path)) {
        case Attempt::Taken:
            m_lock = std::move(lock);
            return Outcome::Alone;
        case Attempt::Held:
            return Outcome::Refused;
        case Attempt::Unusable:
            break;
        }
    }
    return Outcome::Unguarded;
}

SingleInstance::Attempt SingleInstance::TryLock(QLockFile& lock, const QString& path) {
    if (lock.tryLock(0))
        return Attempt::Taken;
    if (lock.error() != QLockFile::LockFailedError || !QFileInfo(path).isFile())
        return Attempt::Unusable;
    if (JustCreated(lock, path))
        return Attempt::Held;
    // The process number a lock names proves nothing: a new process may have been given the number
    // of a copy that crashed. The system's own lock on the file does, as the system releases it when
    // its holder ends; while a live copy holds it, removal fails.
    if (!lock.removeStaleLockFile())
        return Attempt::Held;
    if (lock.tryLock(0))
        return Attempt::Taken;
    return lock.error() == QLockFile::LockFailedError ? Attempt::Held : Attempt::Unusable;
}

bool SingleInstance::JustCreated(const QLockFile& lock, const QString& path) {
    qint64 pid = 0;
    QString hostname;
    QString application;
    if (lock.getLockInfo(&pid, &hostname, &application))
        return false;
    // A copy starting now creates its lock and writes into it a moment later.
    const QDateTime written = QFileInfo(path).lastModified();
    return qAbs(written.msecsTo(QDateTime::currentDateTime())) <= BrokenAfterMs;
}
