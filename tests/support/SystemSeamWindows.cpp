#include "SystemSeam.h"

// Windows has no set-user-ID switch, file size limit, named pipe in the file system or fork();
// the cases needing them skip.
namespace SystemSeam {

bool RunningAsAdministrator() {
    return false;
}

// A folder's read-only flag does not stop new files in it, and Wine run by root ignores the
// folder's Unix permissions: no folder can be made unwritable here.
bool ActAsOrdinaryUser() {
    return false;
}

bool ActAsSelf() {
    return true;
}

bool LimitFileSize(qint64) {
    return false;
}

void LiftFileSizeLimit() {}

bool MakePipe(const QString&) {
    return false;
}

void EndAfter(unsigned) {}

void EndWithThisProcess(QProcess&) {}

std::optional<bool> KillWhileRunning(const std::function<void()>&, std::chrono::microseconds) {
    return std::nullopt;
}

} // namespace SystemSeam
