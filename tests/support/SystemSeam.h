#pragma once

#include <QProcess>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

// What the tests need from the operating system beyond Qt: acting as another user, limits, pipes
// and killed processes. Each answers false or nothing where the system has no such thing, and the
// case then skips.
namespace SystemSeam {

bool RunningAsAdministrator();
// As the super-user, act as "nobody" until ActAsSelf(), so permissions apply.
bool ActAsOrdinaryUser();
bool ActAsSelf();
// Writes beyond this many bytes fail, as on a full disk; nothing limits again after LiftFileSizeLimit().
bool LimitFileSize(qint64 bytes);
void LiftFileSizeLimit();
bool MakePipe(const QString& path);
// Ends the process after `seconds` unless cancelled with 0: a hang fails the test instead.
void EndAfter(unsigned seconds);
// Runs `work` in a child process, forever, and kills it after `delay`; whether it died by the kill.
// The process started later ends with this one, even when this one crashes.
void EndWithThisProcess(QProcess& process);
std::optional<bool> KillWhileRunning(const std::function<void()>& work, std::chrono::microseconds delay);

} // namespace SystemSeam
