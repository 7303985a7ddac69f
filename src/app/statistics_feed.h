// Feeds the Statistics window's model with the wind of every record both families' appliers
// hand on, each sample timed by the run's clock, and keeps the model told the anemometer's
// records a second, which each period's coverage is measured by.
#pragma once

#include <cstdint>

#include "app/live_wind_samples.h"
#include "base/anem_state.h"
#include "displays/log_time.h"
#include "stats/live_statistics.h"

namespace ventari {

class StatisticsFeed {
 public:
  StatisticsFeed(LiveStatistics& statistics, const AnemState& state,
                 const TwoAxisConfig& twoAxisConfig, const TriAxisConfig& triAxisConfig,
                 WallClock clock);

  void Add(const TwoAxisSample& sample);
  void Add(const TriAxisSample& sample);

 private:
  std::int64_t NowUs() const;

  LiveStatistics& statistics_;
  const AnemState& state_;
  const TwoAxisConfig& twoAxisConfig_;
  const TriAxisConfig& triAxisConfig_;
  WallClock clock_;
};

}  // namespace ventari
