// Wind statistics of a day's tabular log of a 50 Hz three-axis anemometer (4.32 million polar
// records, written once by the benchmark): only reading the file, against reading it into the
// statistics of 10-minute periods and the wind rose. Records per second are the items.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "stats/wind_log_reader.h"
#include "stats/wind_rose.h"
#include "stats/wind_statistics.h"

namespace ventari {
namespace {

constexpr std::int64_t kRecords = 24LL * 3600 * 50;

// The day's log, written on first use.
const QString& DayLog() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QString name = dir.filePath(QStringLiteral("day.log"));
    std::FILE* file = std::fopen(name.toLocal8Bit().constData(), "wb");
    if (file == nullptr) return QString();
    std::fputs(
        "09/12/2026   00:00:00\r\n\r\nSerial no.: 300451\r\n\r\nOutput rate: 1\r\n\r\n"
        "Sa Sb     Dir      Mag       W  \r\n",
        file);
    char line[64];
    for (std::int64_t i = 0; i < kRecords; ++i) {
      const double t = static_cast<double>(i) / 50;
      const int direction = static_cast<int>(200 + 40 * std::sin(t / 97) + (i * 7) % 11) % 360;
      const double speed = 8 + 3 * std::sin(t / 13) + static_cast<double>(i % 17) / 10;
      const double w = 0.3 * std::sin(t / 5);
      std::snprintf(line, sizeof line, "%02d %02X    %03d     %05.2f    %+06.2f   \r\n",
                    static_cast<int>(i % 11), static_cast<int>(i % 256), direction, speed, w);
      std::fputs(line, file);
    }
    std::fclose(file);
    return name;
  }();
  return path;
}

// The day's log as one read gives it; none (and the benchmark skipped) when it cannot be read.
std::optional<QByteArray> ReadDayLog(benchmark::State& state) {
  QFile file(DayLog());
  if (!file.open(QIODevice::ReadOnly)) {
    state.SkipWithError("the day's log cannot be read");
    return std::nullopt;
  }
  return file.readAll();
}

void BM_ReadDayLogOnly(benchmark::State& state) {
  for (auto _ : state) {
    const std::optional<QByteArray> bytes = ReadDayLog(state);
    if (!bytes) return;
    benchmark::DoNotOptimize(bytes->count('\n'));
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ReadDayLogOnly)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_StatisticsOfDayLog(benchmark::State& state) {
  for (auto _ : state) {
    const std::optional<QByteArray> read = ReadDayLog(state);
    if (!read) return;
    const QByteArray& bytes = *read;
    std::int64_t rows = 0;
    WindStatistics statistics({}, [&rows](const PeriodRow&) { ++rows; });
    WindRose rose(16);
    WindLogOptions options;
    options.localTime.utcOffsetSeconds = 0;
    options.recordsPerSecond = 50;
    const WindLogResult result = ReadWindLog(
        DayLog(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        options, [&](const WindSample& sample) {
          statistics.Add(sample);
          rose.Add(sample);
        });
    statistics.Finish();
    if (result.samples != kRecords || rows != 144) state.SkipWithError("records went missing");
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_StatisticsOfDayLog)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace ventari
