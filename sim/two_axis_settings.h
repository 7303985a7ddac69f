// The configuration of a two-axis anemometer as the device keeps it: one command digit per
// setting, exactly as its letter-and-digit commands set them and its D3 reply reports them.
#pragma once

#include <optional>

#include "link/line_settings.h"

namespace ventari::sim {

enum class TwoAxisModel { kKestrix2, kKestrix2Heated, kLarkvane };

struct TwoAxisSettings {
  int messageMode = 2;    // M: 1 UV, 2 polar
  int fieldFormat = 2;    // O: 1 CSV, 2 fixed field
  int format = 1;         // F: 1 8N, 2 8E, 3 8O, 4 7N, 5 7E, 6 7O
  int baud = 3;           // B: 1 2400, 2 4800, 3 9600, 4 19200, 5 38400, 6 1200, 7 300
  int terminator = 1;     // L: 1 CR LF, 2 LF
  int rate = 1;           // P: 1 1 Hz, 2 4 Hz, 3 2 Hz, 4 5 Hz, 5 8 Hz, 6 10 Hz
  int units = 1;          // U: 1 m/s, 2 knots, 3 mph, 4 km/h, 5 feet per minute
  int verticalPad = 1;    // V: 1 off, 2 a zero vertical field
  int sonic = 0;          // A: 0 none, 1 speed of sound, 2 sonic temperature, 3 both
  int nmeaStyle = 1;      // K
  int scaling = 1;        // Z: +/- 10 m/s per step
  int analogueType = 1;   // T
  int chan3 = 1;          // Y
  int wrap = 1;           // C
  int tests = 0;          // J
  int alignment = 1;      // X
  int heating = 1;        // H: 1 disabled, 2 enabled
  int averaging = 0;      // G: seconds, 0 to 3600
  int duplex = 1;         // E: 1 full, 2 half; reported, never set
  int analogueRange = 9;  // S: 3 0-30 m/s, 6 0-60 m/s, 9 disabled
};

// The line settings of the B and F digits; nullopt for a digit the model does not know.
std::optional<std::int32_t> TwoAxisBaud(int digit);
std::optional<int> TwoAxisBaudDigit(std::int32_t baud);
std::optional<LineSettings> TwoAxisFormat(int digit, std::int32_t baud);
std::optional<int> TwoAxisFormatDigit(const LineSettings& line);
// Messages per second of a P digit.
double TwoAxisRateHz(int digit);
// The P digit of the highest rate not above `hz` that the model offers.
int TwoAxisRateDigit(TwoAxisModel model, double hz);

}  // namespace ventari::sim
