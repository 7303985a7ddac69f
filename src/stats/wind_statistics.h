// Wind statistics period by period on the clock: periods of 1 to 60 minutes aligned to the UTC
// day (00:00, 00:10, ...; a length that does not divide the day ends the day with a shorter
// period), each closed when the first sample of a later period arrives or at the end, every
// period between two samples given, empty or not (up to a pause of 31 days). Feeds the rows to one
// sink, the command line's printing or a window's model alike.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "stats/gust_window.h"
#include "stats/period_accumulator.h"
#include "stats/period_row.h"
#include "stats/wind_sample.h"

namespace ventari {

struct StatisticsSettings {
  static constexpr int kMinPeriodMinutes = 1;
  static constexpr int kMaxPeriodMinutes = 60;
  static constexpr int kDefaultPeriodMinutes = 10;
  static constexpr double kDefaultCoverage = 0.9;

  int periodMinutes = kDefaultPeriodMinutes;
  // The share of the expected records a period needs to count as complete.
  double coverage = kDefaultCoverage;
};

class WindStatistics {
 public:
  using RowSink = std::function<void(const PeriodRow&)>;

  WindStatistics(StatisticsSettings settings, RowSink sink);

  // The anemometer's records a second, from which each period's expected count follows; while
  // it is not known (0) only an empty period is incomplete.
  void SetRecordsPerSecond(double rate) { recordsPerSecond_ = rate; }
  // False, and nothing counted, for a sample older than the open period.
  bool Add(const WindSample& sample);
  // Closes the open period (at the end of the data).
  void Finish();

  const StatisticsSettings& Settings() const { return settings_; }

 private:
  struct Period {
    std::int64_t startUs;
    std::int64_t endUs;
  };
  Period PeriodOf(std::int64_t timeUs) const;
  void Close();

  StatisticsSettings settings_;
  RowSink sink_;
  double recordsPerSecond_ = 0;
  std::optional<Period> open_;
  PeriodAccumulator sums_;
  GustWindow gust_;
};

}  // namespace ventari
