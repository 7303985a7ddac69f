#include "base/timer.h"

#include <algorithm>

namespace ventari {

Timer::Timer(Runtime& runtime, int intervalMs, bool periodic)
    : runtime_(runtime), intervalMs_(std::max(intervalMs, kTimerTickMs)), periodic_(periodic) {}

Timer::~Timer() { Stop(); }

void Timer::SetInterval(int ms) { intervalMs_ = std::max(ms, kTimerTickMs); }

void Timer::Start() {
  Stop();
  pending_ = runtime_.Schedule(intervalMs_, [this] { Expire(); });
}

void Timer::Stop() {
  if (pending_ != 0) runtime_.Cancel(pending_);
  pending_ = 0;
}

void Timer::Expire() {
  pending_ = 0;
  if (periodic_) pending_ = runtime_.Schedule(intervalMs_, [this] { Expire(); });
  fired = true;
  if (handler_) handler_();
}

}  // namespace ventari
