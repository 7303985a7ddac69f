// Whatever shows the port's name and line settings to the user (the terminal's status line).
// The parts that change the port's rate or framing tell it afterwards.
#pragma once

namespace ventari {

class LineStatusView {
 public:
  // The port or its line settings changed.
  virtual void RefreshStatus() = 0;

 protected:
  LineStatusView() = default;
  ~LineStatusView() = default;
  LineStatusView(const LineStatusView&) = default;
  LineStatusView& operator=(const LineStatusView&) = default;
};

}  // namespace ventari
