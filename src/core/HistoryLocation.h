#pragma once

#include <QString>

// Where "Quillet.log" lives: beside the program when the user may write there, as on a portable
// install; otherwise (a system-wide install) in the user's own application data directory.
namespace HistoryLocation {

// programDir itself when a file can really be created in it, else the per-user application data
// directory, which is created when missing.
QString Directory(const QString& programDir);

} // namespace HistoryLocation
