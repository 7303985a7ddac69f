// Reads the wind out of a log this program wrote: the data display's log of a two-axis
// anemometer (polar or UV, with or without time stamps) and the tabular display's ASCII log of
// a three-axis anemometer (one file or one segment at a time). Every line that is not a record
// it can read is counted, never skipped unsaid; a log of PC-averaged lines is refused, since
// its lines are averages already.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "stats/log_text.h"
#include "stats/statistics_text.h"
#include "stats/wind_sample.h"

namespace ventari {

struct WindLogOptions {
  LocalTimeRule localTime;
  // The records a second, for a log whose header does not tell it: a data display log without
  // time stamps, or a tabular log of a 50 Hz model (50 with INST on). Otherwise a tabular log
  // gives 10 / AVERAGE.
  std::optional<double> recordsPerSecond;
};

struct WindLogResult {
  // Why the file cannot be read; empty when it was.
  QString refusal;
  std::int64_t samples = 0;
  // Lines that should have been records but could not be read, and the first of them (in a
  // binary log: records, counted from 1).
  std::int64_t unreadable = 0;
  std::int64_t firstUnreadableLine = 0;
  // Three-axis records whose paths were blocked: timed, but without wind.
  std::int64_t pathsBlocked = 0;
  RecordTimes times = RecordTimes::kLogged;
  // The records a second the times were derived from, or as the time stamps show it.
  double recordsPerSecond = 0;
  bool threeAxis = false;
  // A binary log, timed back from the moment the file was last written.
  bool binary = false;
  // Records without a time stamp were met and no rate was given to time them by.
  bool needsRate = false;
};

using WindSampleSink = std::function<void(const WindSample&)>;

// `name` only names the file in a refusal.
WindLogResult ReadWindLog(const QString& name, std::string_view content,
                          const WindLogOptions& options, const WindSampleSink& sink);

}  // namespace ventari
