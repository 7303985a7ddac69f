// The sums of one period of wind samples and the row they give: scalar, unit-vector and
// resultant means, Yamartino's σ(Θ1), the extremes, the gust and the turbulence intensity.
// Directions add up as unit vectors (and, weighted by the speed, as wind vectors), so a period
// that swings across north has its mean near north. Every sum is compensated.
#pragma once

#include <cstdint>
#include <limits>

#include "stats/compensated_sum.h"
#include "stats/period_row.h"
#include "stats/wind_sample.h"

namespace ventari {

class PeriodAccumulator {
 public:
  // `gust` is the mean of the 3-s window that ends at the sample.
  void Add(const WindSample& sample, double gust);
  // The row of the period ending at `endUs`, its coverage not yet marked.
  PeriodRow Row(std::int64_t endUs, std::int64_t lengthUs) const;
  std::int64_t Count() const { return speed_.Count(); }

 private:
  RunningMoments speed_;
  RunningMoments w_;
  std::int64_t directionCount_ = 0;
  CompensatedSum sines_;
  CompensatedSum cosines_;
  CompensatedSum eastward_;
  CompensatedSum northward_;
  double min_ = std::numeric_limits<double>::infinity();
  double max_ = -std::numeric_limits<double>::infinity();
  double gust_ = -std::numeric_limits<double>::infinity();
};

// Degrees of an angle in radians, from 0 up to (not including) 360.
double CompassDegrees(double radians);
// Yamartino's estimate of the standard deviation of the direction, in degrees, from the mean
// sine and cosine of the directions.
double YamartinoDeviation(double meanSine, double meanCosine);

}  // namespace ventari
