#include "SingleInstance.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString SingleInstance::LockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("Quillet.lock"));
}

SingleInstance::SingleInstance() : m_lock(std::make_unique<QLockFile>(LockPath())) {
    // Never stale by age: a copy may run for weeks. A dead holder is still detected by its PID.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::Acquire() {
    if (m_lock->tryLock(0))
        return true;
    // tryLock already removes a lock whose holder is gone; a lock that cannot even be created
    // (unwritable directory) should not keep the user from their program.
    if (m_lock->error() != QLockFile::LockFailedError)
        return true;
    if (!LeftBroken())
        return false;
    // Removal fails while a live process still holds the file locked, and for anything but a file.
    if (m_lock->removeStaleLockFile())
        return m_lock->tryLock(0) || m_lock->error() != QLockFile::LockFailedError;
    return !QFileInfo(LockPath()).isFile();
}

bool SingleInstance::LeftBroken() const {
    qint64 pid = 0;
    QString hostname;
    QString application;
    if (m_lock->getLockInfo(&pid, &hostname, &application))
        return false;
    // A copy starting now creates its lock and writes into it a moment later; a lock that has
    // named no holder for longer was left empty or damaged (a crash, a power cut), or is not a file.
    const QDateTime written = QFileInfo(LockPath()).lastModified();
    return qAbs(written.msecsTo(QDateTime::currentDateTime())) > BrokenAfterMs;
}
