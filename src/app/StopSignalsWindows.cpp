#include "StopSignals.h"

// Windows asks a program's windows to close when the session ends, and Qt passes that on.
void CloseWindowsOnStopSignals() {}
