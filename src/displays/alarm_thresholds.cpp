#include "displays/alarm_thresholds.h"

#include <cmath>
#include <utility>

namespace ventari {
namespace {

constexpr double kMinSpeedThreshold = 0.01;
constexpr double kMaxDirection = 359;

}  // namespace

std::optional<double> ThresholdNumber(const QString& text) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

ThresholdVerdict SetThresholds(const ThresholdTexts& texts, AlarmThresholds& stored) {
  ThresholdVerdict verdict;
  const std::pair<const QString*, double*> fields[] = {{&texts.speed, &stored.speed},
                                                       {&texts.direction1, &stored.direction1},
                                                       {&texts.direction2, &stored.direction2}};
  for (const auto& [text, value] : fields) {
    const std::optional<double> number = ThresholdNumber(*text);
    if (!number) {
      verdict.invalid = true;
      verdict.messages.push_back(QStringLiteral("Invalid threshold value entered."));
      return verdict;
    }
    *value = *number;
  }
  const auto outOfRange = [](double direction) {
    return direction < 0 || direction > kMaxDirection;
  };
  if (stored.speed < kMinSpeedThreshold || outOfRange(stored.direction1) ||
      outOfRange(stored.direction2)) {
    verdict.invalid = true;
    verdict.messages.push_back(QStringLiteral("Out of range threshold value entered."));
  }
  if (stored.direction1 > stored.direction2) {
    verdict.invalid = true;
    verdict.messages.push_back(
        QStringLiteral("First direction value must be less than second direction value."));
  }
  return verdict;
}

}  // namespace ventari
