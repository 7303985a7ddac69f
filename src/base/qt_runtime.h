// The application's runtime: Qt timers and the Qt event loop.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <exception>
#include <functional>
#include <map>

#include "base/runtime.h"

class QTimer;

namespace ventari {

class QtRuntime : public Runtime {
 public:
  QtRuntime();
  ~QtRuntime() override;

  std::int64_t NowMs() const override { return clock_.elapsed(); }
  void ProcessEvents() override;
  EventId Schedule(std::int64_t delayMs, std::function<void()> callback) override;
  void Cancel(EventId id) override;

  // Where an error escaping a scheduled callback goes: it never reaches Qt's event loop.
  // Default: the log.
  void SetErrorHandler(std::function<void(const std::exception& error)> handler) {
    errorHandler_ = std::move(handler);
  }

 private:
  void RunGuarded(const std::function<void()>& callback);
  void ReportError(const std::exception& error);

  QElapsedTimer clock_;
  QObject context_;
  std::map<EventId, QTimer*> timers_;
  EventId nextId_ = 1;
  std::function<void(const std::exception& error)> errorHandler_;
};

}  // namespace ventari
