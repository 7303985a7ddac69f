// The calls that identification, the mode commands and the decoders make into the live
// windows' models (graph, windsock, three-axis setup). A call left empty does nothing.
#pragma once

#include <functional>

namespace ventari {

struct LiveWindows {
  // Graph: keys, labels and scale for U and V (true) or magnitude and direction (false).
  std::function<void(bool uv)> setGraphPresentation;
  // Graph: the first scale entry of the current unit checked and the unit's scales applied.
  std::function<void()> applyUnitScales;
  // Graph: its third key label (W) shown or hidden.
  std::function<void(bool visible)> showGraphThirdKey;
  // Windsock: the anemometer's output rate changed (the rolling average follows it).
  std::function<void(int samplesPerSecond)> samplesPerSecondChanged;
  // Windsock: its "W axis" box shown or hidden.
  std::function<void(bool visible)> showWindsockWAxis;
};

// Calls `f(args...)` when it is set.
template <typename F, typename... Args>
void CallIfSet(const F& f, Args&&... args) {
  if (f) f(std::forward<Args>(args)...);
}

}  // namespace ventari
