// Reads one downcount line of a Kestrix II's debug output: the downcounts of its three axes, each
// two hexadecimal digits at a fixed place in the line.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace ventari {

inline constexpr int kDowncountAxes = 3;
using DowncountValues = std::array<int, kDowncountAxes>;

// Where each axis's field starts in the line, counting from 1.
inline constexpr std::array<int, kDowncountAxes> kDowncountFieldPositions = {1, 6, 11};

// The field of two characters at `position` (counting from 1) as a hexadecimal number of digits
// "0"-"9" and "A"-"F", most significant first; -1 when the line is too short for it or a
// character is anything else (lower-case letters included).
int DowncountField(std::string_view line, int position);

// The three downcounts of a line as `DownCountsPacket` delivers it; nothing when any field is
// bad, since such a line is noise on the line, not a reading.
std::optional<DowncountValues> ParseDowncountLine(std::string_view line);

}  // namespace ventari
