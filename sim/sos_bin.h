// A Kestrix II in the calibration bin: set to "A3" (speed of sound and sonic temperature) in polar
// mode it streams direction and speed, then the speed of sound it measures right-aligned in
// characters 15 to 23, so that characters 17 to 23 hold it as a number, then the bin's
// temperature. What it measures is the speed at the bin's temperature, off by the transducers'
// error and corrected by the offset stored in cells 75 (low byte) and 76 (high byte), in
// hundredths of a metre per second. In UV mode "A3" keeps the normal layout.
#pragma once

#include <cstdint>
#include <string>

#include "sim/two_axis_settings.h"
#include "sim/wind_generator.h"

namespace ventari::sim {

inline constexpr int kSosOutputSetting = 3;  // the A digit
inline constexpr int kSosOffsetLowCell = 75;
inline constexpr int kSosOffsetHighCell = 76;

// √(403 × (t + 273.16)) + error + offset / 100.
double BinSpeedOfSound(double binTemperature, double error, std::int16_t storedOffset);
// The offset cells 75 and 76 hold.
std::int16_t StoredSosOffset(std::uint8_t low, std::uint8_t high);

// "\x02Q,ddd,sss.ss,   343.72,+20.00,M,00,\x03" with its checksum and line end; `etx` receives
// the position of the ETX byte. Direction and speed are in fixed fields whatever the O digit, so
// the speed of sound always lands in the same characters.
std::string SosBinMessage(const TwoAxisSettings& settings, const WindSample& sample, double sos,
                          double temperature, std::size_t& etx);

}  // namespace ventari::sim
