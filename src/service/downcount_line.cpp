#include "service/downcount_line.h"

namespace ventari {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int DowncountField(std::string_view line, int position) {
  if (position < 1 || line.size() < static_cast<std::size_t>(position) + 1) return -1;
  const int high = HexDigit(line[static_cast<std::size_t>(position) - 1]);
  const int low = HexDigit(line[static_cast<std::size_t>(position)]);
  if (high < 0 || low < 0) return -1;
  return high * 16 + low;
}

std::optional<DowncountValues> ParseDowncountLine(std::string_view line) {
  DowncountValues values{};
  for (int axis = 0; axis < kDowncountAxes; ++axis) {
    values[axis] = DowncountField(line, kDowncountFieldPositions[axis]);
    if (values[axis] < 0) return std::nullopt;
  }
  return values;
}

}  // namespace ventari
