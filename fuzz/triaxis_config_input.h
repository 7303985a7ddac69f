// A three-axis configuration drawn from fuzz input: every setting any index its list has, or
// not yet read.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include "triaxis/tri_axis_config.h"

namespace ventari {

inline TriAxisConfig ConsumeTriAxisConfig(FuzzedDataProvider& input) {
  TriAxisConfig config;
  for (const TriAxisChoice& choice : kTriAxisChoices) {
    config.*choice.field =
        input.ConsumeIntegralInRange<int>(-1, static_cast<int>(choice.items.size()) - 1);
  }
  for (bool& enabled : config.Aip) enabled = input.ConsumeBool();
  config.PcAvgMinutes = input.ConsumeIntegralInRange<int>(0, 60);
  return config;
}

}  // namespace ventari
