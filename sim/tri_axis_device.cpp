#include "sim/tri_axis_device.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "sim/tri_axis_record.h"

namespace ventari::sim {
namespace {

constexpr int kStatusAddresses = 11;

std::string Normalised(const std::string& typed) {
  std::string line;
  for (const char c : typed) {
    if (c == ' ' && (line.empty() || line.back() == ' ')) continue;
    line.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  if (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

TriAxisDevice::TriAxisDevice(Runtime& runtime, TriAxisModel model, std::string serialNumber,
                             std::string softwareVersion, const TriAxisSettings& settings,
                             std::uint32_t seed)
    : SimDevice(runtime, LineSettings{settings.baud, Parity::kNone, 8, 1}, seed),
      model_(model),
      serialNumber_(std::move(serialNumber)),
      softwareVersion_(std::move(softwareVersion)),
      settings_(settings) {
  StartStreaming();
}

TriAxisDevice::~TriAxisDevice() = default;

char TriAxisDevice::SerialLetter() const {
  return model_ == TriAxisModel::kMz || model_ == TriAxisModel::kMz_50 ? 'H' : 'O';
}

std::string TriAxisDevice::SnText() const { return SerialLetter() + serialNumber_ + LineEnd(); }

std::string TriAxisDevice::VerText() const {
  std::string name;
  switch (model_) {
    case TriAxisModel::kT7:
      name = "T7 Ultrasonic Anemometer";
      break;
    case TriAxisModel::kMz:
      name = "MZ Ultrasonic Anemometer";
      break;
    case TriAxisModel::kT7_50:
      name = "T7 50Hz Ultrasonic Anemometer";
      break;
    case TriAxisModel::kMz_50:
      name = "T7 50Hz Ultrasonic Anemometer MZ";
      break;
  }
  return name + LineEnd() + "Version " + softwareVersion_ + LineEnd();
}

std::string TriAxisDevice::ConfigText() const {
  return TriAxisListing(settings_, model_, LineEnd());
}

void TriAxisDevice::OnByte(std::uint8_t byte) {
  if (!configMode_ && settings_.msgMode == 1 && byte == '?') {
    SendDataMessage();
    return;
  }
  if (configMode_ && settings_.echo == 0) {
    Transmit(byte == '\r' ? LineEnd() : std::string(1, static_cast<char>(byte)));
  }
  std::string line;
  if (!TakeLine(byte, line)) return;
  line = Normalised(line);
  if (!configMode_) {
    if (line == "IM") {
      configMode_ = true;
      StopOutput();
      Reply(LineEnd() + std::string(kPrompt));
    }
    return;
  }
  Command(line);
}

void TriAxisDevice::Command(const std::string& line) {
  if (line.empty() || line == "IM") return Reply(std::string(kPrompt));
  if (line == "SN") return Reply(SnText() + std::string(kPrompt));
  if (line == "VER") return Reply(VerText() + std::string(kPrompt));
  if (line == "CONFIG") return Reply(ConfigText() + std::string(kPrompt));
  if (line == "EXIT") {
    configMode_ = false;
    StartStreaming();
    return;
  }
  if (line == "B") return Answer(ConfirmLine() ? "VALID" : "ERROR");
  std::int32_t baud = 0;
  switch (ApplyTriAxisSetting(settings_, model_, line, baud)) {
    case SettingResult::kAccepted:
      return Answer("VALID");
    case SettingResult::kRejected:
      return Answer("ERROR");
    case SettingResult::kBaud:
      break;
  }
  // Answered at the old rate; the new one holds as soon as the answer is on its way (or once it
  // has left), and stays if "B" comes at it.
  const auto propose = [this, baud] {
    LineSettings line = Line();
    line.baud = baud;
    ProposeLine(line, [this, baud] { settings_.baud = baud; });
  };
  Reply("Confirm with B" + LineEnd(), [this, propose] {
    if (!rateAfterAnswer_) return propose();
    runtime().Schedule(static_cast<std::int64_t>(std::ceil(TransmitBacklogMs())), propose);
  });
}

void TriAxisDevice::StartStreaming() {
  if (configMode_ || settings_.msgMode == 1) return;
  const bool instantaneous = Is50Hz(model_) && settings_.inst == 0;
  const int sampleHz = Is50Hz(model_) ? kSampleHz50 : kSampleHz;
  StartOutput(instantaneous ? 1000 / sampleHz : settings_.average * 1000 / sampleHz);
}

std::string TriAxisDevice::DataMessage(const WindSample& sample, std::size_t& endMarker) {
  TriAxisStatus status =
      StatusFor(settings_, model_, static_cast<int>(records_ % kStatusAddresses));
  const Faults& f = faults();
  if (Chance(f.status)) status = FaultyStatus(status, static_cast<unsigned>(random()()));
  const RecordFaults spoilt{Chance(f.emptyTemp), Chance(f.overTemp), Chance(f.blockedSpeed),
                            Chance(f.malformed), Chance(f.nonNumeric)};
  return TriAxisRecord(settings_, sample, status, records_++, endMarker, spoilt);
}

}  // namespace ventari::sim
