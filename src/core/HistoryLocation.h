#pragma once

#include "HistoryPlaces.h"

#include <QString>

// Where "Quillet.log" is read and written:
// - a program run from the folder it was installed to keeps its history in the user's data
//   folder, whoever the user is (root included), never in the shared program folder;
// - a copy carried to a folder of its own keeps its history beside itself, whenever a file can
//   be created there;
// - a copy whose folder takes no new files (a read-only medium, a folder the user may not write)
//   writes to the data folder, but reads the history beside it until the data folder has one.
namespace HistoryLocation {

// The data folder is created when the history is to be written there.
HistoryPlaces Choose(const QString& programDir, const QString& installBinDir, const QString& dataDir);

} // namespace HistoryLocation
