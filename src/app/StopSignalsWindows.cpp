#include "StopSignals.h"

#include <QGuiApplication>

namespace {
bool requested = false;
}

// Windows asks a program's windows to close when the session ends, and Qt passes that on; it asks
// for the data to be saved first, and from then on no box may wait for an answer.
void EndOnStopRequests() {
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp, [] { requested = true; });
}

bool StopRequested() {
    return requested;
}
