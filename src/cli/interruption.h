// Stop requests to a ventari-cli run (SIGINT, SIGTERM). The first is noted for the command to end
// in order at its next look (a search after its current try, a stream or log at once, flash
// programming by aborting). A request that comes while that stop is under way is the same request:
// `timeout` sends SIGTERM to the command and to its process group at the same instant, and a
// service manager may repeat it. Only an interrupt from the user (SIGINT) that comes
// kCutShortAfterMs or more after the first request cuts the orderly stop short.
#pragma once

#include <atomic>
#include <cstdint>

namespace ventari {

// What the stop requests that came so far ask for. Noting one is safe inside a signal handler.
class StopRequests {
 public:
  static constexpr std::int64_t kCutShortAfterMs = 3000;

  // `signal` came at `nowMs` (a clock that never goes back).
  void Note(int signal, std::int64_t nowMs);
  void Clear();

  bool Stop() const { return stop_.load(); }
  bool CutShort() const { return cutShort_.load(); }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<std::int64_t> firstAtMs_{0};
  std::atomic<bool> cutShort_{false};
  static_assert(std::atomic<std::int64_t>::is_always_lock_free);
};

// From now on a stop request is noted instead of ending the process.
void CatchInterruptions();
// Whether a stop was requested since CatchInterruptions().
bool Interrupted();
// Whether the user interrupted again, long enough after the first request, to end at once.
bool StopCutShort();

}  // namespace ventari
