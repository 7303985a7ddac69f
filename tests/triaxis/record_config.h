// Configurations of the data records the decoder tests read.
#pragma once

#include <string_view>

#include "triaxis/tri_axis_config.h"

namespace ventari::test {

inline constexpr int kUvw = 0;
inline constexpr int kPolar = 2;
inline constexpr int kAxis = 4;

// `channels` holds the enabled analogue inputs' numbers ("13": channels 1 and 3).
inline TriAxisConfig RecordConfig(int reportMode, int sosMode = 0, int absTempMode = 0,
                                  std::string_view channels = "", int strFormat = 1) {
  TriAxisConfig config;
  config.ReportMode = reportMode;
  config.SosMode = sosMode;
  config.AbsTempMode = absTempMode;
  config.StrFormat = strFormat;
  for (char channel : channels) config.Aip[channel - '1'] = true;
  return config;
}

}  // namespace ventari::test
