// A one-shot or periodic timer on a Runtime, with the fired flag the system's waits poll.
#pragma once

#include <functional>

#include "base/runtime.h"

namespace ventari {

class Timer {
 public:
  explicit Timer(Runtime& runtime, int intervalMs = 1000, bool periodic = false);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Intervals shorter than one timer tick last one tick, as on the platform's timers.
  void SetInterval(int ms);
  int Interval() const { return intervalMs_; }

  // (Re)starts from now with the current interval.
  void Start();
  void Stop();
  bool IsActive() const { return pending_ != 0; }

  // Called on every expiry, after `fired` is set (and, for a one-shot timer, after it stopped).
  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }

  bool fired = false;

 private:
  void Expire();

  Runtime& runtime_;
  int intervalMs_;
  bool periodic_;
  Runtime::EventId pending_ = 0;
  std::function<void()> handler_;
};

}  // namespace ventari
