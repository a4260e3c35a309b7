#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

QString SingleInstance::LockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("Quillet.lock"));
}

SingleInstance::SingleInstance() : m_lock(std::make_unique<QLockFile>(LockPath()))
{
    // Never stale by age: a copy may run for weeks. A dead holder is still detected by its PID.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::Acquire()
{
    if (m_lock->tryLock(0))
        return true;
    // tryLock already removes a lock whose holder is gone; a lock that cannot even be created
    // (unwritable directory) should not keep the user from their program.
    return m_lock->error() != QLockFile::LockFailedError;
}
