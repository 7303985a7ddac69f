#include "cli/cli_options.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "app/command_line.h"
#include "app/discovery.h"
#include "cli/command_table.h"

namespace ventari {
namespace {

const QString kPort = QStringLiteral("port");
const QString kBaud = QStringLiteral("baud");
const QString kSeconds = QStringLiteral("seconds");
const QString kSegmentMinutes = QStringLiteral("segment-minutes");
const QString kPcAvg = QStringLiteral("pc-avg");
const QString kReconnectTimeout = QStringLiteral("reconnect-timeout");

// The rates the search knows, as the usage message lists them.
QString RateList() {
  std::vector<std::int32_t> rates(std::begin(Discovery::kSearchRates),
                                  std::end(Discovery::kSearchRates));
  std::sort(rates.begin(), rates.end());
  QStringList texts;
  for (const std::int32_t rate : rates) texts << QString::number(rate);
  return texts.join(QStringLiteral(", "));
}

std::optional<QString> ReadBaud(const QCommandLineParser& parser, CliOptions& options) {
  if (!parser.isSet(kBaud)) return std::nullopt;
  bool ok = false;
  const int baud = parser.value(kBaud).toInt(&ok);
  const auto& rates = Discovery::kSearchRates;
  if (!ok || std::find(std::begin(rates), std::end(rates), baud) == std::end(rates)) {
    return QStringLiteral("--baud takes one of the rates %1").arg(RateList());
  }
  options.baud = baud;
  return std::nullopt;
}

// A number of seconds from 0.1 to a year, as milliseconds.
std::optional<QString> ReadDuration(const QCommandLineParser& parser, const QString& name,
                                    std::optional<std::int64_t>& ms) {
  if (!parser.isSet(name)) return std::nullopt;
  bool ok = false;
  const double seconds = parser.value(name).toDouble(&ok);
  // The comparisons are false for NaN as well.
  if (!ok || !(seconds >= kMinRunSeconds && seconds <= kMaxRunSeconds)) {
    return QStringLiteral("--%1 takes a number of seconds from %2 to %3 (one year)")
        .arg(name)
        .arg(kMinRunSeconds)
        .arg(static_cast<qint64>(kMaxRunSeconds));
  }
  ms = std::llround(seconds * 1000);
  return std::nullopt;
}

std::optional<QString> ReadSeconds(const QCommandLineParser& parser, CliOptions& options) {
  return ReadDuration(parser, kSeconds, options.runMs);
}

std::optional<QString> ReadReconnectTimeout(const QCommandLineParser& parser, CliOptions& options) {
  return ReadDuration(parser, kReconnectTimeout, options.reconnectTimeoutMs);
}

std::optional<QString> ReadSegmentMinutes(const QCommandLineParser& parser, CliOptions& options) {
  if (!parser.isSet(kSegmentMinutes)) return std::nullopt;
  bool ok = false;
  const int minutes = parser.value(kSegmentMinutes).toInt(&ok);
  if (!ok || minutes < 1 || minutes > kMaxSegmentMinutes) {
    return QStringLiteral("--segment-minutes takes a whole number from 1 to %1")
        .arg(kMaxSegmentMinutes);
  }
  options.segmentMinutes = minutes;
  return std::nullopt;
}

std::optional<QString> ReadPcAvg(const QCommandLineParser& parser, CliOptions& options) {
  if (!parser.isSet(kPcAvg)) return std::nullopt;
  bool ok = false;
  const int minutes = parser.value(kPcAvg).toInt(&ok);
  if (!ok || minutes < 0 || minutes > kMaxPcAvgMinutes) {
    return QStringLiteral("--pc-avg takes a whole number of minutes from 0 to %1")
        .arg(kMaxPcAvgMinutes);
  }
  options.pcAvgMinutes = minutes;
  return std::nullopt;
}

}  // namespace

void AddCliOptions(QCommandLineParser& parser, const CliCommand* first) {
  QStringList declared;
  const auto declare = [&](const CliCommand& command) {
    for (const QCommandLineOption& option : command.options) {
      if (declared.contains(option.names().first())) continue;
      declared << option.names().first();
      parser.addOption(option);
    }
  };
  if (first) declare(*first);
  for (const CliCommand& command : CliCommands()) declare(command);
}

std::variant<CliOptions, QString> ReadCliOptions(const QCommandLineParser& parser) {
  CliOptions options;
  for (const auto read :
       {&ReadBaud, &ReadSeconds, &ReadReconnectTimeout, &ReadSegmentMinutes, &ReadPcAvg}) {
    if (auto error = read(parser, options)) return *error;
  }
  options.port = parser.value(kPort);
  options.out = parser.value(QStringLiteral("out"));
  options.json = parser.isSet(QStringLiteral("json"));
  options.timestamps = !parser.isSet(QStringLiteral("no-timestamp"));
  options.overwrite = parser.isSet(QStringLiteral("overwrite"));
  options.simulators = parser.isSet(QStringLiteral("simulators"));
  options.list = parser.isSet(QStringLiteral("list"));
  options.settingsFile = SettingsFileOption(parser);
  if (QString error = ReadMqttOptions(parser, options.mqtt); !error.isEmpty()) return error;
  return options;
}

}  // namespace ventari
