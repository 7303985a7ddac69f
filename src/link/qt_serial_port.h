// Real serial ports through QSerialPort: "COMn" names, device paths such as /dev/ttyUSB0, and
// pseudo-terminals (which have no control lines and only 8 data bits without parity; those
// refusals are harmless there).
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "link/serial_backend.h"

class QSerialPort;

namespace ventari {

class QtSerialPort : public SerialBackend {
 public:
  // Bytes that come within this long of the last hand-off to the sink wait for the next one: a
  // line that keeps coming reaches the consumers once every 50 ms, a little less often than the
  // windows may repaint (every 40 ms), so each window shows what a hand-off brought at once and
  // not on a wake-up of its own. The first bytes after a quiet spell, or after bytes were
  // written, go at once, so a question's answer never waits.
  static constexpr int kHandOffMs = 50;

  QtSerialPort();
  ~QtSerialPort() override;

  // A port that cannot be opened raises PortError with the words of OpenFailureMessage.
  void Open(const QString& name, const LineSettings& line, Sink& sink) override;
  void Close() override;
  void ApplyLine(const LineSettings& line) override;
  // DTR/DSR is refused; elsewhere than on POSIX systems so are one-way software flow control
  // and Xon/Xoff characters other than 17 and 19.
  void ApplyFlow(const FlowControl& flow) override;
  void SetDtr(bool on) override;
  void SetRts(bool on) override;
  void Write(const std::uint8_t* data, std::size_t size) override;
  void FlushOut() override;
  void FlushIn() override;
  void Poll() override;
  // Bytes held by Qt or, on POSIX systems, in the system driver's output queue.
  bool Sending() const override;

  // The device that a port name opens: "COMn" is the platform's n-th port (/dev/ttyS{n-1} on
  // Linux), any other name is used as it is.
  static QString DeviceFor(const QString& name);
  // Opens every name as a real port.
  static SerialBackendFactory Factory();
  // The names of the ports present on this machine: "COMn" on Windows, device paths elsewhere.
  static QStringList AvailablePortNames();
  // The USB adapter behind a listed port (by device path, port name or a link to the device):
  // "vvvv:pppp:serial", its vendor and product identifiers in four lower-case hex digits and its
  // serial number; empty when the port is not listed or lacks any of the three.
  static QString AdapterOf(const QString& name);
  // The name, as AvailablePortNames gives it, of a listed port on `adapter`; empty when none is
  // or `adapter` is empty. The same adapter plugged in again may come back under a new name.
  static QString PortOfAdapter(const QString& adapter);

 private:
  // Hands the sink what QSerialPort holds; whether there was anything.
  bool ReadAll();
  // QSerialPort has new bytes: handed off now, or at the end of the hand-off interval.
  void BytesArrived();
  void HandOff();
  // Whether the device's bytes wake the port as they come.
  void Listen(bool on);
  // The device went away: let the port go and tell the sink, once.
  void Lose();
  bool IsPseudoTerminal() const;

  std::unique_ptr<QSerialPort> port_;
  Sink* sink_ = nullptr;
  QTimer handOff_;
  QElapsedTimer lastHandOff_;
  bool handingOff_ = false;
  QPointer<QSocketNotifier> readNotifier_;
};

}  // namespace ventari
