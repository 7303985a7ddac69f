// The one port to the anemometer (and the alarm's second port): settings that reprogram the
// line while open, paced-free writes, flushes, and received-byte notification to every
// registered consumer in registration order. The driver below is a SerialBackend chosen by
// the port's name.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "base/runtime.h"
#include "link/line_settings.h"
#include "link/serial_backend.h"

namespace ventari {

class SerialPort : private SerialBackend::Sink {
 public:
  using ReceiveConsumer = std::function<void(std::span<const std::uint8_t> newBytes)>;
  using StateConsumer = std::function<void(bool open)>;

  SerialPort(Runtime& runtime, SerialBackendFactory factory);
  ~SerialPort() override;
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // "COM" + n, the name of port number n.
  static QString ComName(int number);
  // The number n of a name "COMn" (letters in any case), or 0 for any other name.
  static int ComNumberOf(const QString& name);

  // Port 1 is COM1. Setting the number or the name of an open port closes it and opens it on
  // the new one; consumers stay registered.
  int ComNumber() const { return comNumber_; }
  void SetComNumber(int number);
  const QString& Name() const { return name_; }
  void SetName(const QString& name);

  // Setting a line value while open reprograms the line at once; an equal value does nothing.
  const LineSettings& Line() const { return line_; }
  void SetBaud(std::int32_t baud);
  void SetParity(Parity parity);
  void SetDataBits(int bits);
  void SetStopBits(int bits);
  void SetLine(const LineSettings& line);

  // Applied at once to an open port (raising and keeping the old one on refusal).
  const FlowControl& Flow() const { return flow_; }
  void SetFlow(const FlowControl& flow);

  bool IsOpen() const { return backend_ != nullptr; }
  // Opening raises DTR and RTS (as configured by SetDtrOnOpen). Raises PortError on failure.
  void SetOpen(bool open);
  // Copies every setting (name, line, flow control, control lines) of another port.
  void Assign(const SerialPort& other);

  bool Dtr() const { return dtr_; }
  bool Rts() const { return rts_; }
  void SetDtr(bool on);
  void SetRts(bool on);
  // The alarm's port keeps DTR low when it opens.
  void SetDtrOnOpen(bool on) { dtrOnOpen_ = on; }

  // Queue bytes for sending; neither waits. Raise PortError (not open) on a closed port.
  void PutChar(std::uint8_t byte);
  void PutString(std::string_view text);
  void PutBytes(const QByteArray& bytes);

  void FlushInBuffer();
  void FlushOutBuffer();
  // Keeps the event loop running until the driver has sent every byte written or `boundMs`
  // passed, then for the time the port's hardware takes to send what it may still hold. True
  // when nothing was left to send. For before a close that must not cut off the last command:
  // a closing port returns to the settings it had before it was opened at once.
  bool Drain(int boundMs);
  bool CharReady();
  std::uint8_t GetChar();

  // Registration handles; Remove* takes them back.
  int AddReceiveConsumer(ReceiveConsumer consumer);
  void RemoveReceiveConsumer(int handle);
  int AddStateConsumer(StateConsumer consumer);
  void RemoveStateConsumer(int handle);

  // Why the port last closed by itself (the device vanished), empty otherwise. Until it is
  // opened again, every write or flush raises PortError kLost, whose message is the notice.
  const QString& LostReason() const { return lostReason_; }
  // "COM5 lost - waiting for it to return".
  static QString LostNotice(const QString& name);

 private:
  void BytesReceived(const std::uint8_t* data, std::size_t size) override;
  void DeviceLost(const QString& why) override;
  void Deliver();
  void RequireOpen(const char* operation) const;
  void Reopen();
  void NotifyState(bool open);

  Runtime& runtime_;
  SerialBackendFactory factory_;
  std::unique_ptr<SerialBackend> backend_;
  QString name_;
  int comNumber_ = 1;
  LineSettings line_;
  FlowControl flow_;
  bool dtr_ = true;
  bool rts_ = true;
  bool dtrOnOpen_ = true;
  QString lostReason_;

  // Received by the driver, not yet handed to the consumers.
  std::vector<std::uint8_t> rx_;
  Runtime::EventId deliveryEvent_ = 0;

  template <typename F>
  struct Registered {
    int handle;
    F consumer;
  };
  std::vector<Registered<ReceiveConsumer>> receivers_;
  std::vector<Registered<StateConsumer>> stateConsumers_;
  int nextHandle_ = 1;
};

}  // namespace ventari
