// What the three-axis setup dialog asks of the live windows around it: they close before it
// takes the anemometer into configuration mode, and those left open get their data again when
// it closes.
#pragma once

namespace ventari {

class LiveWindowsAroundSetup {
 public:
  // Closes the graph and the windsock, and the tabular display unless it logs.
  virtual void CloseForSetup() = 0;
  // A live window is still shown.
  virtual bool AnyWindowShown() const = 0;
  // Starts the data for the live windows again, in the layout now set; ends configuration mode.
  virtual void StartContinuous() = 0;

 protected:
  LiveWindowsAroundSetup() = default;
  ~LiveWindowsAroundSetup() = default;
  LiveWindowsAroundSetup(const LiveWindowsAroundSetup&) = default;
  LiveWindowsAroundSetup& operator=(const LiveWindowsAroundSetup&) = default;
};

}  // namespace ventari
