// Reading the text logs this program writes, byte by byte and without a string per field:
// lines, blank-separated fields, decimal numbers and the dates and times of headers and time
// stamps.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ventari {

// Hands out the lines of a text one by one, without their CR LF (or LF).
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : rest_(text) {}
  bool Next(std::string_view& line);
  // The number of the line Next gave last, counted from 1.
  std::int64_t LineNumber() const { return number_; }

 private:
  std::string_view rest_;
  std::int64_t number_ = 0;
};

// `text` without blanks at either end.
std::string_view TrimBlanks(std::string_view text);
// The next blank-separated field of `rest`, taken off it; empty when there is none.
std::string_view NextField(std::string_view& rest);
// A decimal number with an optional sign, blanks around it allowed; nothing unless the whole
// text is one finite number.
std::optional<double> ReadNumber(std::string_view text);

// How local times of a log become UTC: a fixed offset east of UTC, or the zone of this run.
struct LocalTimeRule {
  std::optional<int> utcOffsetSeconds;
};

// "dd/MM/yyyy" and "HH:mm:ss" (a header puts blanks between them, a time stamp a comma) as
// microseconds since 1970 UTC; nothing when they are not a valid date and time.
std::optional<std::int64_t> ReadLocalTime(std::string_view date, std::string_view time,
                                          const LocalTimeRule& rule);

}  // namespace ventari
