#include "stats/log_text.h"

#include <QDateTime>
#include <QTimeZone>
#include <charconv>
#include <cmath>

namespace ventari {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Exactly `count` decimal digits.
std::optional<int> Digits(std::string_view text, std::size_t count) {
  if (text.size() != count) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

bool LineCursor::Next(std::string_view& line) {
  if (rest_.empty()) return false;
  const std::size_t end = rest_.find('\n');
  line = rest_.substr(0, end);
  rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  ++number_;
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view NextField(std::string_view& rest) {
  std::size_t begin = 0;
  while (begin < rest.size() && IsBlank(rest[begin])) ++begin;
  std::size_t end = begin;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  const std::string_view field = rest.substr(begin, end - begin);
  rest.remove_prefix(end);
  return field;
}

std::optional<double> ReadNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::int64_t> ReadLocalTime(std::string_view date, std::string_view time,
                                          const LocalTimeRule& rule) {
  if (date.size() != 10 || time.size() != 8 || date[2] != '/' || date[5] != '/' || time[2] != ':' ||
      time[5] != ':') {
    return std::nullopt;
  }
  const auto day = Digits(date.substr(0, 2), 2);
  const auto month = Digits(date.substr(3, 2), 2);
  const auto year = Digits(date.substr(6, 4), 4);
  const auto hour = Digits(time.substr(0, 2), 2);
  const auto minute = Digits(time.substr(3, 2), 2);
  const auto second = Digits(time.substr(6, 2), 2);
  if (!day || !month || !year || !hour || !minute || !second) return std::nullopt;
  const QDate d(*year, *month, *day);
  const QTime t(*hour, *minute, *second);
  if (!d.isValid() || !t.isValid()) return std::nullopt;
  const QDateTime at =
      rule.utcOffsetSeconds ? QDateTime(d, t, QTimeZone(*rule.utcOffsetSeconds)) : QDateTime(d, t);
  if (!at.isValid()) return std::nullopt;
  return at.toMSecsSinceEpoch() * 1000;
}

}  // namespace ventari
