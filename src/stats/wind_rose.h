// The wind rose: how often the wind came from each direction sector in each speed class, over
// every sample with a direction. Sector k of N is centred on k * 360 / N degrees (sector 0 on
// north); the classes are 0-2, 2-4, 4-6, 6-8, 8-10 and above 10 in the samples' unit, each
// holding its lower bound.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "stats/wind_sample.h"

namespace ventari {

class WindRose {
 public:
  static constexpr int kClassCount = 6;
  static constexpr double kClassWidth = 2;
  static constexpr int kMinSectors = 4;
  static constexpr int kMaxSectors = 72;

  // `sectors` is kept within kMinSectors to kMaxSectors.
  explicit WindRose(int sectors);

  void Add(const WindSample& sample);

  int Sectors() const { return static_cast<int>(counts_.size()); }
  std::int64_t Total() const { return total_; }
  std::int64_t Count(int sector, int speedClass) const;
  // The share of all counted samples, 0 to 1; 0 while none is counted.
  double Frequency(int sector, int speedClass) const;
  // "0-2", ..., ">10".
  static QString ClassName(int speedClass);

 private:
  std::vector<std::array<std::int64_t, kClassCount>> counts_;
  std::int64_t total_ = 0;
};

}  // namespace ventari
