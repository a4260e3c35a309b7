#include "SystemSeam.h"

// None of these here (Wine run by root ignores permissions): those cases skip.
namespace SystemSeam {

bool ActAsOrdinaryUser(bool ordinary) {
    return !ordinary;
}
bool LimitFileSize(qint64) {
    return false;
}
bool MakePipe(const QString&) {
    return false;
}
std::optional<bool> KillWhileRunning(const std::function<void()>&, std::chrono::microseconds) {
    return std::nullopt;
}

} // namespace SystemSeam
