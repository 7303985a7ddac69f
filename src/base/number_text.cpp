#include "base/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace ventari {
namespace {

// A finite value as decimal digits: value = 0.digits x 10^point, rounded half away from zero.
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading zero; empty for zero
  int point = 0;       // digits before the decimal point (may be negative or beyond digits)
};

// The 17 significant digits of `value`.
Decimal ToDecimal(double value) {
  Decimal d;
  d.negative = std::signbit(value);
  if (value == 0) return d;
  // Exactly the digits of printf's "%.16e", without its cost.
  char buffer[64];
  *std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                 std::chars_format::scientific, 16)
       .ptr = '\0';
  char* e = std::strchr(buffer, 'e');
  d.digits = std::string(1, buffer[0]) + std::string(buffer + 2, e);
  d.point = std::atoi(e + 1) + 1;
  return d;
}

// Keeps `keep` significant digits.
Decimal Round(Decimal d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return d;
  if (keep < 0) return {d.negative, "", 0};
  const bool up = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i >= 0) {
      ++d.digits[i];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.point;
    }
  }
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  if (d.digits.empty()) d.point = 0;
  return d;
}

char DigitAt(const Decimal& d, int index) {
  return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[index] : '0';
}

QString Sign(const Decimal& d) {
  return d.negative && !d.digits.empty() ? QStringLiteral("-") : QString();
}

QString Plain(const Decimal& d, int decimals) {
  QString text = Sign(d);
  if (d.point <= 0) text += QLatin1Char('0');
  for (int i = 0; i < d.point; ++i) text += QLatin1Char(DigitAt(d, i));
  if (decimals > 0) text += QLatin1Char('.');
  for (int i = 0; i < decimals; ++i) text += QLatin1Char(DigitAt(d, d.point + i));
  return text;
}

QString Scientific(const Decimal& d) {
  QString text = Sign(d) + QLatin1Char(d.digits[0]);
  if (d.digits.size() > 1) text += QLatin1Char('.') + QString::fromStdString(d.digits.substr(1));
  return text + QStringLiteral("E%1").arg(d.point - 1);
}

QString NonFinite(double value) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

}  // namespace

QString FixedText(double value, int precision, int digits) {
  if (!std::isfinite(value)) return NonFinite(value);
  precision = std::clamp(precision, 1, 17);
  digits = std::clamp(digits, 0, 18);
  const Decimal exact = ToDecimal(value);
  const Decimal rounded = Round(exact, std::min(precision, exact.point + digits));
  if (rounded.point > precision) return Scientific(rounded);
  return Plain(rounded, digits);
}

QString GeneralText(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  constexpr int kPrecision = 15;
  const Decimal d = Round(ToDecimal(value), kPrecision);
  if (d.digits.empty()) return QStringLiteral("0");
  if (d.point > kPrecision || std::fabs(value) < 1e-5) return Scientific(d);
  return Plain(d, std::max(0, static_cast<int>(d.digits.size()) - d.point));
}

}  // namespace ventari
