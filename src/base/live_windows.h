// What identification, the mode commands and the two-axis dialogs change in the live windows'
// models (graph, windsock). Each of them is given it when it is built, so none can be left
// without it.
#pragma once

namespace ventari {

class LiveWindows {
 public:
  // Graph: keys, labels and scale for U and V (true) or magnitude and direction (false).
  virtual void SetGraphPresentation(bool uv) = 0;
  // Graph: the first scale entry of the current unit checked and the unit's scales applied.
  virtual void ApplyUnitScales() = 0;
  // Graph: its third key label (W) shown or hidden.
  virtual void ShowGraphThirdKey(bool visible) = 0;
  // Windsock: the anemometer's output rate changed (the rolling average follows it).
  virtual void SamplesPerSecondChanged(double samplesPerSecond) = 0;
  // Windsock: its "W axis" box shown or hidden.
  virtual void ShowWindsockWAxis(bool visible) = 0;

 protected:
  ~LiveWindows() = default;
};

}  // namespace ventari
