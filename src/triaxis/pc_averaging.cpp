#include "triaxis/pc_averaging.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ventari {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
// Below this share of the record count the summed unit vector is rounding noise: the
// directions cancel out.
constexpr double kCancelledOut = 1e-9;
// Digits of a degree kept of a mean direction, so that rounding noise around north gives 0
// and not 359.99999999999997.
constexpr double kDegreeDigits = 1e9;

}  // namespace

void PcAveraging::Add(std::span<const std::optional<double>> values) {
  const std::size_t fields = std::min(values.size(), kFields);
  for (std::size_t i = 0; i < fields; ++i) {
    if (!values[i]) continue;
    sums_[i] += *values[i];
    ++counts_[i];
  }
  if (fields > 0 && values[0]) {
    sines_ += std::sin(*values[0] * kRadiansPerDegree);
    cosines_ += std::cos(*values[0] * kRadiansPerDegree);
  }
  ++records_;
}

std::optional<double> PcAveraging::MeanDirection() const {
  if (counts_[0] == 0 || std::hypot(sines_, cosines_) < kCancelledOut * counts_[0]) {
    return std::nullopt;
  }
  const double degrees = std::atan2(sines_, cosines_) / kRadiansPerDegree;
  const double direction = std::round(degrees * kDegreeDigits) / kDegreeDigits;
  // Adding 0 turns a rounded -0 into 0.
  return direction < 0 ? direction + 360 : direction + 0.0;
}

PcAveraging::Averages PcAveraging::TakeAverages(FirstField first) {
  Averages averages;
  for (std::size_t i = 0; i < kFields; ++i) {
    if (counts_[i] > 0) averages[i] = sums_[i] / counts_[i];
  }
  if (first == FirstField::kDirection) averages[0] = MeanDirection();
  Clear();
  return averages;
}

}  // namespace ventari
