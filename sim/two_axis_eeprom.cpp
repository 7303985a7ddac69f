#include "sim/two_axis_eeprom.h"

#include <QString>
#include <QStringList>
#include <array>

namespace ventari::sim {
namespace {

constexpr std::uint8_t kErased = 0xFF;
constexpr int kRowLength = 16;

// Cells of the debug selection and the values that switch the output on.
constexpr int kDebugEnable = 64;
constexpr int kDebugStatus = 65;
constexpr int kDebugKind = 66;
constexpr int kDebugKey = 74;
constexpr std::uint8_t kDebugOff = 255;
constexpr std::uint8_t kDebugKeyOn = 85;

struct DumpBlock {
  int first;
  int last;
};
constexpr std::array<DumpBlock, 3> kDumpD92{{{16, 47}, {48, 79}, {80, 127}}};
constexpr std::array<DumpBlock, 4> kDumpD93{{{384, 563}, {564, 743}, {744, 844}, {845, 945}}};

struct Range {
  int low;
  int high;
  int fault;
};
constexpr Range kGain{0x08, 0x13, 0x2A};
constexpr Range kDownCounts{0x1C, 0x24, 0x30};
constexpr Range kPreload{0x70, 0x90, 0x40};
constexpr Range kCoarse{-0x25, 0x25, 0x100};

QStringList Words(const std::string& line) {
  return QString::fromStdString(line).toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

TwoAxisEeprom::TwoAxisEeprom(bool larkvane)
    : larkvane_(larkvane),
      cells_(static_cast<std::size_t>(larkvane ? kLarkvaneCells : kKestrixCells), kErased),
      writes_(cells_.size(), 0) {
  if (!larkvane_) cells_[kDebugKey] = 0;
}

int TwoAxisEeprom::WritesTo(int address) const {
  return writes_.at(static_cast<std::size_t>(address));
}

bool TwoAxisEeprom::IsMonitorCommand(const std::string& line) const {
  if (!larkvane_ || !unlocked_) return false;
  const QStringList words = Words(line);
  return !words.isEmpty() && (words[0] == "W" || words[0] == "R" || words[0] == "D") &&
         words.size() > 1;
}

std::optional<std::string> TwoAxisEeprom::Command(const std::string& line) {
  const QStringList words = Words(line);
  if (words.isEmpty()) return std::nullopt;
  const QString accessWord = larkvane_ ? QStringLiteral("VESPRANT") : QStringLiteral("MAVROTIK");
  if (words.size() == 1 && words[0] == accessWord) {
    unlocked_ = true;
    return std::string();
  }
  const bool monitor = IsMonitorCommand(line);
  const std::string newLine = monitor ? "\r\n" : "";
  if (words[0] == "W" && words.size() == 3) {
    if (!unlocked_) return std::string("?\r\n");
    return newLine + Write(words[1].toStdString(), words[2].toStdString());
  }
  if (words[0] == "R" && words.size() == 2) {
    if (silent_) return std::string();
    return newLine + Read(words[1].toStdString());
  }
  if (larkvane_ && monitor && words[0] == "D" && words.size() == 2 &&
      (words[1] == "92" || words[1] == "93")) {
    if (silent_) return std::string();
    if (words[1] == "92") CountInOwnCells();
    return newLine + Dump(words[1] == "92" ? 2 : 3);
  }
  return std::nullopt;
}

void TwoAxisEeprom::CountInOwnCells() {
  for (const int cell : {2, 3, 4, 5, 0x43, 0x44, 0x45}) ++cells_[static_cast<std::size_t>(cell)];
}

std::optional<int> TwoAxisEeprom::Number(const std::string& text) const {
  bool ok = false;
  const int value = QString::fromStdString(text).toInt(&ok, larkvane_ ? 16 : 10);
  if (!ok || value < 0) return std::nullopt;
  return value;
}

std::string TwoAxisEeprom::Write(const std::string& address, const std::string& value) {
  const auto a = Number(address);
  const auto v = Number(value);
  if (!a || !v || *a >= Size() || *v > 0xFF) return "?\r\n";
  if (const auto loss = losses_.find(*a); loss != losses_.end() && loss->second != 0) {
    if (loss->second > 0) --loss->second;
    return "";
  }
  cells_[static_cast<std::size_t>(*a)] = static_cast<std::uint8_t>(*v);
  ++writes_[static_cast<std::size_t>(*a)];
  return "";
}

std::string TwoAxisEeprom::Read(const std::string& address) const {
  const auto a = Number(address);
  if (!a || *a >= Size()) return "?\r\n";
  const int value = cells_[static_cast<std::size_t>(*a)];
  return (larkvane_ ? QString::asprintf("%02X\r\n", value) : QString::asprintf("%d\r\n", value))
      .toStdString();
}

std::string TwoAxisEeprom::Dump(int which) const {
  const std::span<const DumpBlock> blocks =
      which == 2 ? std::span<const DumpBlock>(kDumpD92) : std::span<const DumpBlock>(kDumpD93);
  std::string text;
  for (const DumpBlock& block : blocks) {
    text += QString::asprintf("%04X\r\n", block.first).toStdString();
    for (int row = block.first; row <= block.last; row += kRowLength) {
      for (int a = row; a <= block.last && a < row + kRowLength; ++a) {
        text += QString::asprintf("%02X,", cells_[static_cast<std::size_t>(a)]).toStdString();
      }
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

DebugOutput TwoAxisEeprom::Debug() const {
  if (larkvane_ || cells_[kDebugEnable] == kDebugOff || cells_[kDebugKey] != kDebugKeyOn) {
    return DebugOutput::kOff;
  }
  if (cells_[kDebugStatus] == 1) return DebugOutput::kStatus;
  switch (cells_[kDebugKind]) {
    case 64:
      return DebugOutput::kGain;
    case 8:
      return DebugOutput::kDownCounts;
    case 16:
      return DebugOutput::kPreload;
    case 1:
      return DebugOutput::kCoarseDifference;
    default:
      return DebugOutput::kOff;
  }
}

std::string TwoAxisEeprom::DiagnosticLine(DebugOutput kind, std::mt19937& random) const {
  const auto draw = [&](const Range& range) {
    return diagnosticsFault_ ? range.fault
                             : std::uniform_int_distribution<int>(range.low, range.high)(random);
  };
  QString line = QStringLiteral("\n");
  switch (kind) {
    case DebugOutput::kOff:
      return {};
    case DebugOutput::kStatus:
      // Channel n reads "n100" with its paths clear and "n4x2" with them blocked.
      for (int channel = 0; channel < 4; ++channel) {
        line +=
            QString::asprintf(diagnosticsFault_ && channel == 1 ? "%d402   " : "%d100   ", channel);
      }
      return (line + QLatin1Char('\r')).toStdString();
    case DebugOutput::kGain:
    case DebugOutput::kDownCounts:
    case DebugOutput::kPreload: {
      const Range& range = kind == DebugOutput::kGain         ? kGain
                           : kind == DebugOutput::kDownCounts ? kDownCounts
                                                              : kPreload;
      const int a = draw(range);
      const int b = draw(range);
      const int c = draw(range);
      return (line + QString::asprintf("%02X   %02X   %02X \r", a, b, c)).toStdString();
    }
    case DebugOutput::kCoarseDifference: {
      const auto word = [&] { return static_cast<unsigned>(draw(kCoarse)) & 0xFFFFu; };
      const unsigned a = word();
      const unsigned b = word();
      const unsigned c = word();
      return (line + QString::asprintf("%04X %04X %04X", a, b, c)).toStdString();
    }
  }
  return {};
}

}  // namespace ventari::sim
