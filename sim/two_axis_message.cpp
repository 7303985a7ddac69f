#include "sim/two_axis_message.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>

namespace ventari::sim {
namespace {

constexpr std::array<double, 5> kUnitFactor = {1.0, 1.943844, 2.236936, 3.6, 196.8504};
constexpr std::array<char, 5> kUnitLetter = {'M', 'N', 'P', 'K', 'F'};
constexpr int kFeetPerMinute = 5;

bool ValidUnit(int digit) { return digit >= 1 && digit <= static_cast<int>(kUnitFactor.size()); }

// A signed value in seven characters: feet per minute as whole numbers, the rest with two
// decimals.
std::string Signed(double value, int unitDigit) {
  const bool whole = unitDigit == kFeetPerMinute;
  const double limit = whole ? 999999 : 999.99;
  value = std::clamp(value, -limit, limit);
  return whole ? QString::asprintf("%+07.0f", value).toStdString()
               : QString::asprintf("%+07.2f", value).toStdString();
}

std::string Speed(double value, int unitDigit, bool fixed) {
  const bool whole = unitDigit == kFeetPerMinute;
  value = std::min(value, whole ? 999999.0 : 999.99);
  if (!fixed) {
    return whole ? QString::asprintf("%.0f", value).toStdString()
                 : QString::asprintf("%.2f", value).toStdString();
  }
  return whole ? QString::asprintf("%06.0f", value).toStdString()
               : QString::asprintf("%06.2f", value).toStdString();
}

std::string Direction(double degrees, bool fixed) {
  const int whole = static_cast<int>(std::lround(WrapDegrees(degrees))) % 360;
  return fixed ? QString::asprintf("%03d", whole).toStdString() : std::to_string(whole);
}

std::string Unreadable(std::size_t width) { return std::string(width, '-'); }

}  // namespace

double SpeedInUnit(double metresPerSecond, int unitDigit) {
  return metresPerSecond * (ValidUnit(unitDigit) ? kUnitFactor[unitDigit - 1] : 1.0);
}

std::string TwoAxisMessage(const TwoAxisSettings& settings, const WindSample& sample,
                           std::size_t& etx) {
  const int unit = ValidUnit(settings.units) ? settings.units : 1;
  const bool fixed = settings.fieldFormat != 1;
  std::string body = "Q,";
  if (settings.messageMode == 1) {
    const std::string u = Signed(SpeedInUnit(sample.U(), unit), unit);
    const std::string v = Signed(SpeedInUnit(sample.V(), unit), unit);
    body += sample.blocked ? Unreadable(u.size()) + "," + Unreadable(v.size()) : u + "," + v;
  } else {
    const std::string direction = Direction(sample.direction, fixed);
    const std::string speed = Speed(SpeedInUnit(sample.speed, unit), unit, fixed);
    body += sample.blocked ? Unreadable(direction.size()) + "," + Unreadable(speed.size())
                           : direction + "," + speed;
  }
  body += ",";
  if (settings.verticalPad == 2) body += Signed(0, unit) + ",";
  if (settings.sonic == 1 || settings.sonic == 3) {
    body += QString::asprintf("%06.2f,", sample.SpeedOfSound()).toStdString();
  }
  if (settings.sonic == 2 || settings.sonic == 3) {
    body += QString::asprintf("%+06.2f,", sample.temperature).toStdString();
  }
  body += UnitLetter(unit);
  body += sample.blocked ? ",04," : ",00,";
  return FramedMessage(settings, body, etx);
}

char UnitLetter(int unitDigit) {
  return kUnitLetter[static_cast<std::size_t>(ValidUnit(unitDigit) ? unitDigit - 1 : 0)];
}

std::string FramedMessage(const TwoAxisSettings& settings, const std::string& body,
                          std::size_t& etx) {
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
