// Wind logs of any content, read into the statistics: every line is a sample, a line not read,
// a paths-blocked record or part of the header; samples have finite speeds, and the statistics
// of them all close their periods.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "stats/wind_log_reader.h"
#include "stats/wind_rose.h"
#include "stats/wind_statistics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  ventari::WindLogOptions options;
  options.localTime.utcOffsetSeconds = (data[0] % 29 - 14) * 3600;
  if (data[0] & 0x80) options.recordsPerSecond = 1 + data[0] % 50;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::int64_t rows = 0;
  ventari::WindStatistics statistics({1 + data[0] % 60, 0.9},
                                     [&rows](const ventari::PeriodRow&) { ++rows; });
  ventari::WindRose rose(data[0] % 80);
  std::int64_t lines = 1;
  for (char c : text) lines += c == '\n';
  const ventari::WindLogResult result = ventari::ReadWindLog(
      QStringLiteral("fuzz.log"), text, options, [&](const ventari::WindSample& sample) {
        ventari::Check(std::isfinite(sample.speed));
        statistics.Add(sample);
        rose.Add(sample);
      });
  statistics.Finish();
  ventari::Check(result.samples + result.unreadable + result.pathsBlocked <= lines);
  ventari::Check(result.refusal.isEmpty() || result.samples == 0);
  ventari::Check(rose.Total() <= result.samples);
  ventari::Check(result.samples == 0 || rows > 0);
  return 0;
}
