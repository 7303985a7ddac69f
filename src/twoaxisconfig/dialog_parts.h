// What the two-axis configuration dialogs work with: the command channel and the port under it,
// what is known about the anemometer, the main window and the live windows they bring in line.
#pragma once

#include "base/anem_state.h"
#include "base/live_windows.h"
#include "base/main_window_model.h"
#include "base/prompts.h"
#include "link/command_channel.h"
#include "link/line_status_view.h"
#include "link/serial_port.h"
#include "twoaxis/two_axis_config.h"
#include "twoaxisconfig/dialog_layout.h"

namespace ventari {

struct TwoAxisDialogParts {
  CommandChannel& channel;
  SerialPort& port;
  AnemState& state;
  TwoAxisConfig& config;
  const TwoAxisDialogLayout& layout;
  Prompts& prompts;
  MainWindowModel& window;
  LiveWindows& windows;
  // Told when a dialog moved the port to other line settings.
  LineStatusView& lineStatus;

  bool Larkvane() const { return state.TypeCode == QLatin1String("Y"); }
};

}  // namespace ventari
