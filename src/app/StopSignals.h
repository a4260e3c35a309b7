#pragma once

// A request to end the program from outside (the session ending, `kill`, Ctrl+C or a closed
// terminal) ends it at once: an open box is closed, the windows close as the user would close them
// (what is not yet in the history file is written on the way out) and the event loops end, also
// during start-up. Signals the program was started with ignored (`nohup`) stay ignored. Call once,
// after the QApplication exists.
void EndOnStopRequests();

// True once such a request has come: nobody may be there to answer a box any more.
bool StopRequested();
