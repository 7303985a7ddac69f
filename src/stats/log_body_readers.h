// The two readers behind ReadWindLog, each taking the lines after its log's header.
#pragma once

#include "stats/wind_log_reader.h"

namespace ventari {

// The data display's records: "Q,200,003.00,M,00," (polar) or "Q,+003.00,-001.00,M,00," (UV),
// with "dd/MM/yyyy,HH:mm:ss" after them when time stamped; speeds in the unit the record names,
// given in m/s. Without time stamps the records are timed from `startUs` at the rate asked for.
void ReadDataDisplayLines(LineCursor& lines, bool uv, std::int64_t startUs,
                          const WindLogOptions& options, const WindSampleSink& sink,
                          WindLogResult& result);

// The tabular display's lines after "Output rate: N" and the column header: "Sa Sb" then U V W
// or direction (or "---"), speed and W, blank separated; the paths-blocked line; an empty line
// for a malformed record. Record k is timed at `startUs` + k / rate.
void ReadTabularLines(LineCursor& lines, std::string_view columnHeader, std::int64_t startUs,
                      double recordsPerSecond, const WindSampleSink& sink, WindLogResult& result);

}  // namespace ventari
