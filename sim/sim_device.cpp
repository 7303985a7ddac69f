#include "sim/sim_device.h"

#include <algorithm>
#include <memory>

namespace ventari::sim {
namespace {

constexpr std::size_t kLongestLine = 256;
constexpr int kLongestNoiseBurst = 8;

}  // namespace

SimDevice::SimDevice(Runtime& runtime, const LineSettings& line, std::uint32_t seed)
    : runtime_(runtime), line_(line), random_(seed), wind_(seed + 1) {}

SimDevice::~SimDevice() {
  runtime_.Cancel(confirmEvent_);
  runtime_.Cancel(outputEvent_);
  runtime_.Cancel(silenceEvent_);
  for (const auto id : replyEvents_) runtime_.Cancel(id);
}

void SimDevice::Hear(std::uint8_t byte) {
  if (answering_) OnByte(byte);
}

void SimDevice::SetFaults(const Faults& faults) {
  faults_ = faults;
  stalledAtMs_ = -1;
  wind_.SetBlockedProbability(faults.blocked);
  runtime_.Cancel(silenceEvent_);
  silenceEvent_ = 0;
  if (faults.silentAfterMs >= 0) {
    silenceEvent_ = runtime_.Schedule(faults.silentAfterMs, [this] {
      silenceEvent_ = 0;
      StopAnswering();
    });
  }
}

void SimDevice::StopAnswering() {
  answering_ = false;
  StopOutput();
}

void SimDevice::Transmit(std::string_view bytes) {
  if (answering_ && output_ != nullptr) output_->Transmit(bytes);
}

void SimDevice::Reply(std::string text, std::function<void()> then) {
  const std::int64_t at = std::max(runtime_.NowMs() + processingMs_, lastReplyAtMs_);
  lastReplyAtMs_ = at;
  auto id = std::make_shared<Runtime::EventId>(0);
  *id = runtime_.Schedule(at - runtime_.NowMs(),
                          [this, id, text = std::move(text), then = std::move(then)] {
                            std::erase(replyEvents_, *id);
                            Transmit(text);
                            if (then && answering_) then();
                          });
  replyEvents_.push_back(*id);
}

bool SimDevice::TakeLine(std::uint8_t byte, std::string& line) {
  if (byte == '\r') {
    line = std::move(typed_);
    typed_.clear();
    return true;
  }
  if (byte != '\n' && typed_.size() < kLongestLine) typed_.push_back(static_cast<char>(byte));
  return false;
}

void SimDevice::ProposeLine(const LineSettings& line, std::function<void()> onConfirmed) {
  if (!LinePending()) confirmedLine_ = line_;
  runtime_.Cancel(confirmEvent_);
  line_ = line;
  onConfirmed_ = std::move(onConfirmed);
  confirmEvent_ = runtime_.Schedule(kConfirmWindowMs, [this] {
    confirmEvent_ = 0;
    line_ = confirmedLine_;
    onConfirmed_ = nullptr;
  });
}

bool SimDevice::ConfirmLine() {
  if (!LinePending()) return false;
  runtime_.Cancel(confirmEvent_);
  confirmEvent_ = 0;
  if (onConfirmed_) onConfirmed_();
  onConfirmed_ = nullptr;
  return true;
}

void SimDevice::StartOutput(int intervalMs) {
  outputIntervalMs_ = std::max(intervalMs, 1);
  if (!answering_) return;
  runtime_.Cancel(outputEvent_);
  outputEvent_ = runtime_.Schedule(outputIntervalMs_, [this] { OutputTick(); });
}

void SimDevice::StopOutput() {
  runtime_.Cancel(outputEvent_);
  outputEvent_ = 0;
}

void SimDevice::OutputTick() {
  outputEvent_ = runtime_.Schedule(outputIntervalMs_, [this] { OutputTick(); });
  const double backlog = output_ != nullptr ? output_->TransmitBacklogMs() : 0;
  if (backlog > outputIntervalMs_) return;
  SendDataMessage();
}

void SimDevice::SendDataMessage() {
  const std::int64_t now = runtime_.NowMs();
  const double seconds =
      lastSampleAtMs_ < 0 ? outputIntervalMs_ / 1000.0 : (now - lastSampleAtMs_) / 1000.0;
  lastSampleAtMs_ = now;
  std::size_t endMarker = std::string::npos;
  std::string message = DataMessage(wind_.Next(seconds), endMarker);
  SendWithFaults(std::move(message), endMarker);
}

bool SimDevice::Chance(double probability) {
  if (probability <= 0) return false;
  return std::bernoulli_distribution(std::min(probability, 1.0))(random_);
}

bool SimDevice::Stalled(std::string& message, std::size_t endMarker) {
  const std::int64_t now = runtime_.NowMs();
  if (stalledAtMs_ >= 0) {
    return faults_.resumeAfterMs < 0 || now < stalledAtMs_ + faults_.resumeAfterMs;
  }
  if (faults_.stallAfterMs < 0 || now < faults_.stallAfterMs) return false;
  stalledAtMs_ = now;
  message.resize(std::min(endMarker, message.size()) / 2);
  Transmit(message);
  return true;
}

void SimDevice::SendWithFaults(std::string message, std::size_t endMarker) {
  if (Stalled(message, endMarker)) return;
  if (Chance(faults_.noise)) {
    // Noise never contains the framing bytes of either family, so it only ever lies between
    // messages.
    std::uniform_int_distribution<int> count(1, kLongestNoiseBurst);
    std::uniform_int_distribution<int> value(0x04, 0xFF);
    std::string noise;
    for (int i = count(random_); i > 0; --i) {
      int byte = value(random_);
      if (byte == 0xBA) byte = 0xBB;
      noise.push_back(static_cast<char>(byte));
    }
    Transmit(noise);
  }
  if (Chance(faults_.drop)) return;
  if (Chance(faults_.truncate)) {
    const std::size_t end = std::min(endMarker, message.size() - 1);
    message.resize(
        std::uniform_int_distribution<std::size_t>(1, std::max<std::size_t>(end, 1))(random_));
  } else if (sentHandler_) {
    sentHandler_(message);
  }
  Transmit(message);
}

}  // namespace ventari::sim
