// The statistics of one period of wind, as a row of the statistics table: a period with no
// sample has a count of 0 and no values.
#pragma once

#include <cstdint>
#include <optional>

namespace ventari {

struct PeriodRow {
  // The period's end, microseconds since 1970-01-01T00:00:00Z; its length.
  std::int64_t endUs = 0;
  std::int64_t lengthUs = 0;
  // N: the samples; those of them with a direction.
  std::int64_t count = 0;
  std::int64_t directionCount = 0;
  // Below the coverage asked for (MarkCoverage), or empty.
  bool incomplete = true;
  // Speeds in the unit of the samples, directions in degrees from north (0 to 360).
  std::optional<double> meanSpeed;           // S, the scalar mean
  std::optional<double> direction;           // Θ1, the unit-vector mean
  std::optional<double> directionDeviation;  // σ(Θ1), Yamartino
  std::optional<double> resultantSpeed;      // Ū
  std::optional<double> resultantDirection;  // Θu
  std::optional<double> minSpeed;
  std::optional<double> maxSpeed;
  std::optional<double> gust;        // the highest 3-s running mean
  std::optional<double> turbulence;  // σ(s) / S
  std::optional<double> wMean;       // three-axis only
  std::optional<double> wDeviation;
};

// Flags `row` incomplete when it holds fewer than `coverage` (0 to 1) of the records expected
// at `recordsPerSecond`; a rate of 0 (not known) expects none.
inline void MarkCoverage(PeriodRow& row, double recordsPerSecond, double coverage) {
  const double expected = recordsPerSecond * static_cast<double>(row.lengthUs) / 1e6;
  row.incomplete = static_cast<double>(row.count) < coverage * expected || row.count == 0;
}

}  // namespace ventari
