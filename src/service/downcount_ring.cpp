#include "service/downcount_ring.h"

#include <algorithm>
#include <cmath>

namespace ventari {

void DowncountRing::Add(const DowncountValues& values) {
  for (std::size_t axis = 0; axis < rings_.size(); ++axis) {
    rings_[axis][static_cast<std::size_t>(position_)] = values[axis];
  }
  position_ = (position_ + 1) % kDowncountRingSize;
  count_ = std::min(count_ + 1, kDowncountRingSize);
}

std::size_t DowncountRing::IndexOf(int i) const {
  return static_cast<std::size_t>((position_ - count_ + i + kDowncountRingSize) %
                                  kDowncountRingSize);
}

AxisStatistics DowncountRing::Statistics(int axis) const {
  AxisStatistics s;
  if (count_ == 0) return s;
  const Axis& ring = Values(axis);
  float sum = 0;
  for (int i = 0; i < count_; ++i) {
    const double value = ring[IndexOf(i)];
    const int whole = static_cast<int>(value);
    s.minimum = std::min(s.minimum, whole);
    s.maximum = std::max(s.maximum, whole);
    sum += static_cast<float>(value);
  }
  s.average = sum * (1.0f / static_cast<float>(count_));
  if (count_ > 1) {
    float squares = 0;
    for (int i = 0; i < count_; ++i) {
      const float deviation = static_cast<float>(ring[IndexOf(i)]) - s.average;
      squares += deviation * deviation;
    }
    s.stdDev = std::sqrt(squares / static_cast<float>(count_ - 1));
  }
  return s;
}

bool DowncountRing::AllWithin(int low, int high) const {
  for (int axis = 0; axis < kDowncountAxes; ++axis) {
    const AxisStatistics s = Statistics(axis);
    if (count_ == 0 || s.minimum < low || s.maximum > high) return false;
  }
  return true;
}

}  // namespace ventari
