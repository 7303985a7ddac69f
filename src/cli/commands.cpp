#include "cli/commands.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "app/identify_report.h"
#include "app/run_summary.h"
#include "app/tri_axis_settings.h"
#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "cli/live_stats_printer.h"
#include "cli/mqtt_publishing.h"
#include "cli/sample_printer.h"
#include "cli/setting_requests.h"
#include "displays/segmented_log.h"
#include "link/port_permission.h"
#include "link/qt_serial_port.h"
#include "sim/sim_serial_port.h"

namespace ventari {
namespace {

bool TriAxis(Session& session) { return session.anemometer().state.Family == AnemFamily::kTriAxis; }

// Stops the run when nothing was found, or when an option given does not apply to the
// anemometer found.
std::optional<int> RequireFoundAndApplicable(Session& session, const CliOptions& options,
                                             bool logging) {
  if (!session.commands().discovery.Found()) return kExitNotDone;
  if (!TriAxis(session)) {
    if (options.pcAvgMinutes) {
      return CliFail(QStringLiteral("--pc-avg applies to three-axis anemometers only"));
    }
    return std::nullopt;
  }
  if (logging && !options.timestamps) {
    return CliFail(QStringLiteral("--no-timestamp applies to two-axis anemometers only"));
  }
  if (logging && options.segmentMinutes > 0 && session.anemometer().triAxisConfig.IsBinary()) {
    return CliFail(
        QStringLiteral("--segment-minutes applies to ASCII output only; the "
                       "anemometer sends binary records"));
  }
  return std::nullopt;
}

// A three-axis anemometer streams as while the tabular display is shown: opened and closed as
// its window is.
void ShowTabular(Session& session, const CliOptions& options) {
  if (options.pcAvgMinutes) {
    session.anemometer().triAxisConfig.PcAvgMinutes = *options.pcAvgMinutes;
    session.displays().tabular.PcAveragingChanged();
  }
  session.commands().liveCommands.Open(LiveWindowKind::kTabular);
}

void CloseTabular(Session& session) {
  session.commands().liveCommands.Close(LiveWindowKind::kTabular);
}

// The last line of a stream or log on standard error and, with --json, its last object on
// standard output.
void TellSummary(const RunSummary& summary, const CliOptions& options) {
  std::fprintf(stderr, "%s\n", qUtf8Printable(summary.Line()));
  if (options.json) {
    CliPrint(QString::fromUtf8(QJsonDocument(summary.Json()).toJson(QJsonDocument::Compact)) +
             QLatin1Char('\n'));
  }
}

// Runs until the run's end, an interruption, or the broker refusing the credentials.
bool RunPublishing(CliSession& cli, const std::unique_ptr<CliPublishing>& publishing) {
  return cli.Run([&publishing] { return publishing && publishing->Refused(); });
}

// The run's summary, with what was published.
RunSummary EndPublishing(Session& session, const std::unique_ptr<CliPublishing>& publishing) {
  RunSummary summary = RunSummary::Of(session);
  if (publishing) publishing->Finish(summary);
  return summary;
}

int ExitOf(bool ran, const std::unique_ptr<CliPublishing>& publishing) {
  if (publishing && publishing->Refused()) return kExitNotDone;
  return ran ? kExitDone : kExitPortGone;
}

int LogTriAxis(CliSession& cli, const CliOptions& options) {
  Session& s = cli.session();
  TabularDisplay& tabular = s.displays().tabular;
  std::unique_ptr<CliPublishing> publishing;
  if (auto failed = CliPublishing::Start(cli, options, publishing)) return *failed;
  ShowTabular(s, options);
  tabular.CbSegClick(options.segmentMinutes > 0);
  if (options.segmentMinutes > 0) tabular.SetSegInterval(options.segmentMinutes);
  tabular.StartLogging(options.out);
  const bool ran =
      !(tabular.Logging() || tabular.BinaryLogOpen()) || RunPublishing(cli, publishing);
  const RunSummary summary = EndPublishing(s, publishing);
  const bool complete = tabular.StopLogging();
  CloseTabular(s);
  if (!complete) {
    CliFail(QStringLiteral("the log %1 is incomplete: it could not be created or written")
                .arg(tabular.FileName()));
  }
  TellSummary(summary, options);
  if (!complete) return kExitIncomplete;
  return ExitOf(ran, publishing);
}

}  // namespace

int PortsCommand(const CliInvocation& call) {
  const CliOptions& options = call.options;
  QStringList machinePorts = QtSerialPort::AvailablePortNames();
  // A device given with --port that the system does not list (a pseudo-terminal) is listed too.
  const QString given = QtSerialPort::DeviceFor(options.port);
  if (!machinePorts.contains(given) && QFileInfo::exists(given)) machinePorts << given;
  for (const QString& name :
       sim::SimulatedPorts::Offered(machinePorts, options.port, options.simulators)) {
    const bool permitted = PermissionOf(QtSerialPort::DeviceFor(name)).permitted;
    CliPrint(ListedPortName(name, permitted) + QLatin1Char('\n'));
  }
  return kExitDone;
}

int IdentifyCommand(const CliInvocation& call) {
  const CliOptions& options = call.options;
  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (options.json) {
    CliPrint(QString::fromUtf8(
        QJsonDocument(IdentifyReport(s.anemometer(), s.commands().discovery.Found(),
                                     s.link().port.Line().baud, s.window().menu))
            .toJson(QJsonDocument::Indented)));
  } else if (s.commands().discovery.Found()) {
    CliPrint(QStringLiteral("Found %1 at %2 baud\nSerial number: %3\nSoftware version: %4\n")
                 .arg(s.anemometer().state.ModelCaption)
                 .arg(s.link().port.Line().baud)
                 .arg(s.anemometer().state.SerialNumber.trimmed(),
                      s.anemometer().state.SoftwareVersion));
  } else {
    CliPrint(QStringLiteral("No anemometer found on %1\n").arg(s.link().port.Name()));
  }
  return s.commands().discovery.Found() ? kExitDone : kExitNotDone;
}

int StreamCommand(const CliInvocation& call) {
  const CliOptions& options = call.options;
  const auto statsMinutes = LiveStatsMinutes(*call.parser);
  if (const QString* usage = std::get_if<QString>(&statsMinutes)) return CliFail(*usage);
  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (auto stop = RequireFoundAndApplicable(s, options, false)) return *stop;
  s.dataWatch().SetHeadless(true);
  const std::optional<int> minutes = std::get<std::optional<int>>(statsMinutes);
  LiveStatistics live({minutes.value_or(StatisticsSettings::kDefaultPeriodMinutes)});
  if (!TriAxis(s)) {
    PrintEachSample(s.displays(), s.decoding().dataApplier, options.json, &CliPrint);
    if (minutes) PrintPeriodStatistics(s, live, &CliPrint);
    std::unique_ptr<CliPublishing> publishing;
    if (auto failed = CliPublishing::Start(cli, options, publishing)) return *failed;
    if (minutes && publishing) publishing->PublishPeriods(live);
    const bool ran = RunPublishing(cli, publishing);
    live.Finish();
    TellSummary(EndPublishing(s, publishing), options);
    return ExitOf(ran, publishing);
  }
  PrintEachSample(s.displays(), s.decoding().triAxisData, s.anemometer().triAxisConfig,
                  options.json, &CliPrint);
  if (minutes) PrintPeriodStatistics(s, live, &CliPrint);
  std::unique_ptr<CliPublishing> publishing;
  if (auto failed = CliPublishing::Start(cli, options, publishing)) return *failed;
  if (minutes && publishing) publishing->PublishPeriods(live);
  ShowTabular(s, options);
  const bool ran = RunPublishing(cli, publishing);
  live.Finish();
  const RunSummary summary = EndPublishing(s, publishing);
  CloseTabular(s);
  TellSummary(summary, options);
  return ExitOf(ran, publishing);
}

int LogCommand(const CliInvocation& call) {
  const CliOptions& options = call.options;
  if (options.out.isEmpty()) return CliFail(QStringLiteral("log needs --out FILE"));
  if (options.segmentMinutes > 0 && !options.overwrite) {
    const QString existing = SegmentedLog::ExistingSegment(options.out, options.segmentMinutes);
    if (!existing.isEmpty()) {
      return CliFail(QStringLiteral("the segment file %1 of an earlier log exists; give "
                                    "--overwrite to replace it and the other segment files of "
                                    "that name")
                         .arg(existing));
    }
  }
  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (auto stop = RequireFoundAndApplicable(s, options, true)) return *stop;
  s.dataWatch().SetHeadless(true);
  if (TriAxis(s)) return LogTriAxis(cli, options);
  DataDisplay& display = s.displays().dataDisplay;
  std::unique_ptr<CliPublishing> publishing;
  if (auto failed = CliPublishing::Start(cli, options, publishing)) return *failed;
  display.SetTimestamped(options.timestamps);
  display.CbSegClick(options.segmentMinutes > 0);
  if (options.segmentMinutes > 0) display.SetSegInterval(options.segmentMinutes);
  display.StartLogging(options.out);
  const bool ran = RunPublishing(cli, publishing);
  const RunSummary summary = EndPublishing(s, publishing);
  const bool complete = display.StopLogging();
  if (!complete) {
    CliFail(QStringLiteral("the log %1 is incomplete: lines could not be written to it")
                .arg(options.out));
  }
  TellSummary(summary, options);
  if (!complete) return kExitIncomplete;
  return ExitOf(ran, publishing);
}

int SetCommand(const CliInvocation& call) {
  const CliOptions& options = call.options;
  const auto split = SplitAssignments(call.words);
  if (const auto* error = std::get_if<QString>(&split); error && !options.list) {
    return CliFail(*error);
  }
  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (!s.commands().discovery.Found()) return kExitNotDone;
  TriAxisSettings triAxis(s.commands().setup, s.link().channel, s.decoding().triAxisListing);
  FamilySettings& settings =
      TriAxis(s) ? static_cast<FamilySettings&>(triAxis) : s.commands().twoAxisSettings;
  if (options.list) {
    CliPrint(FieldList(settings.Fields()));
    return kExitDone;
  }
  const auto resolved = ResolveRequests(std::get<0>(split), settings.Fields());
  if (const auto* error = std::get_if<QString>(&resolved)) return CliFail(*error);
  const auto& requests = std::get<std::vector<SettingRequest>>(resolved);

  std::vector<std::pair<QString, int>> asked;
  for (const SettingRequest& request : requests) asked.emplace_back(request.field, request.index);
  for (const SettingOutcome& outcome : settings.Apply(asked)) {
    if (outcome.result == SettingOutcome::Result::kConfirmed) continue;
    if (!outcome.told && !outcome.message.isEmpty()) CliFail(outcome.message);
  }
  // What the anemometer holds is what the read-back shows, whatever the exchanges said.
  settings.ReadBack();

  QJsonObject report =
      IdentifyReport(s.anemometer(), true, s.link().port.Line().baud, s.window().menu);
  QJsonObject requested;
  QJsonObject confirmed;
  bool allConfirmed = true;
  for (const SettingRequest& request : requests) {
    const bool shown = settings.Current(request.field) == request.index;
    requested[request.field] = request.value;
    confirmed[request.field] = shown;
    allConfirmed = allConfirmed && shown;
  }
  report[QStringLiteral("requested")] = requested;
  report[QStringLiteral("confirmed")] = confirmed;
  CliPrint(QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented)));
  return allConfirmed ? kExitDone : kExitIncomplete;
}

}  // namespace ventari
