// The running mean of the speed over the last 3 s, by time whatever the record rate: at each
// sample, the mean of the samples measured in the 3 s up to and including it. The window runs
// on across period boundaries; a gust belongs to the period its window's end falls in, so a
// window that starts in one period and ends in the next counts for the next. At the start of
// the data (or after a pause longer than 3 s) the window holds what there is.
#pragma once

#include <cstdint>
#include <deque>

#include "stats/compensated_sum.h"

namespace ventari {

class GustWindow {
 public:
  static constexpr std::int64_t kLengthUs = 3'000'000;

  // Adds a sample (times never decrease) and returns the mean of the window ending at it.
  double Add(std::int64_t timeUs, double speed);

 private:
  struct Entry {
    std::int64_t timeUs;
    double speed;
  };
  std::deque<Entry> entries_;
  // The sum of the entries, rebuilt from them now and then so that additions and removals
  // over a day leave no drift.
  CompensatedSum sum_;
  int removals_ = 0;
};

}  // namespace ventari
