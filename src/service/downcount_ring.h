// The last 120 downcount samples of each axis, in rings that share one write position carried
// over from one test to the next, and their statistics over the samples of the current test.
#pragma once

#include <array>

#include "service/downcount_line.h"

namespace ventari {

inline constexpr int kDowncountRingSize = 120;

// Minimum and maximum start at 999 and 0 when there is no sample; average and standard
// deviation are single-precision values, as they are shown and printed.
struct AxisStatistics {
  int minimum = 999;
  int maximum = 0;
  float average = 0;
  float stdDev = 0;
};

class DowncountRing {
 public:
  using Axis = std::array<double, kDowncountRingSize>;

  // A new test: its statistics cover none of the samples stored so far.
  void StartTest() { count_ = 0; }
  // Stores the sample at the write position, which then advances (after 119 to 0).
  void Add(const DowncountValues& values);

  // Samples of the current test, up to 120.
  int Count() const { return count_; }
  int Position() const { return position_; }
  // One axis's ring in ring order 0 to 119 (zero where nothing was ever written).
  const Axis& Values(int axis) const { return rings_.at(static_cast<std::size_t>(axis)); }

  // Over the samples of the current test (the newest 120 once there are as many). The average
  // is their sum, taken in single precision, times 1/n; the standard deviation the sample one,
  // divided by n - 1 (zero for one sample).
  AxisStatistics Statistics(int axis) const;
  // Whether the current test has samples and every one lies within [low, high] on every axis.
  bool AllWithin(int low, int high) const;

 private:
  // The ring index of the i-th sample of the current test, oldest first.
  std::size_t IndexOf(int i) const;

  std::array<Axis, kDowncountAxes> rings_{};
  int position_ = 0;
  int count_ = 0;
};

}  // namespace ventari
