#include "app/ports_dialog.h"

#include "base/string_table.h"
#include "link/port_permission.h"
#include "link/qt_serial_port.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"

namespace ventari {

PortsDialog::PortsDialog(SerialPort& port, SystemMatchers& matchers, CommandChannel& channel,
                         Prompts& prompts, MainWindowModel& window, LineStatusView& lineStatus,
                         ChangeNotifier& portChosen)
    : port_(port),
      matchers_(matchers),
      channel_(channel),
      prompts_(prompts),
      window_(window),
      lineStatus_(lineStatus),
      portChosen_(portChosen) {}

void PortsDialog::Show(const QStringList& ports) {
  model.ports = ports;
  model.refusals.clear();
  for (const QString& name : ports) {
    const PortPermission permission = PermissionOf(QtSerialPort::DeviceFor(name));
    model.refusals << (permission.permitted ? QString()
                                            : OpenFailureMessage(name, OpenRefusal::kNoPermission,
                                                                 permission.group, {}));
  }
  model.selected = -1;
  model.setEnabled = false;
  model.visible = true;
}

void PortsDialog::LbPortsClick(int index) {
  if (index < 0 || index >= model.ports.size()) return;
  model.selected = index;
  model.setEnabled = true;
}

void PortsDialog::BtnSetPortClick() {
  if (model.selected < 0 || model.selected >= model.ports.size()) return;
  const QString name = model.ports[model.selected];
  portChosen_.Notify();
  model.setEnabled = false;
  window_.SetBusyCursor(true);
  for (TApdDataPacket* m : {&matchers_.DataPacket, &matchers_.IMPacket, &matchers_.TriAxisPkt,
                            &matchers_.D1Packet, &matchers_.D2Packet, &matchers_.D3Packet}) {
    m->SetEnabled(false);
  }
  channel_.Delay(100);
  try {
    port_.SetName(name);
    // With no port open (none could be, or it has gone) the chosen one opens now.
    if (!port_.IsOpen()) port_.SetOpen(true);
    lineStatus_.RefreshStatus();
    prompts_.ShowMessage(QStringLiteral("Please Resynchronise."), LoadStr(kStrWarning));
  } catch (const PortError&) {
    prompts_.ShowMessage(QStringLiteral("Failed to set new comport."), LoadStr(kStrWarning));
  }
  model.visible = false;
  model.setEnabled = true;
  window_.SetBusyCursor(false);
}

}  // namespace ventari
