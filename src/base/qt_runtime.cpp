#include "base/qt_runtime.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimerEvent>
#include <algorithm>
#include <chrono>

#include "base/errors.h"

namespace ventari {

QtRuntime::QtRuntime() { clock_.start(); }

QtRuntime::~QtRuntime() = default;

void QtRuntime::RunGuarded(const std::function<void()>& callback) {
  try {
    callback();
  } catch (const std::exception& e) {
    ReportError(e);
  } catch (...) {
    ReportError(ProgramError("an error of an unknown kind"));
  }
}

void QtRuntime::ReportError(const std::exception& error) {
  if (!errorHandler_) {
    qWarning("Unexpected error: %s", error.what());
    return;
  }
  try {
    errorHandler_(error);
  } catch (...) {
    qWarning("Unexpected error while reporting: %s", error.what());
  }
}

void QtRuntime::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

Runtime::EventId QtRuntime::Schedule(std::int64_t delayMs, std::function<void()> callback) {
  const EventId id = nextId_++;
  const int timerId = timers_.startTimer(
      std::chrono::milliseconds(std::max<std::int64_t>(0, delayMs)), Qt::PreciseTimer);
  if (timerId == 0) throw ProgramError("a timer could not be started");
  pending_.emplace(id, Pending{timerId, std::move(callback)});
  byTimer_.emplace(timerId, id);
  return id;
}

void QtRuntime::Cancel(EventId id) {
  auto found = pending_.find(id);
  if (found == pending_.end()) return;
  timers_.killTimer(found->second.timerId);
  byTimer_.erase(found->second.timerId);
  pending_.erase(found);
}

void QtRuntime::Fire(int timerId) {
  auto timer = byTimer_.find(timerId);
  if (timer == byTimer_.end()) return;
  auto found = pending_.find(timer->second);
  byTimer_.erase(timer);
  timers_.killTimer(timerId);
  if (found == pending_.end()) return;
  const std::function<void()> callback = std::move(found->second.callback);
  pending_.erase(found);
  RunGuarded(callback);
}

void QtRuntime::Timers::timerEvent(QTimerEvent* event) { runtime_.Fire(event->timerId()); }

}  // namespace ventari
