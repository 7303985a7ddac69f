// The two-axis output units in m/s: by the letter a data message names its unit with, and by
// the OutputUnits setting (0 m/s, 1 knots, 2 mph, 3 km/h, 4 feet per minute).
#pragma once

#include <array>

namespace ventari {

struct SpeedUnit {
  char letter;
  double metresPerSecond;
};
inline constexpr std::array<SpeedUnit, 5> kSpeedUnits = {
    {{'M', 1.0}, {'N', 1 / 1.943844}, {'P', 1 / 2.236936}, {'K', 1 / 3.6}, {'F', 1 / 196.8504}}};

// An unknown letter or index counts as m/s.
inline double MetresPerSecondOfLetter(char letter) {
  for (const SpeedUnit& unit : kSpeedUnits) {
    if (unit.letter == letter) return unit.metresPerSecond;
  }
  return 1.0;
}
inline double MetresPerSecondOfUnit(int index) {
  return index >= 0 && index < static_cast<int>(kSpeedUnits.size())
             ? kSpeedUnits[static_cast<std::size_t>(index)].metresPerSecond
             : 1.0;
}

}  // namespace ventari
