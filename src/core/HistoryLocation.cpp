#include "HistoryLocation.h"

#include "HistoryFile.h"

#include <QDir>
#include <QFileInfo>
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

// Compared as the file system resolves them: through links, and without case where it has none.
bool SameFolder(const QString& one, const QString& other) {
    return !one.isEmpty() && !other.isEmpty() && QFileInfo::exists(other) &&
           QFileInfo(one) == QFileInfo(other);
}

} // namespace

namespace HistoryLocation {

HistoryPlaces Choose(const QString& programDir, const QString& installBinDir, const QString& dataDir) {
    const bool installed = SameFolder(programDir, installBinDir);
    const QString beside = HistoryFile::PathIn(programDir);
    if (!installed && CanCreateFilesIn(programDir))
        return {beside, beside};
    QDir().mkpath(dataDir);
    const QString inData = HistoryFile::PathIn(dataDir);
    if (!installed && !programDir.isEmpty() && !QFileInfo::exists(inData) && QFileInfo(beside).isFile())
        return {beside, inData};
    return {inData, inData};
}

} // namespace HistoryLocation
