#include "sim/sos_bin.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>

#include "sim/two_axis_message.h"

namespace ventari::sim {
namespace {

constexpr double kZeroCelsius = 273.16;
constexpr double kSosSquarePerKelvin = 403.0;
constexpr double kLargestField = 99999.99;  // what nine characters hold with two decimals
constexpr std::array<char, 5> kUnitLetter = {'M', 'N', 'P', 'K', 'F'};

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
  const int unit = settings.units >= 1 && settings.units <= 5 ? settings.units : 1;
  const int direction = static_cast<int>(std::lround(WrapDegrees(sample.direction))) % 360;
  const double speed = std::clamp(SpeedInUnit(sample.speed, unit), 0.0, 999.99);
  std::string body = QString::asprintf("Q,%03d,%06.2f,%9.2f,%+06.2f,", direction, speed,
                                       std::clamp(sos, -kLargestField / 10, kLargestField),
                                       std::clamp(temperature, -99.99, 99.99))
                         .toStdString();
  body += kUnitLetter[static_cast<std::size_t>(unit - 1)];
  body += ",00,";
  unsigned checksum = 0;
  for (const char c : body) checksum ^= static_cast<unsigned char>(c);
  std::string message = "\x02" + body;
  etx = message.size();
  message += '\x03';
  message += QString::asprintf("%02X", checksum).toStdString();
  message += settings.terminator == 2 ? "\n" : "\r\n";
  return message;
}

}  // namespace ventari::sim
