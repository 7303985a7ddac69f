#include "base/record_field.h"

#include <algorithm>
#include <cmath>

namespace ventari {

std::optional<double> NumberAt(const QByteArray& text, int first, int count) {
  if (first < 1 || count < 1) return std::nullopt;
  const QByteArray field = text.mid(first - 1, count).trimmed();
  if (field.isEmpty()) return std::nullopt;
  bool ok = false;
  const double value = field.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::int64_t Truncated(double value) {
  constexpr double kLimit = 9.0e15;
  if (std::isnan(value)) return 0;
  return static_cast<std::int64_t>(std::trunc(std::clamp(value, -kLimit, kLimit)));
}

}  // namespace ventari
