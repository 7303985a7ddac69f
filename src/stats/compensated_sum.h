// A sum of many doubles that keeps the rounding error of each addition (Neumaier's variant of
// Kahan summation): a day of samples at 50 Hz adds up to the last bit a plain sum loses.
#pragma once

#include <cmath>

namespace ventari {

class CompensatedSum {
 public:
  void Add(double value) {
    const double next = sum_ + value;
    if (std::fabs(sum_) >= std::fabs(value)) {
      compensation_ += (sum_ - next) + value;
    } else {
      compensation_ += (value - next) + sum_;
    }
    sum_ = next;
  }
  double Value() const { return sum_ + compensation_; }

 private:
  double sum_ = 0;
  double compensation_ = 0;
};

// The mean and the population variance of a stream of values, by Welford's update: no
// difference of two large sums, so no cancellation however long the stream.
class RunningMoments {
 public:
  void Add(double value) {
    ++count_;
    const double delta = value - mean_;
    mean_ += delta / static_cast<double>(count_);
    squares_ += delta * (value - mean_);
  }
  long long Count() const { return count_; }
  double Mean() const { return mean_; }
  double StandardDeviation() const {
    return count_ > 0 ? std::sqrt(squares_ / static_cast<double>(count_)) : 0;
  }

 private:
  long long count_ = 0;
  double mean_ = 0;
  double squares_ = 0;
};

}  // namespace ventari
