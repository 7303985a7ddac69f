// The data message a two-axis anemometer streams: STX, the node letter "Q", the wind as U and V
// or as direction and speed in the chosen unit, the optional vertical and sonic fields, the unit
// letter and status, ETX, a two-digit checksum and the line end. U starts at position 4 and V at
// 12 (seven characters each); in fixed-field polar messages the direction takes positions 4 to 6
// and the speed 8 to 13. CSV polar messages drop the leading zeros. A measurement with blocked
// paths has unreadable wind fields.
#pragma once

#include <string>

#include "sim/two_axis_settings.h"
#include "sim/wind_generator.h"

namespace ventari::sim {

// Speed in the unit of a U digit, from metres per second.
double SpeedInUnit(double metresPerSecond, int unitDigit);

// The unit letter of a U digit 1 to 5 ("M", "N", "P", "K", "F").
char UnitLetter(int unitDigit);

// STX, `body`, ETX, the XOR checksum of the body in two hex digits and the settings' line end;
// `etx` receives the position of the ETX byte.
std::string FramedMessage(const TwoAxisSettings& settings, const std::string& body,
                          std::size_t& etx);

// `etx` receives the position of the ETX byte.
std::string TwoAxisMessage(const TwoAxisSettings& settings, const WindSample& sample,
                           std::size_t& etx);

}  // namespace ventari::sim
