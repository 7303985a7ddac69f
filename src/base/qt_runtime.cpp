#include "base/qt_runtime.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "base/errors.h"

namespace ventari {

QtRuntime::QtRuntime() { clock_.start(); }

QtRuntime::~QtRuntime() {
  for (auto& [id, timer] : timers_) delete timer;
}

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
  auto* timer = new QTimer(&context_);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer, &QTimer::timeout, &context_, [this, id, cb = std::move(callback)] {
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    found->second->deleteLater();
    timers_.erase(found);
    RunGuarded(cb);
  });
  timers_.emplace(id, timer);
  timer->start(static_cast<int>(delayMs > 0 ? delayMs : 0));
  return id;
}

void QtRuntime::Cancel(EventId id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  found->second->stop();
  found->second->deleteLater();
  timers_.erase(found);
}

}  // namespace ventari
