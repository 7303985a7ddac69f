// The Mode menu: switching a two-axis anemometer between UV and polar output, and the menu and
// graph layouts that go with each mode.
#pragma once

#include "base/anem_state.h"
#include "base/live_windows.h"
#include "base/main_menu.h"
#include "link/command_channel.h"
#include "twoaxis/two_axis_config.h"

namespace ventari {

class ModeCommands {
 public:
  ModeCommands(CommandChannel& channel, AnemState& state, MainMenu& menu, TwoAxisConfig& config,
               LiveWindows& windows);

  // "&UV continuous": M1, the UV check mark, the UV layout.
  void UvCommand();
  // "&Polar continuous": M2 (and O2 for a Larkvane), the polar check mark, the polar layout.
  void PolarCommand();

  // The "&UV continuous" check mark: two-axis messages carry U and V.
  bool UvChecked() const { return menu_.IsChecked(MenuId::kUVcontinuous); }

  void UvLayout();
  void PolarLayout();

  // Switches a three-axis anemometer that was put into continuous output back to polled
  // output; does nothing otherwise.
  void StopContinuousOutput();
  // The live windows' start put a three-axis anemometer into continuous output ("MSGMODE CONT").
  void ContinuousOutputStarted() { continuousStarted_ = true; }
  bool ContinuousStarted() const { return continuousStarted_; }
  // The port is gone: closing a window afterwards sends nothing.
  void ForgetContinuousOutput() { continuousStarted_ = false; }

 private:
  void Mark(MessageModeMark mode);

  CommandChannel& channel_;
  AnemState& state_;
  MainMenu& menu_;
  TwoAxisConfig& config_;
  LiveWindows& windows_;
  bool continuousStarted_ = false;
};

}  // namespace ventari
