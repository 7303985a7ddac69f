#include "sim/line_model.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ventari::sim {

LineModel::LineModel(Runtime& runtime, SimDevice& device, std::uint32_t seed)
    : runtime_(runtime), device_(device), garbage_(seed) {
  device_.Connect(this);
}

LineModel::~LineModel() {
  device_.Connect(nullptr);
  runtime_.Cancel(toDeviceEvent_);
  runtime_.Cancel(toPortEvent_);
}

bool LineModel::Understands(const LineSettings& receiver, const LineSettings& sender) {
  return receiver.baud == sender.baud && receiver.dataBits == sender.dataBits &&
         receiver.parity == sender.parity;
}

void LineModel::SendFromPort(const std::uint8_t* data, std::size_t size, const LineSettings& line) {
  const double byteMs = ByteMs(line);
  for (std::size_t i = 0; i < size; ++i) {
    portFreeAtMs_ = std::max(portFreeAtMs_, NowMs()) + byteMs;
    toDevice_.push_back({portFreeAtMs_, data[i], line});
  }
  ScheduleToDevice();
}

void LineModel::DiscardFromPort() {
  toDevice_.clear();
  portFreeAtMs_ = NowMs();
  runtime_.Cancel(toDeviceEvent_);
  toDeviceEvent_ = 0;
}

void LineModel::Vanish() {
  if (vanished_) return;
  vanished_ = true;
  PortEnd* port = port_;
  port_ = nullptr;
  toPort_.clear();
  if (port != nullptr) port->Lost(QStringLiteral("The simulated anemometer was disconnected"));
}

void LineModel::Return() {
  if (!vanished_) return;
  vanished_ = false;
  if (returnHandler_) returnHandler_();
}

void LineModel::Transmit(std::string_view bytes) {
  const LineSettings line = device_.Line();
  const double byteMs = ByteMs(line);
  for (const char c : bytes) {
    deviceFreeAtMs_ = std::max(deviceFreeAtMs_, NowMs()) + byteMs;
    toPort_.push_back({deviceFreeAtMs_, static_cast<std::uint8_t>(c), line});
  }
  ScheduleToPort();
}

double LineModel::TransmitBacklogMs() const { return std::max(0.0, deviceFreeAtMs_ - NowMs()); }

void LineModel::ScheduleToDevice() {
  if (toDeviceEvent_ != 0 || toDevice_.empty()) return;
  const auto delay = static_cast<std::int64_t>(std::ceil(toDevice_.front().arrivalMs - NowMs()));
  toDeviceEvent_ = runtime_.Schedule(delay, [this] {
    toDeviceEvent_ = 0;
    DeliverToDevice();
  });
}

void LineModel::ScheduleToPort() {
  if (toPortEvent_ != 0 || toPort_.empty()) return;
  const auto delay = static_cast<std::int64_t>(std::ceil(toPort_.front().arrivalMs - NowMs()));
  toPortEvent_ = runtime_.Schedule(delay, [this] {
    toPortEvent_ = 0;
    DeliverToPort();
  });
}

void LineModel::DeliverToDevice() {
  // The device may reply, or change its settings, while hearing; each byte is judged by the
  // settings of the moment it arrives.
  while (!toDevice_.empty() && toDevice_.front().arrivalMs <= NowMs()) {
    const InFlight byte = toDevice_.front();
    toDevice_.pop_front();
    if (!Understands(device_.Line(), byte.framing)) continue;
    device_.Hear(byte.byte);
    if (heardHandler_) heardHandler_(byte.byte);
  }
  ScheduleToDevice();
}

void LineModel::DeliverToPort() {
  std::vector<std::uint8_t> arrived;
  LineSettings portLine;
  if (port_ != nullptr) portLine = port_->PortLine();
  while (!toPort_.empty() && toPort_.front().arrivalMs <= NowMs()) {
    const InFlight byte = toPort_.front();
    toPort_.pop_front();
    if (port_ == nullptr) continue;
    if (Understands(portLine, byte.framing)) {
      arrived.push_back(byte.byte);
      continue;
    }
    // A receiver at another rate frames the bits differently: a faster one sees more, shorter
    // characters, a slower one fewer; none of them is what was sent.
    garbageCredit_ += ByteMs(byte.framing) / ByteMs(portLine);
    for (; garbageCredit_ >= 1.0; garbageCredit_ -= 1.0) arrived.push_back(GarbageByte());
  }
  if (port_ != nullptr && !arrived.empty()) port_->Arrive(arrived.data(), arrived.size());
  ScheduleToPort();
}

std::uint8_t LineModel::GarbageByte() {
  // Misframed characters have their high bits set by the stop bits and idle line read as data,
  // so they never form a letter, a digit or a framing byte.
  std::uniform_int_distribution<int> value(0x80, 0xFF);
  int byte = value(garbage_);
  if (byte == 0xBA) byte = 0xFF;
  return static_cast<std::uint8_t>(byte);
}

}  // namespace ventari::sim
