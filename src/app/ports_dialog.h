// The ports dialog's logic: the list of ports and "Set", which moves the anemometer's port to
// the chosen one and asks the user to resynchronise.
#pragma once

#include <QStringList>

#include "base/change_notifier.h"
#include "base/main_window_model.h"
#include "base/prompts.h"
#include "link/command_channel.h"
#include "link/line_status_view.h"

namespace ventari {

class SerialPort;
struct SystemMatchers;

struct PortsDialogModel {
  QStringList ports;  // LbPorts
  // One a port: empty, or for a port this user may not open, the message saying how to be
  // allowed to.
  QStringList refusals;
  int selected = -1;
  bool setEnabled = false;  // BtnSetPort
  bool visible = false;
};

class PortsDialog {
 public:
  PortsDialog(SerialPort& port, SystemMatchers& matchers, CommandChannel& channel, Prompts& prompts,
              MainWindowModel& window, LineStatusView& lineStatus, ChangeNotifier& portChosen);

  PortsDialogModel model;

  // Lists `ports`, each with whether this user may open it.
  void Show(const QStringList& ports);
  void LbPortsClick(int index);
  // Switches the port to the selected entry: "COMn" by its number, any other name (a device
  // path, a simulated instrument) as it is.
  void BtnSetPortClick();

 private:
  SerialPort& port_;
  SystemMatchers& matchers_;
  CommandChannel& channel_;
  Prompts& prompts_;
  MainWindowModel& window_;
  LineStatusView& lineStatus_;
  // Told before the switch.
  ChangeNotifier& portChosen_;
};

}  // namespace ventari
