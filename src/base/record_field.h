// Reading numbers out of the text records the anemometers send, by character position, and
// bringing them into the integer ranges the live windows take.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace ventari {

// Reads positions `first` to `first + count - 1` (counted from 1) as a decimal number, blanks
// around it allowed; nothing when they are missing, empty or not a finite number.
std::optional<double> NumberAt(const QByteArray& text, int first, int count);

// `value` truncated toward zero; a value beyond any range is held at the range's end.
std::int64_t Truncated(double value);

}  // namespace ventari
