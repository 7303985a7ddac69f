// A discrete-event clock for tests and the in-process simulator: ProcessEvents() jumps to the
// next pending event and runs it, so minutes of waiting take microseconds and every duration
// is exact.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <utility>

#include "base/runtime.h"

namespace ventari {

// Raised when a wait can never end because nothing is pending, or ran past its deadline.
class StuckWaitError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class VirtualRuntime : public Runtime {
 public:
  std::int64_t NowMs() const override { return nowMs_; }
  void ProcessEvents() override;
  EventId Schedule(std::int64_t delayMs, std::function<void()> callback) override;
  void Cancel(EventId id) override;

  // Runs every event due up to `nowMs() + ms` and leaves the clock there.
  void RunFor(std::int64_t ms);
  bool HasPending() const { return !queue_.empty(); }

  // A wait that would move the clock past this time fails instead (guards against a wait that
  // is kept alive by a periodic event but never ends). Default: no limit.
  void SetDeadline(std::int64_t ms) { deadlineMs_ = ms; }

 private:
  // Ordered by due time, then by scheduling order.
  std::map<std::pair<std::int64_t, EventId>, std::function<void()>> queue_;
  std::map<EventId, std::int64_t> dueOf_;
  std::int64_t nowMs_ = 0;
  std::int64_t deadlineMs_ = INT64_MAX;
  EventId nextId_ = 1;
};

}  // namespace ventari
