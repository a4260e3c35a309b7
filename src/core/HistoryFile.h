#pragma once

#include <QString>
#include <QStringList>

#include "History.h"

// "Quillet.log": eight GBK lines ending CR LF. Reading accepts CR or CR LF as a line end (a lone LF
// stays in the text), the last line may lack its end, and only the first eight lines count.
namespace HistoryFile {

inline const QString FileName = QStringLiteral("Quillet.log");

// A line longer than this many bytes is cut there. Reading stops after eight lines of at most this
// length and their line ends, so a huge file or one without line ends never stalls the start, and
// every file Save writes (a line read back never grows when written again) reads back whole.
inline constexpr qint64 ReadLimit = 64 * 1024;

// The program directory joined with "Quillet.log", doubled separators collapsed.
QString PathIn(const QString& directory);

struct LoadResult {
    bool exists = false; // false: no ordinary file there; nothing to load and nothing to report
    QStringList lines;   // at most eight, in file order
    QString error;       // why the file exists but could not be read
    // False when the lines do not hold the file whole: bytes that are no GBK, more than eight
    // lines, a line cut at ReadLimit. Replacing such a file loses what was left out.
    bool carriedWhole = true;
};

// Invalid bytes become replacement characters; a file that cannot be read reports why. Reasons
// are said in Chinese when they are common (no permission, disk full, read-only file system, not
// found, a folder in the way), in the system's words otherwise.
LoadResult Load(const QString& path);

// Replaces the file atomically with the eight slots; on failure returns the reason, as for Load,
// and leaves the previous file as it was. An empty string means success.
QString Save(const QString& path, const History::Slots& texts);

// The exact bytes Save writes: GBK, every line ending CR LF.
QByteArray Encode(const History::Slots& texts);
// The lines Load takes from the bytes read, each cut to ReadLimit bytes; `whole`, when given, is
// set to whether they hold the bytes whole (as for LoadResult::carriedWhole).
QStringList Decode(const QByteArray& bytes, bool* whole = nullptr);

// The place KeepOldFile keeps a file's bytes: beside it, one generation.
QString KeptCopyPath(const QString& path);
// Copies the file's bytes to KeptCopyPath, replacing an older copy; the reason on failure. A file
// no longer there needs no copy.
QString KeepOldFile(const QString& path);

} // namespace HistoryFile
