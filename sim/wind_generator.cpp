#include "sim/wind_generator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ventari::sim {
namespace {

constexpr double kMeanSpeed = 6;  // m/s
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// How fast the speed returns to its mean, per second, and how strongly it wanders.
constexpr double kSpeedReversion = 0.05;
constexpr double kSpeedWander = 0.6;
constexpr double kDirectionWander = 4.0;  // degrees per square root of a second
constexpr double kGustsPerSecond = 0.03;
constexpr double kGustDecayPerSecond = 0.25;

}  // namespace

double WrapDegrees(double degrees) {
  double wrapped = std::fmod(degrees, 360.0);
  if (wrapped < 0) wrapped += 360.0;
  return wrapped >= 360.0 ? 0.0 : wrapped;
}

double WindSample::U() const { return -speed * std::sin(direction * kRadiansPerDegree); }

double WindSample::V() const { return -speed * std::cos(direction * kRadiansPerDegree); }

double WindSample::SpeedOfSound() const { return 331.3 * std::sqrt(1.0 + temperature / 273.15); }

WindGenerator::WindGenerator(std::uint32_t seed) : random_(seed) {
  std::uniform_real_distribution<double> start(0.0, 360.0);
  direction_ = start(random_);
  speed_ = kMeanSpeed;
}

void WindGenerator::SetSequence(std::vector<WindSample> samples) {
  sequence_ = std::move(samples);
  nextInSequence_ = 0;
}

WindSample WindGenerator::Next(double seconds) {
  WindSample sample;
  if (sequence_.empty()) {
    sample = Walk(seconds);
  } else {
    sample = sequence_[nextInSequence_];
    nextInSequence_ = (nextInSequence_ + 1) % sequence_.size();
  }
  if (blockedProbability_ > 0) {
    std::bernoulli_distribution blocked(std::min(blockedProbability_, 1.0));
    sample.blocked = sample.blocked || blocked(random_);
  }
  return sample;
}

WindSample WindGenerator::Walk(double seconds) {
  std::normal_distribution<double> normal(0.0, 1.0);
  const double root = std::sqrt(std::max(seconds, 0.0));
  speed_ +=
      kSpeedReversion * (kMeanSpeed - speed_) * seconds + kSpeedWander * root * normal(random_);
  speed_ = std::max(speed_, 0.0);
  gust_ *= std::exp(-kGustDecayPerSecond * seconds);
  std::bernoulli_distribution gustStarts(std::min(kGustsPerSecond * seconds, 1.0));
  if (gustStarts(random_))
    gust_ += kMeanSpeed * std::uniform_real_distribution<double>(0.3, 0.9)(random_);
  direction_ = WrapDegrees(direction_ + kDirectionWander * root * normal(random_));
  temperature_ += 0.01 * root * normal(random_);

  WindSample sample;
  sample.speed = speed_ + gust_;
  sample.direction = direction_;
  sample.vertical = 0.05 * sample.speed * normal(random_);
  sample.temperature = temperature_;
  return sample;
}

}  // namespace ventari::sim
