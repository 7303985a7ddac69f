#include "app/port_parameters.h"

#include "base/string_table.h"
#include "link/serial_port.h"

namespace ventari {

const QStringList& PortParameters::ParityNames() {
  static const QStringList kNames = {QStringLiteral("None"), QStringLiteral("Odd"),
                                     QStringLiteral("Even"), QStringLiteral("Mark"),
                                     QStringLiteral("Space")};
  return kNames;
}

PortParameters::PortParameters(SerialPort& port, Prompts& prompts,
                               std::function<QStringList()> portNames, LineStatusView& lineStatus,
                               ChangeNotifier& portChosen, std::function<void()> focusTerminal)
    : port_(port),
      prompts_(prompts),
      portNames_(std::move(portNames)),
      lineStatus_(lineStatus),
      portChosen_(portChosen),
      focusTerminal_(std::move(focusTerminal)) {}

void PortParameters::Fill() {
  fields.ports = portNames_ ? portNames_() : QStringList();
  if (!fields.ports.contains(port_.Name())) fields.ports.prepend(port_.Name());
  fields.port = port_.Name();
  fields.line = port_.Line();
  fields.flow = port_.Flow();
}

void PortParameters::Apply() {
  portChosen_.Notify();
  port_.SetOpen(false);
  port_.SetName(fields.port);
  port_.SetLine(fields.line);
  port_.SetFlow(fields.flow);
  try {
    port_.SetOpen(true);
  } catch (const PortError& e) {
    prompts_.ShowMessage(QStringLiteral("%1 could not be opened with %2.\n%3")
                             .arg(fields.port, DescribeLine(fields.line, fields.flow),
                                  QString::fromStdString(e.what())),
                         LoadStr(kStrWarning));
  }
  lineStatus_.RefreshStatus();
  focusTerminal_();
}

QString DescribeLine(const LineSettings& line, const FlowControl& flow) {
  const int parity = static_cast<int>(line.parity);
  QString text = QStringLiteral("%1 baud, %2 data bits, %3 parity, %4 stop bit%5")
                     .arg(line.baud)
                     .arg(line.dataBits)
                     .arg(PortParameters::ParityNames().value(parity))
                     .arg(line.stopBits)
                     .arg(line.stopBits == 1 ? QString() : QStringLiteral("s"));
  QStringList kinds;
  if (flow.dtrDsr) kinds << QStringLiteral("DTR/DSR");
  if (flow.rtsCts) kinds << QStringLiteral("RTS/CTS");
  if (flow.softwareTransmit || flow.softwareReceive) {
    kinds << QStringLiteral("Xon %1/Xoff %2 %3")
                 .arg(flow.xonChar)
                 .arg(flow.xoffChar)
                 .arg(!flow.softwareReceive    ? QStringLiteral("on transmit")
                      : !flow.softwareTransmit ? QStringLiteral("on receive")
                                               : QStringLiteral("both ways"));
  }
  if (!kinds.isEmpty())
    text += QStringLiteral(", ") + kinds.join(QStringLiteral(" and ")) +
            QStringLiteral(" flow control");
  return text;
}

}  // namespace ventari
