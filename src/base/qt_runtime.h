// The application's runtime: Qt timers and the Qt event loop.
#pragma once

#include <QElapsedTimer>
#include <QObject>
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

 private:
  QElapsedTimer clock_;
  QObject context_;
  std::map<EventId, QTimer*> timers_;
  EventId nextId_ = 1;
};

}  // namespace ventari
