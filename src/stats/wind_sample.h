// One sample of the wind for the statistics: when it was measured, its horizontal speed, its
// direction when it has one, and the vertical component of a three-axis anemometer.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace ventari {

struct WindSample {
  // Microseconds since 1970-01-01T00:00:00Z.
  std::int64_t timeUs = 0;
  double speed = 0;
  // Degrees from north, the direction the wind comes from; none when the record had none.
  std::optional<double> direction;
  std::optional<double> w;
};

// A sample from U and V (U = -speed * sin(direction), V = -speed * cos(direction)): calm air
// has no direction.
inline WindSample SampleFromUv(std::int64_t timeUs, double u, double v, std::optional<double> w) {
  WindSample sample{timeUs, std::hypot(u, v), std::nullopt, w};
  if (sample.speed > 0) {
    constexpr double kDegreesPerRadian = 57.29577951308232;
    const double degrees = std::atan2(-u, -v) * kDegreesPerRadian;
    sample.direction = degrees < 0 ? degrees + 360 : degrees;
  }
  return sample;
}

}  // namespace ventari
