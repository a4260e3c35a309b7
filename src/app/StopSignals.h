#pragma once

// A request to end the program from outside (the session ending, `kill`, Ctrl+C or a closed
// terminal) closes its windows as the user would, so the history is saved on the way out. Call
// once, after the QApplication exists.
void CloseWindowsOnStopSignals();
