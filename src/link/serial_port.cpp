#include "link/serial_port.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "base/timer.h"

namespace ventari {
namespace {

// A serial port's transmit buffer in hardware (a 16550's FIFO) holds this many bytes.
constexpr int kHardwareBufferBytes = 16;

}  // namespace

SerialPort::SerialPort(Runtime& runtime, SerialBackendFactory factory)
    : runtime_(runtime), factory_(std::move(factory)), name_(ComName(1)) {}

SerialPort::~SerialPort() {
  if (deliveryEvent_ != 0) runtime_.Cancel(deliveryEvent_);
  if (backend_) backend_->Close();
}

QString SerialPort::ComName(int number) { return QStringLiteral("COM%1").arg(number); }

int SerialPort::ComNumberOf(const QString& name) {
  static const QRegularExpression kCom(QStringLiteral("^COM([0-9]{1,5})$"),
                                       QRegularExpression::CaseInsensitiveOption);
  const auto match = kCom.match(name);
  if (!match.hasMatch()) return 0;
  const int number = match.captured(1).toInt();
  return number >= 1 && number <= 65535 ? number : 0;
}

void SerialPort::SetComNumber(int number) { SetName(ComName(number)); }

void SerialPort::SetName(const QString& name) {
  if (name == name_) return;
  name_ = name;
  if (const int number = ComNumberOf(name); number != 0) comNumber_ = number;
  if (IsOpen()) Reopen();
}

void SerialPort::Reopen() {
  SetOpen(false);
  SetOpen(true);
}

void SerialPort::SetBaud(std::int32_t baud) {
  LineSettings line = line_;
  line.baud = baud;
  SetLine(line);
}

void SerialPort::SetParity(Parity parity) {
  LineSettings line = line_;
  line.parity = parity;
  SetLine(line);
}

void SerialPort::SetDataBits(int bits) {
  LineSettings line = line_;
  line.dataBits = bits;
  SetLine(line);
}

void SerialPort::SetStopBits(int bits) {
  LineSettings line = line_;
  line.stopBits = bits;
  SetLine(line);
}

void SerialPort::SetLine(const LineSettings& line) {
  if (line == line_) return;
  if (backend_) backend_->ApplyLine(line);  // raises and keeps the old line on refusal
  line_ = line;
}

void SerialPort::SetFlow(const FlowControl& flow) {
  if (flow == flow_) return;
  if (backend_) backend_->ApplyFlow(flow);
  flow_ = flow;
}

void SerialPort::SetOpen(bool open) {
  if (open == IsOpen()) return;
  if (!open) {
    if (deliveryEvent_ != 0) runtime_.Cancel(deliveryEvent_);
    deliveryEvent_ = 0;
    rx_.clear();
    auto backend = std::move(backend_);
    backend->Close();
    NotifyState(false);
    return;
  }
  auto backend = factory_(name_);
  if (!backend) {
    throw PortError(PortError::Kind::kOpenFailed,
                    "Cannot open " + name_.toStdString() + ": no such port");
  }
  backend->Open(name_, line_, *this);
  try {
    backend->ApplyFlow(flow_);
  } catch (const PortError&) {
    backend->Close();
    throw;
  }
  dtr_ = dtrOnOpen_;
  rts_ = true;
  backend->SetDtr(dtr_);
  backend->SetRts(rts_);
  backend_ = std::move(backend);
  lostReason_.clear();
  NotifyState(true);
}

void SerialPort::Assign(const SerialPort& other) {
  SetName(other.name_);
  comNumber_ = other.comNumber_;
  SetLine(other.line_);
  SetFlow(other.flow_);
  SetDtr(other.dtr_);
  SetRts(other.rts_);
}

void SerialPort::SetDtr(bool on) {
  dtr_ = on;
  if (backend_) backend_->SetDtr(on);
}

void SerialPort::SetRts(bool on) {
  rts_ = on;
  if (backend_) backend_->SetRts(on);
}

QString SerialPort::LostNotice(const QString& name) {
  return name + QStringLiteral(" lost - waiting for it to return");
}

void SerialPort::RequireOpen(const char* operation) const {
  if (!backend_ && !lostReason_.isEmpty()) {
    throw PortError(PortError::Kind::kLost, LostNotice(name_).toStdString());
  }
  if (!backend_) {
    throw PortError(PortError::Kind::kNotOpen,
                    std::string(operation) + ": port " + name_.toStdString() + " is not open");
  }
}

void SerialPort::PutChar(std::uint8_t byte) {
  RequireOpen("PutChar");
  backend_->Write(&byte, 1);
}

void SerialPort::PutString(std::string_view text) {
  RequireOpen("PutString");
  backend_->Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void SerialPort::PutBytes(const QByteArray& bytes) {
  PutString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void SerialPort::FlushInBuffer() {
  RequireOpen("FlushInBuffer");
  backend_->FlushIn();
  rx_.clear();
}

void SerialPort::FlushOutBuffer() {
  RequireOpen("FlushOutBuffer");
  backend_->FlushOut();
}

bool SerialPort::Drain(int boundMs) {
  const auto sending = [this] { return backend_ && backend_->Sending(); };
  Timer bound(runtime_, boundMs);
  // A driver's queue may empty without an event of its own: look again every tick.
  Timer tick(runtime_, kTimerTickMs, /*periodic=*/true);
  bound.Start();
  tick.Start();
  runtime_.WaitUntil([&] { return bound.fired || !sending(); });
  if (sending()) return false;
  Timer emptied(runtime_, static_cast<int>(std::ceil(kHardwareBufferBytes * ByteMs(line_))));
  emptied.Start();
  runtime_.WaitUntil([&emptied] { return emptied.fired; });
  return true;
}

bool SerialPort::CharReady() {
  RequireOpen("CharReady");
  if (rx_.empty()) backend_->Poll();
  return !rx_.empty();
}

std::uint8_t SerialPort::GetChar() {
  if (!CharReady()) throw PortError(PortError::Kind::kIo, "GetChar: no byte received");
  const std::uint8_t byte = rx_.front();
  rx_.erase(rx_.begin());
  return byte;
}

int SerialPort::AddReceiveConsumer(ReceiveConsumer consumer) {
  receivers_.push_back({nextHandle_, std::move(consumer)});
  return nextHandle_++;
}

void SerialPort::RemoveReceiveConsumer(int handle) {
  std::erase_if(receivers_, [handle](const auto& r) { return r.handle == handle; });
}

int SerialPort::AddStateConsumer(StateConsumer consumer) {
  stateConsumers_.push_back({nextHandle_, std::move(consumer)});
  return nextHandle_++;
}

void SerialPort::RemoveStateConsumer(int handle) {
  std::erase_if(stateConsumers_, [handle](const auto& r) { return r.handle == handle; });
}

void SerialPort::NotifyState(bool open) {
  const auto consumers = stateConsumers_;
  for (const auto& registered : consumers) registered.consumer(open);
}

void SerialPort::BytesReceived(const std::uint8_t* data, std::size_t size) {
  rx_.insert(rx_.end(), data, data + size);
  // Delivery is an event of its own, so bytes flushed before it are never seen.
  if (deliveryEvent_ == 0 && !rx_.empty() && !receivers_.empty()) {
    deliveryEvent_ = runtime_.Schedule(0, [this] {
      deliveryEvent_ = 0;
      Deliver();
    });
  }
}

void SerialPort::Deliver() {
  if (rx_.empty()) return;
  // Consumers may wait inside their notification and so receive later bytes in a nested
  // delivery; taking the bytes first makes each byte reach each consumer exactly once.
  std::vector<std::uint8_t> batch;
  batch.swap(rx_);
  const auto consumers = receivers_;
  for (const auto& registered : consumers) registered.consumer(batch);
}

void SerialPort::DeviceLost(const QString& why) {
  // Called from inside the back end: close once it has returned.
  runtime_.Schedule(0, [this, why] {
    if (!IsOpen()) return;
    // Set first: the state consumers told of the close ask why.
    lostReason_ = why.isEmpty() ? QStringLiteral("the device vanished") : why;
    SetOpen(false);
  });
}

}  // namespace ventari
