// The serial port back end that connects the system to a simulated anemometer in the same
// process, through the line model, on whatever runtime the system runs on. The "sim:" port
// names open it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

#include "base/runtime.h"
#include "link/serial_backend.h"
#include "sim/boot_board.h"
#include "sim/instrument.h"

namespace ventari::sim {

class SimSerialPort : public SerialBackend, private LineModel::PortEnd {
 public:
  // Told the port's DTR and RTS after every change (a flash programmer on the line).
  using ControlListener = std::function<void(bool dtr, bool rts)>;

  explicit SimSerialPort(LineModel& line, ControlListener controls = {})
      : line_(line), controls_(std::move(controls)) {}
  ~SimSerialPort() override;

  // Fails once the simulated device has disappeared.
  void Open(const QString& name, const LineSettings& line, Sink& sink) override;
  void Close() override;
  // Any rate; 7 or 8 data bits; any parity.
  void ApplyLine(const LineSettings& line) override;
  void SetDtr(bool on) override;
  void SetRts(bool on) override;
  void Write(const std::uint8_t* data, std::size_t size) override;
  void FlushOut() override;
  // Bytes reach the sink as they arrive; the driver holds none.
  void FlushIn() override {}
  // Until the line model has delivered the last byte written to the device.
  bool Sending() const override { return sink_ != nullptr && line_.SendingFromPort(); }

 private:
  LineSettings PortLine() override { return settings_; }
  void Arrive(const std::uint8_t* data, std::size_t size) override;
  void Lost(const QString& why) override;

  LineModel& line_;
  ControlListener controls_;
  LineSettings settings_;
  Sink* sink_ = nullptr;
};

// The simulated anemometers of one run: one per "sim:" name, made when its port is first opened
// and kept until the end, so that settings changed on a device survive closing its port.
class SimulatedPorts {
 public:
  // Names that are not simulated ports go to `fallback`.
  SimulatedPorts(Runtime& runtime, SerialBackendFactory fallback, InstrumentOptions options = {});
  ~SimulatedPorts();

  // "sim:kestrix2", "sim:kestrix2-heated", "sim:larkvane", "sim:t7", "sim:mz", "sim:t7-50",
  // "sim:mz-50".
  static QStringList Names();
  // Whether `name` is a simulated port's ("sim:..."), known or not.
  static bool IsSimulated(const QString& name);
  // The ports offered to the user: this machine's, then the simulated ones when the port in use
  // is simulated or `withSimulators` asks for them. A field operator sees the real ports alone.
  static QStringList Offered(const QStringList& machinePorts, const QString& portInUse,
                             bool withSimulators);

  // A factory for SerialPort; valid while this object lives.
  SerialBackendFactory Factory();
  // The instrument behind a simulated port name (made if needed), nullptr for other names.
  Instrument* InstrumentFor(const QString& name);
  // "sim:boot": a Kestrix II board in the flash programmer (made if needed); nullptr for other
  // names. Not offered among the ports: it is opened by name.
  static const QString kBootName;
  BootBoard* BoardFor(const QString& name);

 private:
  Runtime& runtime_;
  SerialBackendFactory fallback_;
  InstrumentOptions options_;
  std::map<QString, std::unique_ptr<Instrument>> instruments_;
  std::unique_ptr<BootBoard> bootBoard_;
};

// A factory for SerialPort that owns its simulated anemometers for as long as any copy of it
// lives; other names go to `fallback`.
SerialBackendFactory MakeSimulatedPortFactory(Runtime& runtime, SerialBackendFactory fallback);

}  // namespace ventari::sim
