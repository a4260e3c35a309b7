#pragma once

// The program's entry procedure: refuses a second copy, otherwise shows the main window and runs
// until it is closed. Returns the process exit status.
int StartProgram(int argc, char** argv);
