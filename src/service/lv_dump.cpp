#include "service/lv_dump.h"

namespace ventari {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int ParseDumpBlock(QByteArrayView block, int base, std::span<std::uint8_t> cells,
                   std::span<bool> valid) {
  const QByteArrayView text = block.trimmed();
  const auto size = static_cast<int>(std::min(cells.size(), valid.size()));
  int cell = base;
  for (qsizetype i = 2; i < text.size(); ++i) {
    if (text[i] != ',') continue;
    const int high = HexDigit(text[i - 2]);
    const int low = HexDigit(text[i - 1]);
    if (high < 0 || low < 0) break;
    if (cell >= 0 && cell < size) {
      cells[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(high * 16 + low);
      valid[static_cast<std::size_t>(cell)] = true;
    }
    ++cell;
  }
  return std::max(0, std::min(cell, size) - std::max(base, 0));
}

}  // namespace ventari
