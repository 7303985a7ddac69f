// The one source of time and waiting for the whole system. Every wait is
// `while (!condition) runtime.ProcessEvents();`, so the same logic runs on the Qt event loop
// and on a virtual clock in tests.
#pragma once

#include <cstdint>
#include <functional>

namespace ventari {

// A timer of 1 ms fires after one system tick on the platform the instruments were always
// driven from; every "one tick" wait uses this interval on every platform.
inline constexpr int kTimerTickMs = 15;

class Runtime {
 public:
  using EventId = std::uint64_t;

  virtual ~Runtime() = default;

  // Milliseconds since an arbitrary start; never decreases.
  virtual std::int64_t NowMs() const = 0;

  // Runs one turn of the event loop: handles the next pending event, waiting for one if none
  // is pending.
  virtual void ProcessEvents() = 0;

  // Runs `callback` once, inside ProcessEvents(), no sooner than `delayMs` from now. Events due
  // at the same time run in the order they were scheduled.
  virtual EventId Schedule(std::int64_t delayMs, std::function<void()> callback) = 0;

  // Forgets a scheduled event; unknown or already-run ids are ignored.
  virtual void Cancel(EventId id) = 0;

  // Keeps the event loop running until `done` holds.
  void WaitUntil(const std::function<bool()>& done) {
    while (!done()) ProcessEvents();
  }
};

}  // namespace ventari
