// The samples the appliers hand on, as wind samples for the live statistics: a readable
// two-axis message (speed in m/s), a three-axis record with its wind (U, V, W or direction,
// speed, W); nothing for anything else (averaged lines, blocked paths, axis values).
#pragma once

#include <cstdint>
#include <optional>

#include "app/tri_axis_data_applier.h"
#include "app/two_axis_data_applier.h"
#include "stats/wind_sample.h"
#include "triaxis/tri_axis_config.h"
#include "twoaxis/two_axis_config.h"

namespace ventari {

std::optional<WindSample> WindSampleOf(const TwoAxisSample& sample, const TwoAxisConfig& config,
                                       std::int64_t timeUs);
std::optional<WindSample> WindSampleOf(const TriAxisSample& sample, const TriAxisConfig& config,
                                       std::int64_t timeUs);

}  // namespace ventari
