// The application's runtime: Qt timers and the Qt event loop. Each scheduled event is one timer of
// one receiving object, so an event costs no object of its own and nothing posted to delete it.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <exception>
#include <functional>
#include <map>

#include "base/runtime.h"

class QTimerEvent;

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
  // Receives the timers of the scheduled events.
  class Timers : public QObject {
   public:
    explicit Timers(QtRuntime& runtime) : runtime_(runtime) {}

   protected:
    void timerEvent(QTimerEvent* event) override;

   private:
    QtRuntime& runtime_;
  };
  struct Pending {
    int timerId;
    std::function<void()> callback;
  };

  void Fire(int timerId);
  void RunGuarded(const std::function<void()>& callback);
  void ReportError(const std::exception& error);

  QElapsedTimer clock_;
  std::map<EventId, Pending> pending_;
  std::map<int, EventId> byTimer_;
  EventId nextId_ = 1;
  // Last: its timers stop before the events they serve go.
  Timers timers_{*this};
  std::function<void(const std::exception& error)> errorHandler_;
};

}  // namespace ventari
