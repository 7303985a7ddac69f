// Reads the wind out of the tabular display's binary log of a three-axis anemometer: the
// anemometer's identity and configuration texts, then each record as 0xBA 0xBA and the record's
// bytes. The records' layout and rate come from the configuration listing in the header. The
// file holds no time, so its records are timed back from the moment it was last written, the
// last record at that moment. Bytes that are not a whole record of that layout are counted as
// unreadable records, never skipped unsaid.
#pragma once

#include <QString>
#include <cstdint>
#include <string_view>

#include "stats/wind_log_reader.h"

namespace ventari {

// A binary log by its name (".bny") or its content (the records' start, which no text log holds).
bool IsBinaryWindLog(const QString& name, std::string_view content);

// `modifiedUs`: when the file was last written, microseconds since 1970 UTC. `name` only names
// the file in a refusal.
WindLogResult ReadBinaryWindLog(const QString& name, std::string_view content,
                                const WindLogOptions& options, std::int64_t modifiedUs,
                                const WindSampleSink& sink);

}  // namespace ventari
