#include <cmath>

#include "stats/log_body_readers.h"

namespace ventari {

void ReadTabularLines(LineCursor& lines, std::string_view columnHeader, std::int64_t startUs,
                      double recordsPerSecond, const WindSampleSink& sink, WindLogResult& result) {
  result.threeAxis = true;
  result.times = RecordTimes::kDerived;
  result.recordsPerSecond = recordsPerSecond;
  bool polar = columnHeader.find("Dir") != std::string_view::npos;
  const double usPerRecord = 1e6 / recordsPerSecond;
  std::int64_t record = 0;
  std::string_view line;
  while (lines.Next(line)) {
    // The column header again: the report mode changed while logging.
    if (line.substr(0, 5) == "Sa Sb") {
      polar = line.find("Dir") != std::string_view::npos;
      continue;
    }
    const std::int64_t timeUs = startUs + std::llround(static_cast<double>(record++) * usPerRecord);
    if (line.substr(0, 5) == "-----") {
      ++result.pathsBlocked;
      continue;
    }
    std::string_view rest = line;
    NextField(rest);
    NextField(rest);
    const std::string_view first = NextField(rest);
    const auto second = ReadNumber(NextField(rest));
    const auto w = ReadNumber(NextField(rest));
    const auto firstValue = polar && first == "---" ? std::nullopt : ReadNumber(first);
    if (!second || !w || (!firstValue && !(polar && first == "---"))) {
      if (result.unreadable++ == 0) result.firstUnreadableLine = lines.LineNumber();
      continue;
    }
    ++result.samples;
    sink(polar ? WindSample{timeUs, *second, firstValue, w}
               : SampleFromUv(timeUs, *firstValue, *second, w));
  }
}

}  // namespace ventari
