// The Larkvane's EEPROM dump blocks (the replies to D 92 and D 93) read into the read-back
// buffer: every two characters standing directly before a comma are one byte in hex.
#pragma once

#include <QByteArrayView>
#include <array>
#include <cstdint>
#include <span>

namespace ventari {

// The blocks of each dump: the start string that frames a block and the cell it starts at.
struct LarkvaneDumpBlock {
  const char* start;
  int base;
};
inline constexpr std::array<LarkvaneDumpBlock, 3> kLarkvaneDump92{
    {{"0010\r\n", 16}, {"0030\r\n", 48}, {"0050\r\n", 80}}};
inline constexpr std::array<LarkvaneDumpBlock, 4> kLarkvaneDump93{
    {{"0180\r\n", 384}, {"0234\r\n", 564}, {"02E8\r\n", 744}, {"034D\r\n", 845}}};

// Lays the bytes of `block` into `cells` from `base` on, marking each in `valid`; bytes beyond
// the end of `cells` are dropped, and a pair that is not hex ends the block. Returns the count
// of cells filled.
int ParseDumpBlock(QByteArrayView block, int base, std::span<std::uint8_t> cells,
                   std::span<bool> valid);

}  // namespace ventari
