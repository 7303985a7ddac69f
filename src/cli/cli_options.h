// The options of ventari-cli, read and checked before any port is opened: a number out of range
// or not a number ends the run with a usage message.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

#include "cli/mqtt_options.h"
#include "triaxis/tri_axis_config.h"

class QCommandLineParser;

namespace ventari {

struct CliOptions {
  QString port;
  std::int32_t baud = 0;              // the rate tried first; 0: the stored rate
  std::optional<std::int64_t> runMs;  // how long to stream or log; none: until interrupted
  int segmentMinutes = 0;             // 0: one log file
  // How long a vanished port may stay away before a stream, log or capture gives up; none: until
  // interrupted.
  std::optional<std::int64_t> reconnectTimeoutMs;
  std::optional<int> pcAvgMinutes;  // three-axis PC averaging; none: the stored setting
  QString out;                      // the log file
  bool json = false;
  bool timestamps = true;
  bool overwrite = false;              // log: replace the segment files of an earlier run
  bool list = false;                   // set: list the fields and values instead of setting
  bool simulators = false;             // list the simulated ports whatever port is in use
  QString settingsFile;                // empty: the user's settings store
  std::optional<PublishRequest> mqtt;  // publish to a broker too; none: no --mqtt
};

// The longest stream or log: one year.
inline constexpr double kMaxRunSeconds = 365.0 * 24 * 3600;
inline constexpr double kMinRunSeconds = 0.1;
inline constexpr int kMaxSegmentMinutes = 360;

struct CliCommand;

// Declares every option any command of ventari-cli takes, `first`'s own before the others' (where
// two commands give one name different meanings, the first declared is read).
void AddCliOptions(QCommandLineParser& parser, const CliCommand* first = nullptr);
// The options given, or the message that names the first one out of range or not a number.
std::variant<CliOptions, QString> ReadCliOptions(const QCommandLineParser& parser);

}  // namespace ventari
