#include "sim/two_axis_device.h"

#include <QString>
#include <algorithm>
#include <cctype>

#include "sim/sos_bin.h"
#include "sim/two_axis_message.h"

namespace ventari::sim {
namespace {

struct SettingCommand {
  char letter;
  int TwoAxisSettings::*field;
  int low;
  int high;
};

// B and F are here for their ranges; they change the line, not just the field.
constexpr SettingCommand kKestrixCommands[] = {
    {'M', &TwoAxisSettings::messageMode, 1, 2}, {'O', &TwoAxisSettings::fieldFormat, 1, 2},
    {'F', &TwoAxisSettings::format, 1, 6},      {'B', &TwoAxisSettings::baud, 1, 7},
    {'L', &TwoAxisSettings::terminator, 1, 2},  {'P', &TwoAxisSettings::rate, 1, 6},
    {'U', &TwoAxisSettings::units, 1, 5},       {'V', &TwoAxisSettings::verticalPad, 1, 2},
    {'A', &TwoAxisSettings::sonic, 0, 3},       {'K', &TwoAxisSettings::nmeaStyle, 1, 2},
    {'Z', &TwoAxisSettings::scaling, 1, 7},     {'T', &TwoAxisSettings::analogueType, 1, 3},
    {'Y', &TwoAxisSettings::chan3, 1, 2},       {'C', &TwoAxisSettings::wrap, 1, 2},
    {'J', &TwoAxisSettings::tests, 0, 3},       {'X', &TwoAxisSettings::alignment, 1, 4},
    {'H', &TwoAxisSettings::heating, 1, 2},
};

constexpr SettingCommand kLarkvaneCommands[] = {
    {'M', &TwoAxisSettings::messageMode, 1, 2},  {'O', &TwoAxisSettings::fieldFormat, 1, 2},
    {'F', &TwoAxisSettings::format, 1, 3},       {'B', &TwoAxisSettings::baud, 1, 5},
    {'L', &TwoAxisSettings::terminator, 1, 2},   {'P', &TwoAxisSettings::rate, 1, 3},
    {'U', &TwoAxisSettings::units, 1, 5},        {'C', &TwoAxisSettings::wrap, 1, 2},
    {'T', &TwoAxisSettings::analogueType, 1, 2}, {'S', &TwoAxisSettings::analogueRange, 3, 9},
};

constexpr int kLongestAveragingS = 3600;
constexpr int kInvertedAlignment = 3;  // X3 and X4 came with software version 3.00
constexpr int kPolarMode = 2;

bool AllDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(c) != 0; });
}

}  // namespace

TwoAxisDevice::TwoAxisDevice(Runtime& runtime, TwoAxisModel model, std::string serialNumber,
                             std::string softwareVersion, const TwoAxisSettings& settings,
                             std::uint32_t seed)
    : SimDevice(runtime, LineSettings{}, seed),
      model_(model),
      serialNumber_(std::move(serialNumber)),
      softwareVersion_(std::move(softwareVersion)),
      settings_(settings),
      eeprom_(model == TwoAxisModel::kLarkvane) {
  if (model_ == TwoAxisModel::kLarkvane) monitor_ = std::make_unique<LarkvaneMonitor>(eeprom_);
  SetLine(TwoAxisFormat(settings_.format, TwoAxisBaud(settings_.baud).value_or(9600))
              .value_or(LineSettings{}));
  StartStreaming();
}

TwoAxisDevice::~TwoAxisDevice() = default;

char TwoAxisDevice::TypeCode() const {
  switch (model_) {
    case TwoAxisModel::kKestrix2:
      return 'E';
    case TwoAxisModel::kKestrix2Heated:
      return 'F';
    case TwoAxisModel::kLarkvane:
      break;
  }
  return 'Y';
}

std::string TwoAxisDevice::D1Reply() const { return TypeCode() + serialNumber_ + "\r\n"; }

std::string TwoAxisDevice::D2Reply() const {
  if (model_ != TwoAxisModel::kLarkvane) return softwareVersion_ + "\r\n";
  // The Larkvane writes its version without the point, in the last three of nine places.
  return "Ver  " + softwareVersion_.substr(0, 1) + softwareVersion_.substr(2, 2) + "\r\n";
}

std::string TwoAxisDevice::D3Reply() const {
  const TwoAxisSettings& s = settings_;
  if (model_ == TwoAxisModel::kLarkvane) {
    // Comma-separated; ",\r\n" appears only at the very end.
    return QString::asprintf("B%d,F%d,L%d,M%d,O%d,P%d,S%d,C%d,T%d,U%d,\r\n", s.baud, s.format,
                             s.terminator, s.messageMode, s.fieldFormat, s.rate, s.analogueRange,
                             s.wrap, s.analogueType, s.units)
        .toStdString();
  }
  return QString::asprintf(
             "A%d B%d C%d E%d F%d G%04d H%d J%d K%d L%d M%d O%d P%d T%d U%d V%d X%d Y%d Z%d\r\n",
             s.sonic, s.baud, s.wrap, s.duplex, s.format, s.averaging, s.heating, s.tests,
             s.nmeaStyle, s.terminator, s.messageMode, s.fieldFormat, s.rate, s.analogueType,
             s.units, s.verticalPad, s.alignment, s.chan3, s.scaling)
      .toStdString();
}

void TwoAxisDevice::OnByte(std::uint8_t byte) {
  if (keepingRate_ && LinePending()) return;
  keepingRate_ = false;
  if (!configMode_) {
    if (byte == '*') EnterConfigMode();
    return;
  }
  std::string line;
  if (!TakeLine(byte, line)) {
    Transmit(std::string_view(reinterpret_cast<const char*>(&byte), 1));
    if (byte == '*') EnterConfigMode();
    return;
  }
  Transmit(eeprom_.IsMonitorCommand(line) ? "\r" : "\r\n");
  Command(line);
}

void TwoAxisDevice::EnterConfigMode() {
  configMode_ = true;
  StopOutput();
  ClearLine();
  Reply("\r\nCONFIGURATION MODE\r\n");
}

void TwoAxisDevice::Command(const std::string& typed) {
  if (auto reply = monitor_ ? monitor_->Command(typed, {Chance(faults().silentChecksums),
                                                        Chance(faults().garbledChecksum)})
                            : std::nullopt) {
    if (!reply->empty()) Reply(std::move(*reply));
    return;
  }
  if (auto reply = eeprom_.Command(typed)) {
    if (!reply->empty()) Reply(std::move(*reply));
    return;
  }
  std::string line;
  for (const char c : typed) {
    if (c != ' ') line.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  if (line.empty()) return;
  if (line == "Q") {
    configMode_ = false;
    eeprom_.Lock();
    StartStreaming();
    return;
  }
  if (line == "D1") return Reply(D1Reply());
  if (line == "D2") return Reply(D2Reply());
  if (line == "D3") return Reply(D3Reply());
  if (line == "B" || line == "F") {
    ConfirmLine();
    return;
  }
  if (!ApplySetting(line[0], line.substr(1))) Reply("?\r\n");
}

bool TwoAxisDevice::ApplySetting(char letter, const std::string& digits) {
  if (!AllDigits(digits)) return false;
  const bool larkvane = model_ == TwoAxisModel::kLarkvane;
  if (letter == 'G') {
    if (larkvane || digits.size() != 4 || std::stoi(digits) > kLongestAveragingS) return false;
    settings_.averaging = std::stoi(digits);
    return true;
  }
  if (digits.size() != 1) return false;
  const int digit = digits[0] - '0';
  const auto* begin = larkvane ? std::begin(kLarkvaneCommands) : std::begin(kKestrixCommands);
  const auto* end = larkvane ? std::end(kLarkvaneCommands) : std::end(kKestrixCommands);
  const auto* command =
      std::find_if(begin, end, [letter](const SettingCommand& c) { return c.letter == letter; });
  if (command == end || digit < command->low || digit > command->high) return false;
  if (letter == 'S' && digit % 3 != 0) return false;
  if (letter == 'X' && digit >= kInvertedAlignment &&
      QString::fromStdString(softwareVersion_).toDouble() < 3.0) {
    return false;
  }
  if (letter == 'B' || letter == 'F') {
    ProposeLineChange(letter, digit);
    return true;
  }
  settings_.*(command->field) = digit;
  return true;
}

void TwoAxisDevice::ProposeLineChange(char letter, int digit) {
  // The command is answered at the old settings; the new ones hold from the moment the reply
  // has been handed to the transmitter.
  const bool keepRate = letter == 'B' && Chance(faults().keepRate);
  Reply("", [this, letter, digit, keepRate] {
    LineSettings line = Line();
    if (letter == 'B') {
      line.baud = *TwoAxisBaud(digit);
      keepingRate_ = keepRate;
    } else {
      const LineSettings format = *TwoAxisFormat(digit, line.baud);
      line.dataBits = format.dataBits;
      line.parity = format.parity;
    }
    ProposeLine(line, [this, letter, digit] {
      (letter == 'B' ? settings_.baud : settings_.format) = digit;
    });
  });
}

void TwoAxisDevice::StartStreaming() {
  if (configMode_) return;
  StartOutput(static_cast<int>(1000.0 / TwoAxisRateHz(settings_.rate)));
}

std::string TwoAxisDevice::DataMessage(const WindSample& sample, std::size_t& endMarker) {
  if (monitor_ && monitor_->DebugListing() != LarkvaneMonitor::Listing::kNone) {
    endMarker = std::string::npos;
    const LarkvaneMonitor::Spoilt spoilt{.shortLine = Chance(faults().shortDebug)};
    return monitor_->DebugLine(random(), spoilt);
  }
  if (const DebugOutput debug = eeprom_.Debug(); debug != DebugOutput::kOff) {
    endMarker = std::string::npos;
    return eeprom_.DiagnosticLine(debug, random());
  }
  if (model_ != TwoAxisModel::kLarkvane && settings_.sonic == kSosOutputSetting &&
      settings_.messageMode == kPolarMode) {
    const double sos = BinSpeedOfSound(
        faults().binTemperature, faults().sosError,
        StoredSosOffset(eeprom_.Cell(kSosOffsetLowCell), eeprom_.Cell(kSosOffsetHighCell)));
    return SosBinMessage(settings_, sample, sos, faults().binTemperature, endMarker);
  }
  return TwoAxisMessage(settings_, sample, endMarker);
}

}  // namespace ventari::sim
