// How many records a second a three-axis anemometer sends, from its model and its AVERAGE and
// INST settings: the live windows size their time windows by it.
#pragma once

#include <optional>

#include "base/anem_state.h"
#include "triaxis/tri_axis_config.h"

namespace ventari {

// Each record averages AVERAGE measurements, taken 10 a second (50 a second by the 50 Hz models);
// with instantaneous output on, a 50 Hz model sends every measurement. While AVERAGE has not
// been read as a number of 1 to 250, one record a second.
double TriAxisRecordsPerSecond(const TriAxisConfig& config, std::optional<AnemModel> model);

}  // namespace ventari
