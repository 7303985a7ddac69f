#include "app/mode_commands.h"

namespace ventari {

ModeCommands::ModeCommands(CommandChannel& channel, AnemState& state, MainMenu& menu,
                           TwoAxisConfig& config, LiveWindows& windows)
    : channel_(channel), state_(state), menu_(menu), config_(config), windows_(windows) {}

void ModeCommands::Mark(MessageModeMark mode) {
  config_.MessageMode = mode;
  menu_.Check(MenuId::kUVcontinuous, mode == MessageModeMark::kUv);
  menu_.Check(MenuId::kPolarcontinuous, mode == MessageModeMark::kPolar);
}

void ModeCommands::UvCommand() {
  channel_.ConfigCommand("M1");
  Mark(MessageModeMark::kUv);
  UvLayout();
}

void ModeCommands::PolarCommand() {
  channel_.ConfigCommand("M2");
  if (state_.TypeCode == QLatin1String("Y")) channel_.ConfigCommand("O2");
  Mark(MessageModeMark::kPolar);
  PolarLayout();
}

void ModeCommands::StopContinuousOutput() {
  if (!continuousStarted_) return;
  channel_.Command("IM");
  channel_.Delay(500);
  channel_.SendBare("MSGMODE POLL");
  channel_.SendReturn();
  channel_.Delay(100);
  channel_.LeaveConfigMode();
  continuousStarted_ = false;
}

void ModeCommands::UvLayout() {
  windows_.SetGraphPresentation(true);
  menu_.Hide(MenuId::kWindsock1);
  menu_.Hide(MenuId::kAlarm);
}

void ModeCommands::PolarLayout() {
  windows_.SetGraphPresentation(false);
  if (config_.OutputUnits == 0) menu_.Show(MenuId::kWindsock1);
  menu_.Show(MenuId::kAlarm);
}

}  // namespace ventari
