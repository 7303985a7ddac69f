#include "stats/wind_statistics.h"

#include <algorithm>
#include <utility>

namespace ventari {
namespace {

constexpr std::int64_t kUsPerMinute = 60'000'000;
constexpr std::int64_t kUsPerDay = 1440 * kUsPerMinute;
// A pause longer than this (a clock set wrong while logging) gives no empty rows between.
constexpr std::int64_t kLongestEmptyStretchUs = 31 * kUsPerDay;

// Rounded down, also for times before 1970.
std::int64_t FloorTo(std::int64_t value, std::int64_t step) {
  const std::int64_t quotient = value / step;
  return (value % step < 0 ? quotient - 1 : quotient) * step;
}

}  // namespace

WindStatistics::WindStatistics(StatisticsSettings settings, RowSink sink)
    : settings_(settings), sink_(std::move(sink)) {
  settings_.periodMinutes =
      std::clamp(settings_.periodMinutes, StatisticsSettings::kMinPeriodMinutes,
                 StatisticsSettings::kMaxPeriodMinutes);
}

WindStatistics::Period WindStatistics::PeriodOf(std::int64_t timeUs) const {
  const std::int64_t length = settings_.periodMinutes * kUsPerMinute;
  const std::int64_t day = FloorTo(timeUs, kUsPerDay);
  const std::int64_t start = day + FloorTo(timeUs - day, length);
  return {start, std::min(start + length, day + kUsPerDay)};
}

bool WindStatistics::Add(const WindSample& sample) {
  if (open_ && sample.timeUs < open_->startUs) return false;
  if (open_ && sample.timeUs - open_->endUs > kLongestEmptyStretchUs) {
    Close();
    open_.reset();
  }
  while (open_ && sample.timeUs >= open_->endUs) {
    const std::int64_t next = open_->endUs;
    Close();
    open_ = PeriodOf(next);
  }
  if (!open_) open_ = PeriodOf(sample.timeUs);
  sums_.Add(sample, gust_.Add(sample.timeUs, sample.speed));
  return true;
}

void WindStatistics::Finish() {
  if (!open_) return;
  Close();
  open_.reset();
}

void WindStatistics::Close() {
  PeriodRow row = sums_.Row(open_->endUs, open_->endUs - open_->startUs);
  MarkCoverage(row, recordsPerSecond_, settings_.coverage);
  sink_(row);
  sums_ = {};
}

}  // namespace ventari
