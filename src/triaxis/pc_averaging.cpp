#include "triaxis/pc_averaging.h"

#include <algorithm>

namespace ventari {

void PcAveraging::Add(std::span<const std::optional<double>> values) {
  const std::size_t fields = std::min(values.size(), kFields);
  for (std::size_t i = 0; i < fields; ++i) {
    if (!values[i]) continue;
    sums_[i] += *values[i];
    ++counts_[i];
  }
  ++records_;
}

PcAveraging::Averages PcAveraging::TakeAverages() {
  Averages averages;
  for (std::size_t i = 0; i < kFields; ++i) {
    if (counts_[i] > 0) averages[i] = sums_[i] / counts_[i];
  }
  Clear();
  return averages;
}

}  // namespace ventari
