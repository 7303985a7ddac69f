// The arithmetic of the speed of sound calibration, all in single precision as the anemometer's
// offset was always worked out: the theoretical speed at a temperature, the speed a data string
// reports, the mean of the newest readings and the 16-bit offset that moves one onto the other.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace ventari {

// The sum of EEPROM checksum terms brought into a cell's 0 to 255, also when it is negative.
int ChecksumCell(int sum);

// √(403 × (t + 273.16)) for a temperature entry in degrees C; nothing when the entry is not a
// number or lies at or below absolute zero.
std::optional<float> TheoreticalSos(const QString& temperature);

// A speed, temperature or offset text read back as the calibration reads its edits.
std::optional<float> SosNumber(const QString& text);

// The speed of sound a data string carries in characters 17 to 23; nothing when the string is
// shorter or those characters are not a number.
std::optional<float> SosField(const QByteArray& dataString);

// The offset of the cells 75 (lower) and 76 (upper): hundredths of a metre per second, truncated
// toward zero.
struct SosOffset {
  int offset = 0;
  std::uint8_t lower = 0;
  std::uint8_t upper = 0;
};
// Nothing when the difference does not fit the 16 bits of the two cells.
std::optional<SosOffset> SosOffsetFor(float theoretical, float measured);

// The last ten speeds read out of data strings and their mean.
class SosReadings {
 public:
  static constexpr int kCount = 10;

  void Clear() { held_ = 0; }
  void Add(float speed);
  // The mean once ten speeds are held, when it is a finite number.
  std::optional<float> Mean() const;

 private:
  std::array<float, kCount> speeds_{};
  int next_ = 0;
  int held_ = 0;
};

}  // namespace ventari
