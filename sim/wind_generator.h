// The wind a simulated anemometer measures: a seeded random walk of speed and direction with
// gusts, wrapping through north, or a fixed sequence of samples; either may report blocked
// paths.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace ventari::sim {

struct WindSample {
  double speed = 0;         // m/s, never negative
  double direction = 0;     // degrees the wind comes from, 0 <= direction < 360
  double vertical = 0;      // m/s, positive upwards
  double temperature = 15;  // air temperature, degrees C
  bool blocked = false;     // a transducer path was blocked: no valid wind for this sample

  // Components of the horizontal wind vector: where the air goes, east and north.
  double U() const;
  double V() const;
  // Speed of sound in the air, m/s.
  double SpeedOfSound() const;
};

class WindGenerator {
 public:
  explicit WindGenerator(std::uint32_t seed);

  // Replays these samples in a loop instead of the random walk; an empty list restores it.
  void SetSequence(std::vector<WindSample> samples);
  // Each sample is blocked with this probability (0 to 1), in either mode.
  void SetBlockedProbability(double probability) { blockedProbability_ = probability; }

  // The next sample, `seconds` after the previous one.
  WindSample Next(double seconds);

 private:
  WindSample Walk(double seconds);

  std::mt19937 random_;
  std::vector<WindSample> sequence_;
  std::size_t nextInSequence_ = 0;
  double blockedProbability_ = 0;
  double speed_;
  double direction_;
  double gust_ = 0;
  double temperature_ = 15;
};

// 0 <= result < 360 for any angle in degrees.
double WrapDegrees(double degrees);

}  // namespace ventari::sim
