#include "triaxis/tri_axis_ascii_decoder.h"

#include <QList>
#include <algorithm>
#include <climits>
#include <cstddef>
#include <initializer_list>

#include "base/record_field.h"

namespace ventari {
namespace {

using Layout = TriAxisAsciiRecord::Layout;
using Outcome = TriAxisAsciiRecord::Outcome;

// Where the optional fields start in layout U; the polar layouts start them earlier.
constexpr int kOptionalStart = 28;
constexpr int kSpeedOfSoundWidth = 6;
constexpr int kAbsoluteTemperatureWidth = 6;
constexpr int kAnalogueInputWidth = 7;

// The character at `position` (from 1); none beyond the record.
char At(const QByteArray& text, int position) {
  return position >= 1 && position <= text.size() ? text[position - 1] : '\0';
}

QString Mid(const QByteArray& text, int first, int count) {
  return QString::fromLatin1(text.mid(first - 1, count));
}

bool AnyNotComma(const QByteArray& text, std::initializer_list<int> positions) {
  return std::any_of(positions.begin(), positions.end(),
                     [&](int position) { return At(text, position) != ','; });
}

// Applies the report mode's test.
Outcome Classify(const QByteArray& text, const TriAxisConfig& config) {
  if (config.ReportsUvw()) {
    if (AnyNotComma(text, {3, 6, 13, 20, 27})) return Outcome::kMalformed;
    if (At(text, 7) == ',' || text.mid(7, 5) == "99.99") return Outcome::kPathsBlocked;
  } else if (config.ReportsAxis()) {
    if (At(text, 7) == ',' || At(text, 14) == ',' || At(text, 21) == ',' ||
        text.mid(7, 5) == "99.99") {
      return Outcome::kPathsBlocked;
    }
  } else if (config.ReportsPolar()) {
    if (At(text, 8) == ',' || text.mid(6, 3) == "999" ||
        (At(text, 7) != ',' && AnyNotComma(text, {3, 6, 10, 16, 23}))) {
      return Outcome::kPathsBlocked;
    }
  }
  return Outcome::kUsable;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The status address at 1-2 (decimal) and value at 4-5 (hexadecimal).
std::optional<TriAxisStatusPair> ReadStatus(const QByteArray& text) {
  bool ok = false;
  const int address = text.left(2).toInt(&ok, 10);
  if (!ok || !IsHexDigit(At(text, 4)) || !IsHexDigit(At(text, 5))) return std::nullopt;
  return TriAxisStatusPair{address, text.mid(3, 2).toInt(nullptr, 16)};
}

// Reads `count` characters at `first` into `field`; false when they are not a number.
bool ReadField(const QByteArray& text, int first, int count, TriAxisField& field) {
  field.text = Mid(text, first, count);
  field.value = NumberAt(text, first, count);
  return field.value.has_value();
}

QString SpeedOfSoundHeader(int sosMode) {
  switch (sosMode) {
    case 1:
      return QStringLiteral("   SoS            ");
    case 2:
      return QStringLiteral("SonicT K       ");
    default:
      return QStringLiteral("SonicT C       ");
  }
}

QString AbsoluteTemperatureHeader(const TriAxisConfig& config) {
  const bool kelvin = config.AbsTempMode == 1;
  if (config.HasSpeedOfSound()) {
    return kelvin ? QStringLiteral("AbsT K          ") : QStringLiteral("AbsT C          ");
  }
  return kelvin ? QStringLiteral(" AbsT K         ") : QStringLiteral("AbsT C          ");
}

QString AnalogueInputHeader(int channel) {
  if (channel == 1) return QStringLiteral("     Aip1                ");
  if (channel == 2) return QStringLiteral("Aip2                 ");
  return QStringLiteral("Aip%1").arg(channel) + QString(16, QLatin1Char(' '));
}

// Fills everything an accepted record gives; false at the first field that is not a number.
bool ReadFields(const QByteArray& text, const TriAxisConfig& config, TriAxisAsciiRecord& record) {
  auto& [first, second, third] = record.values;
  QString line = Mid(text, 1, 2) + QLatin1Char(' ') + Mid(text, 4, 2);
  int start = kOptionalStart;
  switch (record.layout) {
    case Layout::kUvwOrAxis:
      if (!ReadField(text, 7, 6, first) || !ReadField(text, 14, 6, second) ||
          !ReadField(text, 21, 6, third)) {
        return false;
      }
      line += QStringLiteral("   %1   %2   %3   ").arg(first.text, second.text, third.text);
      break;
    case Layout::kPolar:
      if (!ReadField(text, 7, 3, first) || !ReadField(text, 11, 5, second) ||
          !ReadField(text, 17, 6, third)) {
        return false;
      }
      line += QStringLiteral("    %1     %2    %3   ").arg(first.text, second.text, third.text);
      start -= 4;
      break;
    case Layout::kPolarNoDirection:
      first = {QStringLiteral("---"), std::nullopt};
      if (!ReadField(text, 8, 5, second) || !ReadField(text, 14, 6, third)) return false;
      line += QStringLiteral("    ---     %1    %2   ").arg(second.text, third.text);
      start -= 7;
      break;
  }

  std::size_t sum = 0;
  for (const TriAxisField& value : record.values) record.sums[sum++] = value.value;
  QString header;
  const auto add = [&](const TriAxisField& field) {
    line += field.text + QStringLiteral("   ");
    record.sums[sum++] = field.value;
  };

  if (config.HasSpeedOfSound()) {
    header += SpeedOfSoundHeader(config.SosMode);
    TriAxisField field;
    if (!ReadField(text, start, kSpeedOfSoundWidth, field)) return false;
    add(field);
    record.optional.speedOfSound = field;
    start += kSpeedOfSoundWidth + 1;
  }
  if (config.HasAbsoluteTemperature()) {
    header += AbsoluteTemperatureHeader(config);
    TriAxisField field;
    const QByteArray raw = text.mid(start - 1, kAbsoluteTemperatureWidth);
    if (raw.startsWith(',')) {
      field.text = QStringLiteral("------");
      start += 1;
    } else {
      if (raw == "+99.99") {
        field.text = QStringLiteral("------");
      } else if (!ReadField(text, start, kAbsoluteTemperatureWidth, field)) {
        return false;
      }
      start += kAbsoluteTemperatureWidth + 1;
    }
    add(field);
    record.optional.absoluteTemperature = field;
  }
  for (int channel = 1; channel <= 6; ++channel) {
    if (!config.Aip[channel - 1]) continue;
    header += AnalogueInputHeader(channel);
    TriAxisField field;
    if (!ReadField(text, start, kAnalogueInputWidth, field)) return false;
    add(field);
    record.optional.analogueInputs[channel - 1] = field;
    start += kAnalogueInputWidth + 1;
  }
  record.line = line;
  record.header = header;

  if (record.layout == Layout::kPolar) {
    record.graph = TriAxisGraphValues{true, {*first.value, *second.value, *third.value}};
    record.alarm = TriAxisAlarmValues{*first.value, *second.value};
    const auto direction = std::clamp<std::int64_t>(Truncated(*first.value), INT_MIN, INT_MAX);
    record.windsock =
        TriAxisWindsockSample{static_cast<int>(direction), *second.value, *third.value};
  } else if (config.ReportsUvw()) {
    record.graph = TriAxisGraphValues{false, {*first.value, *second.value, *third.value}};
    record.alarm = TriAxisAlarmValues{*first.value, *second.value};
  }
  return true;
}

}  // namespace

TriAxisAsciiRecord TriAxisAsciiDecoder::Decode(const QByteArray& received) const {
  TriAxisAsciiRecord record;
  record.text = received;
  const std::optional<QByteArray> padded =
      config_.IsAsciiUnpadded() ? Padded(received, config_) : received;
  if (!padded) return record;
  const QByteArray& text = *padded;
  if (config_.ReportsPolar()) {
    record.layout = At(text, 7) == ',' ? Layout::kPolarNoDirection : Layout::kPolar;
  }

  record.outcome = Classify(text, config_);
  if (record.outcome == Outcome::kPathsBlocked)
    record.line = QString::fromLatin1(kPathsBlockedLine);
  if (record.outcome != Outcome::kUsable) return record;

  record.status = ReadStatus(text);
  if (record.status && ReadFields(text, config_, record)) return record;
  TriAxisAsciiRecord unreadable;
  unreadable.text = received;
  unreadable.layout = record.layout;
  unreadable.status = record.status;
  return unreadable;
}

std::optional<QByteArray> TriAxisAsciiDecoder::Padded(const QByteArray& text,
                                                      const TriAxisConfig& config) {
  // Status address and value, the three values, then the optional fields in record order.
  std::array<int, 13> widths{2, 2};
  std::size_t count = 2;
  for (int width : config.ReportsPolar() ? std::array{3, 5, 6} : std::array{6, 6, 6}) {
    widths[count++] = width;
  }
  if (config.HasSpeedOfSound()) widths[count++] = kSpeedOfSoundWidth;
  if (config.HasAbsoluteTemperature()) widths[count++] = kAbsoluteTemperatureWidth;
  for (bool enabled : config.Aip) {
    if (enabled) widths[count++] = kAnalogueInputWidth;
  }

  const QList<QByteArray> fields = text.split(',');
  QByteArray padded;
  // Every field is followed by a comma; what follows the last comma stays as it is.
  for (qsizetype i = 0; i + 1 < fields.size(); ++i) {
    QByteArray field = fields[i];
    const auto index = static_cast<std::size_t>(i);
    if (index < count && !field.isEmpty()) {
      if (field.size() > widths[index]) return std::nullopt;
      const qsizetype sign = field[0] == '+' || field[0] == '-' ? 1 : 0;
      field.insert(sign, QByteArray(widths[index] - field.size(), '0'));
    }
    padded += field + ',';
  }
  return padded + fields.last();
}

}  // namespace ventari
