#include "sim/two_axis_settings.h"

#include <array>

namespace ventari::sim {
namespace {

constexpr std::array<std::int32_t, 7> kBaudOfDigit = {2400, 4800, 9600, 19200, 38400, 1200, 300};
constexpr std::array<double, 6> kHzOfDigit = {1, 4, 2, 5, 8, 10};

}  // namespace

std::optional<std::int32_t> TwoAxisBaud(int digit) {
  if (digit < 1 || digit > static_cast<int>(kBaudOfDigit.size())) return std::nullopt;
  return kBaudOfDigit[digit - 1];
}

std::optional<int> TwoAxisBaudDigit(std::int32_t baud) {
  for (std::size_t i = 0; i < kBaudOfDigit.size(); ++i) {
    if (kBaudOfDigit[i] == baud) return static_cast<int>(i) + 1;
  }
  return std::nullopt;
}

std::optional<LineSettings> TwoAxisFormat(int digit, std::int32_t baud) {
  if (digit < 1 || digit > 6) return std::nullopt;
  static constexpr std::array<Parity, 3> kParity = {Parity::kNone, Parity::kEven, Parity::kOdd};
  LineSettings line;
  line.baud = baud;
  line.dataBits = digit <= 3 ? 8 : 7;
  line.parity = kParity[(digit - 1) % 3];
  return line;
}

std::optional<int> TwoAxisFormatDigit(const LineSettings& line) {
  for (int digit = 1; digit <= 6; ++digit) {
    const auto format = TwoAxisFormat(digit, line.baud);
    if (format->dataBits == line.dataBits && format->parity == line.parity) return digit;
  }
  return std::nullopt;
}

double TwoAxisRateHz(int digit) {
  return digit >= 1 && digit <= static_cast<int>(kHzOfDigit.size()) ? kHzOfDigit[digit - 1] : 1;
}

int TwoAxisRateDigit(TwoAxisModel model, double hz) {
  const int highestDigit = model == TwoAxisModel::kLarkvane ? 3 : 6;
  int best = 1;
  for (int digit = 1; digit <= highestDigit; ++digit) {
    if (TwoAxisRateHz(digit) <= hz && TwoAxisRateHz(digit) > TwoAxisRateHz(best)) best = digit;
  }
  return best;
}

}  // namespace ventari::sim
