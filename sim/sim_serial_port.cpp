#include "sim/sim_serial_port.h"

#include "link/line_settings.h"

namespace ventari::sim {
namespace {

const QString kPrefix = QStringLiteral("sim:");

}  // namespace

SimSerialPort::~SimSerialPort() { Close(); }

void SimSerialPort::Open(const QString& name, const LineSettings& line, Sink& sink) {
  if (line_.Vanished()) {
    throw PortError(PortError::Kind::kOpenFailed,
                    "Cannot open " + name.toStdString() + ": the device is gone");
  }
  ApplyLine(line);
  sink_ = &sink;
  line_.Connect(this);
}

void SimSerialPort::Close() {
  if (sink_ == nullptr) return;
  line_.Connect(nullptr);
  sink_ = nullptr;
}

void SimSerialPort::ApplyLine(const LineSettings& line) {
  if (line.baud <= 0 || (line.dataBits != 7 && line.dataBits != 8)) {
    throw PortError(PortError::Kind::kLineRefused, "Line settings refused");
  }
  settings_ = line;
}

void SimSerialPort::SetDtr(bool on) {
  line_.SetDtr(on);
  if (controls_) controls_(line_.Dtr(), line_.Rts());
}

void SimSerialPort::SetRts(bool on) {
  line_.SetRts(on);
  if (controls_) controls_(line_.Dtr(), line_.Rts());
}

void SimSerialPort::Write(const std::uint8_t* data, std::size_t size) {
  if (sink_ != nullptr) line_.SendFromPort(data, size, settings_);
}

void SimSerialPort::FlushOut() { line_.DiscardFromPort(); }

void SimSerialPort::Arrive(const std::uint8_t* data, std::size_t size) {
  if (sink_ != nullptr) sink_->BytesReceived(data, size);
}

void SimSerialPort::Lost(const QString& why) {
  Sink* sink = sink_;
  sink_ = nullptr;
  if (sink != nullptr) sink->DeviceLost(why);
}

SimulatedPorts::SimulatedPorts(Runtime& runtime, SerialBackendFactory fallback,
                               InstrumentOptions options)
    : runtime_(runtime), fallback_(std::move(fallback)), options_(std::move(options)) {}

SimulatedPorts::~SimulatedPorts() = default;

QStringList SimulatedPorts::Names() {
  QStringList names;
  for (const std::string& model : ModelNames()) names << kPrefix + QString::fromStdString(model);
  return names;
}

bool SimulatedPorts::IsSimulated(const QString& name) { return name.startsWith(kPrefix); }

QStringList SimulatedPorts::Offered(const QStringList& machinePorts, const QString& portInUse,
                                    bool withSimulators) {
  if (!withSimulators && !IsSimulated(portInUse)) return machinePorts;
  return machinePorts + Names();
}

Instrument* SimulatedPorts::InstrumentFor(const QString& name) {
  if (!IsSimulated(name)) return nullptr;
  const auto model = ModelNamed(name.mid(kPrefix.size()).toStdString());
  if (!model) return nullptr;
  auto& instrument = instruments_[name];
  if (!instrument) {
    InstrumentOptions options = options_;
    options.seed += static_cast<std::uint32_t>(*model) * 7919;  // each model its own weather
    instrument = std::make_unique<Instrument>(runtime_, *model, options);
  }
  return instrument.get();
}

const QString SimulatedPorts::kBootName = QStringLiteral("sim:boot");

BootBoard* SimulatedPorts::BoardFor(const QString& name) {
  if (name != kBootName) return nullptr;
  if (!bootBoard_) bootBoard_ = std::make_unique<BootBoard>(runtime_, options_.seed);
  return bootBoard_.get();
}

SerialBackendFactory SimulatedPorts::Factory() {
  return [this](const QString& name) -> std::unique_ptr<SerialBackend> {
    if (Instrument* instrument = InstrumentFor(name)) {
      return std::make_unique<SimSerialPort>(instrument->Line());
    }
    if (BootBoard* board = BoardFor(name)) {
      return std::make_unique<SimSerialPort>(
          board->Line(), [board](bool dtr, bool rts) { board->Adapter().ControlLines(dtr, rts); });
    }
    return fallback_ ? fallback_(name) : nullptr;
  };
}

SerialBackendFactory MakeSimulatedPortFactory(Runtime& runtime, SerialBackendFactory fallback) {
  auto ports = std::make_shared<SimulatedPorts>(runtime, std::move(fallback));
  return [ports](const QString& name) { return ports->Factory()(name); };
}

}  // namespace ventari::sim
