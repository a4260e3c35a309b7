#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <optional>

// What tests need from the system beyond Qt; false or nothing where it has no such thing.
namespace SystemSeam {

// As the super-user, act as "nobody" (or, given false, as itself again), so permissions apply.
bool ActAsOrdinaryUser(bool ordinary = true);
// Writes beyond this many bytes fail, as on a full disk; a negative count lifts the limit.
bool LimitFileSize(qint64 bytes);
bool MakePipe(const QString& path);
// Runs `work` in a child process, forever, and kills it after `delay`; whether it died by the kill.
std::optional<bool> KillWhileRunning(const std::function<void()>& work, std::chrono::microseconds delay);

} // namespace SystemSeam
