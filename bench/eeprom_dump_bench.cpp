// Larkvane dump blocks read per second: the largest block of D 93 (180 cells in rows of 16),
// as the verification reads it after every upload and repair pass.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <array>
#include <cstdint>

#include "service/lv_dump.h"

namespace ventari {
namespace {

QByteArray LargestBlock() {
  QByteArray block;
  for (int cell = 0; cell < 180; ++cell) {
    block += QByteArray::number((cell * 13) & 0xFF, 16).rightJustified(2, '0').toUpper() + ',';
    if (cell % 16 == 15) block += "\r\n";
  }
  return block + "\r\n";
}

void BM_LarkvaneDumpBlock(benchmark::State& state) {
  const QByteArray block = LargestBlock();
  std::array<std::uint8_t, 946> cells{};
  std::array<bool, 946> valid{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseDumpBlock(block, 384, cells, valid));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * block.size());
}
BENCHMARK(BM_LarkvaneDumpBlock);

}  // namespace
}  // namespace ventari
