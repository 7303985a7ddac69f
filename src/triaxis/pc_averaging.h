// The system's own averaging of three-axis records over a period of 1 to 60 minutes: one sum
// per field (the three values, then the optional fields in record order), each with its own
// count, so a field a record lacks (an empty direction, an absent temperature) is left out of
// that field's average instead of counting as 0. A record adds wholly or not at all.
//
// A polar direction is averaged as meteorological loggers do, as the mean of unit vectors: the
// direction of the summed sines and cosines, so a wind swinging between 350 and 10 degrees
// averages near 0, not near 180. The speed stays the plain mean of the speeds.
#pragma once

#include <array>
#include <optional>
#include <span>

namespace ventari {

class PcAveraging {
 public:
  static constexpr std::size_t kFields = 11;
  using Averages = std::array<std::optional<double>, kFields>;

  // What the first field holds: a number (U, axis 1) or a direction in degrees (polar).
  enum class FirstField { kNumber, kDirection };

  // Adds one accepted record: `values[i]` to field i, skipping absent ones. Fields beyond
  // kFields are ignored.
  void Add(std::span<const std::optional<double>> values);
  // Records added since the last average.
  int Records() const { return records_; }

  // Each field's average over the records that had it (empty for a field none had), then
  // starts the next period. A direction's average lies in 0 up to 360; directions that cancel
  // out (as many from the east as from the west) have none.
  Averages TakeAverages(FirstField first);
  // Forgets everything added (a new continuous output starts).
  void Clear() { *this = PcAveraging(); }

 private:
  std::optional<double> MeanDirection() const;

  std::array<double, kFields> sums_{};
  std::array<int, kFields> counts_{};
  // The first field's unit vector, summed: its sines and cosines.
  double sines_ = 0;
  double cosines_ = 0;
  int records_ = 0;
};

}  // namespace ventari
