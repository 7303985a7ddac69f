#include "triaxis/tri_axis_binary_decoder.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "base/number_text.h"
#include "base/record_field.h"

namespace ventari {
namespace {

// A direction, speed or absolute temperature the anemometer could not measure.
constexpr std::uint16_t kAbsent = 0xB1E0;
constexpr int kFirstValue = 2;  // offset of the first value after the status pair
constexpr double kAnalogueInputScale = 6.1 * 0.0001;

int OptionalFieldCount(const TriAxisConfig& config) {
  return (config.HasSpeedOfSound() ? 1 : 0) + (config.HasAbsoluteTemperature() ? 1 : 0) +
         static_cast<int>(std::count(config.Aip.begin(), config.Aip.end(), true));
}

std::uint16_t WordAt(const QByteArray& bytes, int offset) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) << 8 |
                                    static_cast<std::uint8_t>(bytes[offset + 1]));
}

// `value` with `decimals` decimals, its integer part zero-filled to `integerDigits`; `sign`
// puts "+" before a non-negative value.
QString ZeroFilled(double value, int precision, int decimals, int integerDigits, bool sign) {
  QString digits = FixedText(std::abs(value), precision, decimals);
  const qsizetype point = decimals > 0 ? digits.indexOf(QLatin1Char('.')) : digits.size();
  if (point >= 0 && point < integerDigits)
    digits.prepend(QString(integerDigits - point, QLatin1Char('0')));
  if (value < 0) return QLatin1Char('-') + digits;
  return sign ? QLatin1Char('+') + digits : digits;
}

// The field's text and, as the sums take it, that text read back.
TriAxisField Field(const QString& text) { return {text, text.toDouble()}; }

TriAxisField Signed(std::uint16_t word) {
  return Field(ZeroFilled(static_cast<std::int16_t>(word) * 0.01, 6, 2, 2, true));
}

TriAxisField Unsigned(std::uint16_t word, int integerDigits) {
  return Field(ZeroFilled(word * 0.01, 6, 2, integerDigits, false));
}

TriAxisField SignedTemperature(std::uint16_t word) {
  return Field(ZeroFilled(static_cast<std::int16_t>(word) * 0.01, 6, 2, 3, true));
}

TriAxisField AnalogueInput(std::uint16_t word) {
  return Field(ZeroFilled(static_cast<std::int16_t>(word) * kAnalogueInputScale, 4, 4, 1, true));
}

QString SpeedOfSoundHeader(int sosMode) {
  switch (sosMode) {
    case 1:
      return QStringLiteral("    SoS          ");
    case 2:
      return QStringLiteral("SonicT K       ");
    default:
      return QStringLiteral("SonicT C       ");
  }
}

// `value` without the error of binary floating point below a millionth, so an average of 4.56
// times 100 is 456 before it is truncated, not 455.99999999999994.
double WithoutRoundingNoise(double value) {
  const double rounded = std::round(value * 1e6) / 1e6;
  return std::isfinite(rounded) ? rounded : value;
}

}  // namespace

int TriAxisBinaryDecoder::RecordSize(const TriAxisConfig& config) {
  return kFirstValue + 6 + 2 * OptionalFieldCount(config) + 1;
}

TriAxisBinaryRecord TriAxisBinaryDecoder::Decode(const QByteArray& bytes) const {
  TriAxisBinaryRecord record;
  record.bytes = bytes;
  const int size = RecordSize(config_);
  if (bytes.size() < size) return record;
  // The check byte stands where the layout ends. Which bytes it covers is not settled: the
  // averaged records this system writes XOR their value bytes, and a check over the status pair
  // too is as likely (the two agree on a status of 0 and 0). A record passes when either
  // matches; a byte lost or changed on the line fails both but for 2 times in 256.
  std::uint8_t values = 0;
  for (int i = kFirstValue; i < size - 1; ++i) values ^= static_cast<std::uint8_t>(bytes[i]);
  const auto withStatus = static_cast<std::uint8_t>(values ^ bytes[0] ^ bytes[1]);
  const auto check = static_cast<std::uint8_t>(bytes[size - 1]);
  // A record cut short on the line and joined to the start of the next one passes the check as
  // often, and holds that start (0xBA 0xBA), which the values before the check byte never hold:
  // no reading is 0xBABA, nor from -179.20 to -176.65 after one ending in 0xBA.
  if ((check != values && check != withStatus) || bytes.left(size - 1).contains("\xBA\xBA")) {
    record.outcome = TriAxisBinaryRecord::Outcome::kBadCheckByte;
    return record;
  }
  record.status =
      TriAxisStatusPair{static_cast<std::uint8_t>(bytes[0]), static_cast<std::uint8_t>(bytes[1])};
  const std::uint16_t words[3] = {WordAt(bytes, kFirstValue), WordAt(bytes, kFirstValue + 2),
                                  WordAt(bytes, kFirstValue + 4)};
  auto& [first, second, third] = record.values;
  QString line = QStringLiteral("%1 %2  ")
                     .arg(record.status->address, 2, 16, QLatin1Char('0'))
                     .arg(record.status->value, 2, 16, QLatin1Char('0'))
                     .toUpper();
  if (config_.ReportsPolar()) {
    if (words[0] == kAbsent || words[1] == kAbsent) {
      record.outcome = TriAxisBinaryRecord::Outcome::kNoWind;
      record.values = {};
      return record;
    }
    first = Field(QStringLiteral("%1").arg(words[0], 3, 10, QLatin1Char('0')));
    second = Unsigned(words[1], 2);
    third = Signed(words[2]);
    line += QStringLiteral("  %1     %2   %3   ").arg(first.text, second.text, third.text);
  } else {
    first = Signed(words[0]);
    second = Signed(words[1]);
    third = Signed(words[2]);
    line += QStringLiteral("%1   %2   %3   ").arg(first.text, second.text, third.text);
  }

  std::size_t sum = 0;
  for (const TriAxisField& value : record.values) record.sums[sum++] = value.value;
  QString header;
  int offset = kFirstValue + 6;
  if (config_.HasSpeedOfSound()) {
    header += SpeedOfSoundHeader(config_.SosMode);
    const std::uint16_t word = WordAt(bytes, offset);
    const TriAxisField field = config_.SosMode == 3 ? SignedTemperature(word) : Unsigned(word, 3);
    line += field.text + QStringLiteral("   ");
    record.sums[sum++] = field.value;
    record.optional.speedOfSound = field;
    offset += 2;
  }
  if (config_.HasAbsoluteTemperature()) {
    const bool kelvin = config_.AbsTempMode == 1;
    header += kelvin ? QStringLiteral(" AbsT K          ") : QStringLiteral(" AbsT C          ");
    const std::uint16_t word = WordAt(bytes, offset);
    TriAxisField field;
    if (word == kAbsent) {
      field.text = kelvin ? QStringLiteral("------") : QStringLiteral("-------");
    } else {
      field = kelvin ? Unsigned(word, 3) : SignedTemperature(word);
    }
    line += field.text + QStringLiteral("   ");
    record.sums[sum++] = field.value;
    record.optional.absoluteTemperature = field;
    offset += 2;
  }
  for (int channel = 1; channel <= 6; ++channel) {
    if (!config_.Aip[channel - 1]) continue;
    header += QStringLiteral("    Aip%1            ").arg(channel);
    const TriAxisField field = AnalogueInput(WordAt(bytes, offset));
    line += field.text;
    if (channel != 6) line += QStringLiteral("   ");
    record.sums[sum++] = field.value;
    record.optional.analogueInputs[channel - 1] = field;
    offset += 2;
  }

  record.line = line;
  record.header = header;
  record.outcome = TriAxisBinaryRecord::Outcome::kUsable;
  return record;
}

int TriAxisAveragedFieldCount(const TriAxisConfig& config) {
  return 3 + OptionalFieldCount(config);
}

QString TriAxisAveragedLine(const TriAxisAverages& averages, const TriAxisConfig& config) {
  QStringList texts;
  const int count = TriAxisAveragedFieldCount(config);
  for (int i = 0; i < count; ++i) {
    const int decimals = i == 0 && config.ReportsPolar() ? 0 : 2;
    const std::optional<double>& average = averages[static_cast<std::size_t>(i)];
    texts << (average ? FixedText(*average, 6, decimals) : QString());
  }
  return texts.join(QLatin1Char(','));
}

TriAxisAveragedBinaryRecord BuildAveragedBinaryRecord(const TriAxisAverages& averages,
                                                      const TriAxisConfig& config) {
  TriAxisAveragedBinaryRecord record;
  record.line = TriAxisAveragedLine(averages, config);
  record.bytes = QByteArray(kFirstValue, '\0');
  const int count = TriAxisAveragedFieldCount(config);
  const int firstAnalogueInput =
      3 + (config.HasSpeedOfSound() ? 1 : 0) + (config.HasAbsoluteTemperature() ? 1 : 0);
  std::uint8_t check = 0;
  for (int i = 0; i < count; ++i) {
    const std::optional<double>& average = averages[static_cast<std::size_t>(i)];
    std::uint16_t word = kAbsent;
    if (average) {
      double scale = 100;
      if (i == 0 && config.ReportsPolar()) scale = 1;
      if (i >= firstAnalogueInput) scale = 1000;
      word = static_cast<std::uint16_t>(Truncated(WithoutRoundingNoise(*average * scale)));
    }
    for (const auto byte : {static_cast<char>(word >> 8), static_cast<char>(word & 0xFF)}) {
      record.bytes += byte;
      check ^= static_cast<std::uint8_t>(byte);
    }
  }
  record.bytes += static_cast<char>(check);
  return record;
}

}  // namespace ventari
