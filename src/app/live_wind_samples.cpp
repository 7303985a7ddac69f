#include "app/live_wind_samples.h"

#include "stats/speed_units.h"

namespace ventari {

std::optional<WindSample> WindSampleOf(const TwoAxisSample& sample, const TwoAxisConfig& config,
                                       std::int64_t timeUs) {
  if (!sample.readable) return std::nullopt;
  const double factor = MetresPerSecondOfUnit(config.OutputUnits);
  if (sample.uv) {
    return SampleFromUv(timeUs, sample.first * factor, sample.second * factor, std::nullopt);
  }
  return WindSample{timeUs, sample.second * factor, sample.first, std::nullopt};
}

std::optional<WindSample> WindSampleOf(const TriAxisSample& sample, const TriAxisConfig& config,
                                       std::int64_t timeUs) {
  if (sample.kind != TriAxisSample::Kind::kRecord || sample.values.size() < 3) return std::nullopt;
  const auto& first = sample.values[0];
  const auto& second = sample.values[1];
  const auto& w = sample.values[2];
  if (!second || !w) return std::nullopt;
  if (config.ReportsPolar()) return WindSample{timeUs, *second, first, w};
  if (config.ReportsUvw() && first) return SampleFromUv(timeUs, *first, *second, w);
  return std::nullopt;
}

}  // namespace ventari
