// Binary logs of any content, read into the statistics: every record is a sample, a record not
// read or one without wind; samples have finite speeds and lie at or before the modification
// time, and the statistics of them all close their periods.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "stats/binary_log_reader.h"
#include "stats/wind_statistics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  ventari::WindLogOptions options;
  if (data[0] & 0x80) options.recordsPerSecond = 1 + data[0] % 50;
  const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);
  constexpr std::int64_t kModifiedUs = 1'765'000'000'000'000;
  std::int64_t rows = 0;
  ventari::WindStatistics statistics({1 + data[0] % 60, 0.9},
                                     [&rows](const ventari::PeriodRow&) { ++rows; });
  const ventari::WindLogResult result =
      ventari::ReadBinaryWindLog(QStringLiteral("fuzz.bny"), content, options, kModifiedUs,
                                 [&](const ventari::WindSample& sample) {
                                   ventari::Check(std::isfinite(sample.speed));
                                   ventari::Check(sample.timeUs <= kModifiedUs);
                                   statistics.Add(sample);
                                 });
  statistics.Finish();
  ventari::Check(result.samples + result.unreadable + result.pathsBlocked <=
                 static_cast<std::int64_t>(content.size()));
  ventari::Check(result.refusal.isEmpty() || result.samples == 0);
  ventari::Check(result.samples == 0 || rows > 0);
  return 0;
}
