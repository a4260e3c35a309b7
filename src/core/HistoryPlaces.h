#pragma once

#include <QString>

// Where the history is read from at start and written to at close. They differ only when the
// program's folder holds a history that cannot be written there any more: it is read from there
// until the first save puts it in the user's data folder.
struct HistoryPlaces {
    QString readPath;
    QString writePath;
};
