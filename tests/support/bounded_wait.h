// Runs a runtime's event loop until a condition holds or a time has passed, for tests that watch
// something happen in real time.
#pragma once

#include <functional>

#include "base/runtime.h"

namespace ventari::test {

// Whether `done` held before `ms` passed.
inline bool WaitUntil(Runtime& runtime, const std::function<bool()>& done, int ms) {
  bool late = false;
  const auto id = runtime.Schedule(ms, [&late] { late = true; });
  runtime.WaitUntil([&] { return late || done(); });
  runtime.Cancel(id);
  return done();
}

}  // namespace ventari::test
