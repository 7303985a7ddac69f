// "Set" in the alarm window: the three threshold texts converted and checked. Values are stored
// as they convert, even when a later check rejects them.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "displays/alarm_check.h"

namespace ventari {

struct ThresholdTexts {
  QString speed = QStringLiteral("40");
  QString direction1 = QStringLiteral("90");
  QString direction2 = QStringLiteral("180");
};

struct ThresholdVerdict {
  bool invalid = false;
  // The error messages to show, in order (caption "Error").
  std::vector<QString> messages;
};

// A threshold text as a number: "." is the decimal point whatever the user's locale, spaces
// around the number are allowed, anything else (thousands separators, "inf", "nan") is not a
// number.
std::optional<double> ThresholdNumber(const QString& text);

// Converts the speed, first and second direction in that order into `stored`, each stored at
// once. The first text that does not convert ends the conversion; then the range and order of
// the values are checked.
ThresholdVerdict SetThresholds(const ThresholdTexts& texts, AlarmThresholds& stored);

}  // namespace ventari
