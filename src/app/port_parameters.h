// The terminal's "Set parameters": the port settings dialog's fields, filled from the
// anemometer's port, and OK, which closes the port, moves it onto them and opens it again.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "base/change_notifier.h"
#include "base/prompts.h"
#include "link/line_settings.h"
#include "link/line_status_view.h"

namespace ventari {

class SerialPort;

struct PortParameterFields {
  QStringList ports;  // ComPorts: the ports offered, with the port in use among them
  QString port;
  LineSettings line;
  FlowControl flow;
};

class PortParameters {
 public:
  static constexpr std::array<int, 10> kBaudRates = {300,  600,   1200,  2400,  4800,
                                                     9600, 19200, 38400, 57600, 115200};
  static constexpr std::array<int, 4> kDataBits = {8, 7, 6, 5};
  static constexpr std::array<int, 2> kStopBits = {1, 2};
  // By parity code.
  static const QStringList& ParityNames();

  // `portNames` lists the ports this machine offers; OK tells `portChosen` before the port is
  // touched; after OK the status line is refreshed and `focusTerminal` hands the terminal the
  // keyboard focus.
  PortParameters(SerialPort& port, Prompts& prompts, std::function<QStringList()> portNames,
                 LineStatusView& lineStatus, ChangeNotifier& portChosen,
                 std::function<void()> focusTerminal);

  PortParameterFields fields;

  // Before the dialog shows.
  void Fill();
  // OK. A port that does not open again stays closed, and the message names it with the
  // settings it was given, not only the driver's words.
  void Apply();

 private:
  SerialPort& port_;
  Prompts& prompts_;
  std::function<QStringList()> portNames_;
  LineStatusView& lineStatus_;
  ChangeNotifier& portChosen_;
  std::function<void()> focusTerminal_;
};

// "19200 baud, 7 data bits, Even parity, 1 stop bit, RTS/CTS flow control".
QString DescribeLine(const LineSettings& line, const FlowControl& flow);

}  // namespace ventari
