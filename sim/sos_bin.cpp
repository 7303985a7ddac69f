#include "sim/sos_bin.h"

#include <QString>
#include <algorithm>
#include <cmath>

#include "sim/two_axis_message.h"

namespace ventari::sim {
namespace {

constexpr double kZeroCelsius = 273.16;
constexpr double kSosSquarePerKelvin = 403.0;
constexpr double kLargestField = 99999.99;  // what nine characters hold with two decimals

}  // namespace

double BinSpeedOfSound(double binTemperature, double error, std::int16_t storedOffset) {
  const double kelvin = std::max(0.0, binTemperature + kZeroCelsius);
  return std::sqrt(kSosSquarePerKelvin * kelvin) + error + storedOffset / 100.0;
}

std::int16_t StoredSosOffset(std::uint8_t low, std::uint8_t high) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

std::string SosBinMessage(const TwoAxisSettings& settings, const WindSample& sample, double sos,
                          double temperature, std::size_t& etx) {
  const int unit = settings.units;
  const int direction = static_cast<int>(std::lround(WrapDegrees(sample.direction))) % 360;
  const double speed = std::clamp(SpeedInUnit(sample.speed, unit), 0.0, 999.99);
  std::string body = QString::asprintf("Q,%03d,%06.2f,%9.2f,%+06.2f,", direction, speed,
                                       std::clamp(sos, -kLargestField / 10, kLargestField),
                                       std::clamp(temperature, -99.99, 99.99))
                         .toStdString();
  body += UnitLetter(unit);
  body += ",00,";
  return FramedMessage(settings, body, etx);
}

}  // namespace ventari::sim
