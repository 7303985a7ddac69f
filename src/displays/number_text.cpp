#include "displays/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace ventari {
namespace {

QString NonFinite(double value) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// The decimal exponent of `value` once rounded to `precision` significant digits, and the
// mantissa text of that rounding ("1.235").
int RoundedExponent(double value, int precision, std::string* mantissa) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
  char* e = std::strchr(buffer, 'e');
  *mantissa = std::string(buffer, e);
  return std::atoi(e + 1);
}

void TrimFraction(std::string* text) {
  if (text->find('.') == std::string::npos) return;
  while (text->back() == '0') text->pop_back();
  if (text->back() == '.') text->pop_back();
}

QString Scientific(std::string mantissa, int exponent) {
  TrimFraction(&mantissa);
  return QString::fromStdString(mantissa + 'E' + std::to_string(exponent));
}

// "-0.00" reads as "0.00".
QString WithoutNegativeZero(std::string text) {
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return QString::fromStdString(text);
}

}  // namespace

QString FixedText(double value, int precision, int digits) {
  if (!std::isfinite(value)) return NonFinite(value);
  precision = precision < 1 ? 1 : (precision > 17 ? 17 : precision);
  digits = digits < 0 ? 0 : (digits > 18 ? 18 : digits);
  std::string mantissa;
  const int before = value == 0 ? 1 : RoundedExponent(value, precision, &mantissa) + 1;
  if (before > precision) return Scientific(mantissa, before - 1);
  const int decimals = std::min(digits, precision - before);
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  if (decimals < digits) {
    if (decimals == 0) text += '.';
    text.append(digits - decimals, '0');
  }
  return WithoutNegativeZero(text);
}

QString GeneralText(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (value == 0) return QStringLiteral("0");
  constexpr int kPrecision = 15;
  std::string mantissa;
  const int exponent = RoundedExponent(value, kPrecision, &mantissa);
  if (exponent >= kPrecision || std::fabs(value) < 1e-5) return Scientific(mantissa, exponent);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, kPrecision - 1 - exponent), value);
  std::string text = buffer;
  TrimFraction(&text);
  return WithoutNegativeZero(text);
}

}  // namespace ventari
