// Larkvane dump blocks of any content: the block reader fills only cells inside the buffer, marks
// every cell it fills and counts them right. The first two bytes choose the base cell.
#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "service/lv_dump.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int base = ((data[0] << 8) | data[1]) % 1024 - 32;
  std::array<std::uint8_t, 946> cells;
  cells.fill(0xFF);
  std::array<bool, 946> valid{};
  const QByteArrayView block(reinterpret_cast<const char*>(data + 2),
                             static_cast<qsizetype>(size - 2));
  const int filled = ventari::ParseDumpBlock(block, base, cells, valid);
  int marked = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (valid[i]) ++marked;
    ventari::Check(valid[i] || cells[i] == 0xFF);
  }
  ventari::Check(filled >= 0 && filled == marked);
  return 0;
}
