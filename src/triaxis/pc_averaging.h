// The system's own averaging of three-axis records over a period of 1 to 60 minutes: one sum
// per field (the three values, then the optional fields in record order), each with its own
// count, so a field a record lacks (an empty direction, an absent temperature) is left out of
// that field's average instead of counting as 0. A record adds wholly or not at all.
#pragma once

#include <array>
#include <optional>
#include <span>

namespace ventari {

class PcAveraging {
 public:
  static constexpr std::size_t kFields = 11;
  using Averages = std::array<std::optional<double>, kFields>;

  // Adds one accepted record: `values[i]` to field i, skipping absent ones. Fields beyond
  // kFields are ignored.
  void Add(std::span<const std::optional<double>> values);
  // Records added since the last average.
  int Records() const { return records_; }

  // Each field's average over the records that had it (empty for a field none had), then
  // starts the next period.
  Averages TakeAverages();
  // Forgets everything added (a new continuous output starts).
  void Clear() { *this = PcAveraging(); }

 private:
  std::array<double, kFields> sums_{};
  std::array<int, kFields> counts_{};
  int records_ = 0;
};

}  // namespace ventari
