#include "HistoryLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// Permission bits alone can lie (root, ACLs, read-only mounts), so a probe file settles it.
bool CanCreateFilesIn(const QString& directory) {
    const QFileInfo info(directory);
    if (directory.isEmpty() || !info.isDir() || !info.isWritable())
        return false;
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral(".Quillet-probe-XXXXXX")));
    return probe.open(); // removed again when probe goes out of scope
}

} // namespace

namespace HistoryLocation {

QString Directory(const QString& programDir) {
    if (CanCreateFilesIn(programDir))
        return programDir;
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(appData);
    return appData;
}

} // namespace HistoryLocation
