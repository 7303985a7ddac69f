#include "stats/period_accumulator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ventari {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;

}  // namespace

double CompassDegrees(double radians) {
  const double degrees = radians / kRadiansPerDegree;
  const double wrapped = std::fmod(degrees, 360.0);
  const double positive = wrapped < 0 ? wrapped + 360 : wrapped;
  return positive >= 360 ? 0 : positive;
}

double YamartinoDeviation(double meanSine, double meanCosine) {
  const double epsilon =
      std::sqrt(std::clamp(1 - (meanSine * meanSine + meanCosine * meanCosine), 0.0, 1.0));
  return std::asin(epsilon) * (1 + 0.1547 * epsilon * epsilon * epsilon) / kRadiansPerDegree;
}

void PeriodAccumulator::Add(const WindSample& sample, double gust) {
  speed_.Add(sample.speed);
  min_ = std::min(min_, sample.speed);
  max_ = std::max(max_, sample.speed);
  gust_ = std::max(gust_, gust);
  if (sample.w) w_.Add(*sample.w);
  if (!sample.direction || sample.speed == 0) return;
  const double radians = *sample.direction * kRadiansPerDegree;
  const double sine = std::sin(radians);
  const double cosine = std::cos(radians);
  ++directionCount_;
  sines_.Add(sine);
  cosines_.Add(cosine);
  eastward_.Add(sample.speed * sine);
  northward_.Add(sample.speed * cosine);
}

PeriodRow PeriodAccumulator::Row(std::int64_t endUs, std::int64_t lengthUs) const {
  PeriodRow row;
  row.endUs = endUs;
  row.lengthUs = lengthUs;
  row.count = speed_.Count();
  row.directionCount = directionCount_;
  if (row.count == 0) return row;
  row.meanSpeed = speed_.Mean();
  row.minSpeed = min_;
  row.maxSpeed = max_;
  row.gust = gust_;
  if (speed_.Mean() > 0) row.turbulence = speed_.StandardDeviation() / speed_.Mean();
  if (w_.Count() > 0) {
    row.wMean = w_.Mean();
    row.wDeviation = w_.StandardDeviation();
  }
  if (directionCount_ > 0) {
    const auto n = static_cast<double>(directionCount_);
    const double meanSine = sines_.Value() / n;
    const double meanCosine = cosines_.Value() / n;
    row.direction = CompassDegrees(std::atan2(meanSine, meanCosine));
    row.directionDeviation = YamartinoDeviation(meanSine, meanCosine);
    const double east = eastward_.Value() / n;
    const double north = northward_.Value() / n;
    row.resultantSpeed = std::hypot(east, north);
    row.resultantDirection = CompassDegrees(std::atan2(east, north));
  }
  return row;
}

}  // namespace ventari
