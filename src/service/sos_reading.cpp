#include "service/sos_reading.h"

#include <cmath>

#include "base/record_field.h"

namespace ventari {
namespace {

constexpr float kZeroCelsius = 273.16F;
constexpr float kSosSquarePerKelvin = 403.0F;
constexpr int kSosFirst = 17;
constexpr int kSosWidth = 7;
constexpr float kHundredths = 100.0F;
// Truncation toward zero keeps -32768.9 to 32767.9 within the cells' 16 bits.
constexpr float kOffsetAbove = 32768.0F;
constexpr float kOffsetBelow = -32769.0F;

}  // namespace

int ChecksumCell(int sum) { return ((sum % 256) + 256) % 256; }

std::optional<float> SosNumber(const QString& text) {
  bool ok = false;
  const float value = text.trimmed().toFloat(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<float> TheoreticalSos(const QString& temperature) {
  const std::optional<float> celsius = SosNumber(temperature);
  if (!celsius) return std::nullopt;
  const float kelvin = *celsius + kZeroCelsius;
  if (!(kelvin > 0.0F)) return std::nullopt;
  const float speed = std::sqrt(kSosSquarePerKelvin * kelvin);
  if (!std::isfinite(speed)) return std::nullopt;
  return speed;
}

std::optional<float> SosField(const QByteArray& dataString) {
  if (dataString.size() < kSosFirst + kSosWidth - 1) return std::nullopt;
  const std::optional<double> value = NumberAt(dataString, kSosFirst, kSosWidth);
  if (!value) return std::nullopt;
  const auto speed = static_cast<float>(*value);
  if (!std::isfinite(speed)) return std::nullopt;
  return speed;
}

std::optional<SosOffset> SosOffsetFor(float theoretical, float measured) {
  float d = theoretical - measured;
  d = d * kHundredths;
  if (!(d > kOffsetBelow && d < kOffsetAbove)) return std::nullopt;
  SosOffset result;
  result.offset = static_cast<int>(std::trunc(d));
  result.lower = static_cast<std::uint8_t>(result.offset & 0xFF);
  result.upper = static_cast<std::uint8_t>((result.offset >> 8) & 0xFF);
  return result;
}

void SosReadings::Add(float speed) {
  speeds_[static_cast<std::size_t>(next_)] = speed;
  next_ = (next_ + 1) % kCount;
  if (held_ < kCount) ++held_;
}

std::optional<float> SosReadings::Mean() const {
  if (held_ < kCount) return std::nullopt;
  // Oldest first, as the list's lines 4 to 13 were summed.
  float sum = 0.0F;
  for (int i = 0; i < kCount; ++i) sum += speeds_[static_cast<std::size_t>((next_ + i) % kCount)];
  const float mean = sum / static_cast<float>(kCount);
  // Speeds such as "3e38" fit the field but overflow the sum.
  if (!std::isfinite(mean)) return std::nullopt;
  return mean;
}

}  // namespace ventari
