#include <cmath>

#include "stats/log_body_readers.h"
#include "stats/speed_units.h"

namespace ventari {
namespace {

// "dd/MM/yyyy,HH:mm:ss" at the end of a time-stamped line.
constexpr std::size_t kStampLength = 19;

bool IsStamp(std::string_view tail) {
  static constexpr std::string_view kShape = "00/00/0000,00:00:00";
  if (tail.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const bool digit = tail[i] >= '0' && tail[i] <= '9';
    if (kShape[i] == '0' ? !digit : tail[i] != kShape[i]) return false;
  }
  return true;
}

// The two values at the fixed positions the data decoder reads (the log's line starts after
// STX, one position earlier), and the unit letter after them.
struct Fields {
  std::size_t first, firstLength, second, secondLength, unit;
};
constexpr Fields kPolar{2, 3, 6, 6, 13};
constexpr Fields kUv{2, 7, 10, 7, 18};

std::string_view Cut(std::string_view line, std::size_t at, std::size_t length) {
  return at < line.size() ? line.substr(at, length) : std::string_view();
}

}  // namespace

void ReadDataDisplayLines(LineCursor& lines, bool uv, std::int64_t startUs,
                          const WindLogOptions& options, const WindSampleSink& sink,
                          WindLogResult& result) {
  const Fields& fields = uv ? kUv : kPolar;
  std::string_view line;
  std::string_view lastStamp;
  std::int64_t lastStampUs = 0;
  std::int64_t stampedSeconds = 0;
  std::int64_t unstamped = 0;
  const auto unreadable = [&] {
    if (result.unreadable++ == 0) result.firstUnreadableLine = lines.LineNumber();
  };
  while (lines.Next(line)) {
    std::optional<std::int64_t> timeUs;
    if (line.size() >= kStampLength && IsStamp(line.substr(line.size() - kStampLength))) {
      const std::string_view stamp = line.substr(line.size() - kStampLength);
      if (stamp != lastStamp) {
        const auto at = ReadLocalTime(stamp.substr(0, 10), stamp.substr(11), options.localTime);
        if (!at) {
          unreadable();
          continue;
        }
        lastStamp = stamp;
        lastStampUs = *at;
        ++stampedSeconds;
      }
      timeUs = lastStampUs;
      line.remove_suffix(kStampLength);
    } else if (options.recordsPerSecond && *options.recordsPerSecond > 0) {
      timeUs = startUs +
               std::llround(static_cast<double>(unstamped++) * 1e6 / *options.recordsPerSecond);
    } else {
      result.needsRate = true;
    }
    const auto first = ReadNumber(Cut(line, fields.first, fields.firstLength));
    const auto second = ReadNumber(Cut(line, fields.second, fields.secondLength));
    if (!timeUs || !first || !second) {
      unreadable();
      continue;
    }
    const double factor =
        fields.unit < line.size() ? MetresPerSecondOfLetter(line[fields.unit]) : 1.0;
    WindSample sample = uv ? SampleFromUv(*timeUs, *first * factor, *second * factor, std::nullopt)
                           : WindSample{*timeUs, *second * factor, *first, std::nullopt};
    ++result.samples;
    sink(sample);
  }
  if (unstamped > 0) {
    result.times = RecordTimes::kDerived;
    result.recordsPerSecond = *options.recordsPerSecond;
  } else if (stampedSeconds > 0) {
    result.recordsPerSecond =
        static_cast<double>(result.samples) / static_cast<double>(stampedSeconds);
  }
}

}  // namespace ventari
