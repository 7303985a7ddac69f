#include "cli/stats_command.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>
#include <map>
#include <vector>

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "stats/binary_log_reader.h"
#include "stats/statistics_text.h"
#include "stats/wind_log_reader.h"
#include "stats/wind_rose.h"
#include "stats/wind_statistics.h"

namespace ventari {
namespace {

struct StatsRequest {
  StatisticsSettings settings;
  WindLogOptions log;
  int roseSectors = 0;  // 0: no rose
  bool csv = true;
};

// "+02:00", "-0530", "+2", "-3.5": hours east of UTC, as seconds.
std::optional<int> UtcOffset(const QString& text) {
  static const QRegularExpression shape(QStringLiteral("^([+-])(\\d{1,2}):?(\\d{2})$"));
  const QRegularExpressionMatch match = shape.match(text);
  if (match.hasMatch()) {
    const int seconds = match.captured(2).toInt() * 3600 + match.captured(3).toInt() * 60;
    return match.captured(1) == QLatin1String("-") ? -seconds : seconds;
  }
  bool number = false;
  const double hours = text.toDouble(&number);
  if (!number || hours < -14 || hours > 14) return std::nullopt;
  return static_cast<int>(std::lround(hours * 3600));
}

// The request, or the usage message naming the option out of range.
std::variant<StatsRequest, QString> ReadRequest(const CliInvocation& call) {
  const QCommandLineParser& parser = *call.parser;
  StatsRequest request;
  bool number = true;
  if (parser.isSet(QStringLiteral("period"))) {
    request.settings.periodMinutes = parser.value(QStringLiteral("period")).toInt(&number);
    if (!number || request.settings.periodMinutes < StatisticsSettings::kMinPeriodMinutes ||
        request.settings.periodMinutes > StatisticsSettings::kMaxPeriodMinutes) {
      return QStringLiteral("--period takes 1 to 60 minutes");
    }
  }
  if (parser.isSet(QStringLiteral("coverage"))) {
    const double percent = parser.value(QStringLiteral("coverage")).toDouble(&number);
    if (!number || percent < 0 || percent > 100) {
      return QStringLiteral("--coverage takes 0 to 100 per cent");
    }
    request.settings.coverage = percent / 100;
  }
  if (parser.isSet(QStringLiteral("rose"))) {
    request.roseSectors = parser.value(QStringLiteral("rose")).toInt(&number);
    if (!number || request.roseSectors < WindRose::kMinSectors ||
        request.roseSectors > WindRose::kMaxSectors) {
      return QStringLiteral("--rose takes %1 to %2 sectors")
          .arg(WindRose::kMinSectors)
          .arg(WindRose::kMaxSectors);
    }
  }
  if (parser.isSet(QStringLiteral("utc-offset"))) {
    request.log.localTime.utcOffsetSeconds = UtcOffset(parser.value(QStringLiteral("utc-offset")));
    if (!request.log.localTime.utcOffsetSeconds) {
      return QStringLiteral("--utc-offset takes hours east of UTC, e.g. +02:00 or -5");
    }
  }
  if (parser.isSet(QStringLiteral("rate"))) {
    const double rate = parser.value(QStringLiteral("rate")).toDouble(&number);
    if (!number || rate <= 0 || rate > 1000) {
      return QStringLiteral("--rate takes the records a second, above 0 and up to 1000");
    }
    request.log.recordsPerSecond = rate;
  }
  if (call.options.json && parser.isSet(QStringLiteral("csv"))) {
    return QStringLiteral("give --json or --csv, not both");
  }
  request.csv = !call.options.json;
  if (call.words.isEmpty()) return QStringLiteral("stats needs one FILE or more");
  return request;
}

QString TimesNote(const QString& file, const WindLogResult& result) {
  QString note = QStringLiteral("%1: %2 records").arg(file).arg(result.samples);
  if (result.unreadable > 0) {
    note += (result.binary ? QStringLiteral(", %1 unreadable records (the first is record %2)")
                           : QStringLiteral(", %1 unreadable lines (the first is line %2)"))
                .arg(result.unreadable)
                .arg(result.firstUnreadableLine);
  }
  if (result.needsRate) {
    note += QStringLiteral(" (records without time stamps: give the records a second with --rate)");
  }
  if (result.pathsBlocked > 0) {
    note += QStringLiteral(", %1 with the paths blocked").arg(result.pathsBlocked);
  }
  if (result.binary) {
    note += QStringLiteral(
                "; times derived from the file's modification time (the last record's) "
                "at %1 records a second")
                .arg(result.recordsPerSecond);
  } else if (result.times == RecordTimes::kDerived) {
    note += QStringLiteral("; times derived from the header at %1 records a second")
                .arg(result.recordsPerSecond);
  }
  return note;
}

}  // namespace

QStringList InSegmentOrder(const QStringList& files) {
  static const QRegularExpression segment(QStringLiteral("^(.*_\\d+)_(\\d+)\\.log$"),
                                          QRegularExpression::CaseInsensitiveOption);
  // Each log's segments by number, placed where its first segment stood.
  std::map<QString, std::map<qint64, QString>> segments;
  QStringList order;
  for (const QString& file : files) {
    const QRegularExpressionMatch match = segment.match(file);
    if (!match.hasMatch()) {
      order << file;
      continue;
    }
    const QString stem = match.captured(1);
    if (!segments.contains(stem)) order << QStringLiteral("\x01") + stem;
    segments[stem][match.captured(2).toLongLong()] = file;
  }
  QStringList ordered;
  for (const QString& entry : order) {
    if (!entry.startsWith(QLatin1Char('\x01'))) {
      ordered << entry;
      continue;
    }
    for (const auto& [number, file] : segments[entry.mid(1)]) ordered << file;
  }
  return ordered;
}

int StatsCommand(const CliInvocation& call) {
  const auto read = ReadRequest(call);
  if (const QString* usage = std::get_if<QString>(&read)) return CliFail(*usage);
  const StatsRequest& request = std::get<StatsRequest>(read);
  std::vector<PeriodRow> rows;
  WindStatistics statistics(request.settings,
                            [&rows](const PeriodRow& row) { rows.push_back(row); });
  WindRose rose(request.roseSectors);
  std::int64_t outOfOrder = 0;
  const WindSampleSink sink = [&](const WindSample& sample) {
    if (!statistics.Add(sample)) {
      ++outOfOrder;
    } else if (request.roseSectors > 0) {
      rose.Add(sample);
    }
  };
  QTextStream err(stderr);
  RecordTimes times = RecordTimes::kLogged;
  double rate = 0;
  int status = kExitDone;
  for (const QString& file : InSegmentOrder(call.words)) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
      err << QStringLiteral("%1: cannot be read: %2").arg(file, in.errorString()) << Qt::endl;
      status = kExitNotDone;
      continue;
    }
    const qint64 size = in.size();
    const uchar* mapped = size > 0 ? in.map(0, size) : nullptr;
    const QByteArray whole = mapped ? QByteArray() : in.readAll();
    const std::string_view content =
        mapped ? std::string_view(reinterpret_cast<const char*>(mapped),
                                  static_cast<std::size_t>(size))
               : std::string_view(whole.constData(), static_cast<std::size_t>(whole.size()));
    const WindLogResult result =
        IsBinaryWindLog(file, content)
            ? ReadBinaryWindLog(file, content, request.log,
                                QFileInfo(file).lastModified().toMSecsSinceEpoch() * 1000, sink)
            : ReadWindLog(file, content, request.log, sink);
    if (!result.refusal.isEmpty()) {
      err << result.refusal << Qt::endl;
      status = kExitNotDone;
      continue;
    }
    err << TimesNote(file, result) << Qt::endl;
    if (result.times == RecordTimes::kDerived) times = RecordTimes::kDerived;
    if (rate == 0) rate = result.recordsPerSecond;
  }
  statistics.Finish();
  if (outOfOrder > 0) {
    err << QStringLiteral(
               "%1 records are older than the period before them and are not counted: "
               "give the files in the order they were written.")
               .arg(outOfOrder)
        << Qt::endl;
  }
  QString out;
  if (request.csv) out += StatisticsCsvHeader() + QLatin1Char('\n');
  for (PeriodRow& row : rows) {
    MarkCoverage(row, rate, request.settings.coverage);
    out += request.csv
               ? StatisticsCsvLine(row, times)
               : QString::fromUtf8(
                     QJsonDocument(StatisticsJson(row, times)).toJson(QJsonDocument::Compact));
    out += QLatin1Char('\n');
  }
  if (request.roseSectors > 0) {
    out += request.csv
               ? QLatin1Char('\n') + RoseCsvLines(rose).join(QLatin1Char('\n'))
               : QString::fromUtf8(QJsonDocument(RoseJson(rose)).toJson(QJsonDocument::Compact));
    out += QLatin1Char('\n');
  }
  CliPrint(out);
  return status;
}

}  // namespace ventari
