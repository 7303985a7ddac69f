#include "stats/wind_log_reader.h"

#include <charconv>

#include "stats/log_body_readers.h"

namespace ventari {
namespace {

constexpr std::string_view kOutputRate = "Output rate: ";
constexpr double kMeasurementsPerSecond = 10;
constexpr int kMaxAveraging = 250;

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

// The header's first line, "dd/MM/yyyy   HH:mm:ss".
std::optional<std::int64_t> HeaderTime(std::string_view line, const LocalTimeRule& rule) {
  line = TrimBlanks(line);
  if (line.size() < 18) return std::nullopt;
  return ReadLocalTime(line.substr(0, 10), line.substr(line.size() - 8), rule);
}

// 10 / AVERAGE, from "Output rate: N".
std::optional<double> TabularRate(std::string_view line) {
  const std::string_view digits = TrimBlanks(line.substr(kOutputRate.size()));
  int averaging = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), averaging);
  if (error != std::errc() || end != digits.data() + digits.size() || averaging < 1 ||
      averaging > kMaxAveraging) {
    return std::nullopt;
  }
  return kMeasurementsPerSecond / averaging;
}

WindLogResult Refused(QString why) {
  WindLogResult result;
  result.refusal = std::move(why);
  return result;
}

}  // namespace

WindLogResult ReadWindLog(const QString& name, std::string_view content,
                          const WindLogOptions& options, const WindSampleSink& sink) {
  LineCursor lines(content);
  std::string_view header[5];
  for (std::string_view& line : header) {
    if (!lines.Next(line)) {
      return Refused(QStringLiteral("%1 is not a data log of this program: its header is "
                                    "incomplete.")
                         .arg(name));
    }
  }
  const std::optional<std::int64_t> start = HeaderTime(header[0], options.localTime);
  if (!start || !StartsWith(header[2], "Serial no.:")) {
    return Refused(
        QStringLiteral("%1 is not a data log of this program: it does not start with the date, "
                       "the time and the serial number.")
            .arg(name));
  }
  const std::string_view kind = TrimBlanks(header[4]);
  // The empty line that ends the header.
  std::string_view headerEnd;
  lines.Next(headerEnd);
  WindLogResult result;
  if (kind == "UV data" || kind == "Polar data") {
    ReadDataDisplayLines(lines, kind == "UV data", *start, options, sink, result);
    return result;
  }
  if (!StartsWith(kind, kOutputRate)) {
    return Refused(QStringLiteral("%1 is not a data log of this program: line 5 names neither "
                                  "the data display's data nor the output rate.")
                       .arg(name));
  }
  std::string_view columns;
  if (!lines.Next(columns)) columns = {};
  if (columns.find(',') != std::string_view::npos) {
    return Refused(QStringLiteral("%1 holds PC-averaged lines: they are averages already, not the "
                                  "anemometer's records. Log the records themselves for "
                                  "statistics.")
                       .arg(name));
  }
  if (columns.find("Ax1") != std::string_view::npos) {
    return Refused(QStringLiteral("%1 holds axis values, not wind: log the anemometer in UVW or "
                                  "polar report mode for statistics.")
                       .arg(name));
  }
  const std::optional<double> rate =
      options.recordsPerSecond ? options.recordsPerSecond : TabularRate(kind);
  if (!rate) {
    return Refused(QStringLiteral("%1 gives no output rate the records can be timed by: give the "
                                  "records a second with --rate.")
                       .arg(name));
  }
  ReadTabularLines(lines, columns, *start, *rate, sink, result);
  return result;
}

}  // namespace ventari
