#include "cli/commands.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_session.h"
#include "cli/identify_report.h"
#include "cli/sample_printer.h"

namespace ventari {
namespace {

// Stops the run when nothing was found or the anemometer is not one whose data can be shown.
std::optional<int> RequireTwoAxis(Session& session) {
  if (!session.commands().discovery.Found()) return kExitNotFound;
  if (session.anemometer().state.Family != AnemFamily::kTwoAxis) {
    return CliFail(
        QStringLiteral("found a three-axis anemometer; data are shown for two-axis "
                       "anemometers only"));
  }
  return std::nullopt;
}

}  // namespace

int PortsCommand(const CliOptions& options) {
  for (const QString& name : CliAvailablePorts(options)) CliPrint(name + QLatin1Char('\n'));
  return kExitFound;
}

int IdentifyCommand(const CliOptions& options) {
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
  return s.commands().discovery.Found() ? kExitFound : kExitNotFound;
}

int StreamCommand(const CliOptions& options) {
  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (auto stop = RequireTwoAxis(s)) return *stop;
  PrintEachSample(s.displays(), s.decoding().dataApplier, options.json, &CliPrint);
  cli.Run();
  return kExitFound;
}

int LogCommand(const CliOptions& options) {
  if (options.out.isEmpty()) return CliFail(QStringLiteral("log needs --out FILE"));
  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (auto stop = RequireTwoAxis(s)) return *stop;
  DataDisplay& display = s.displays().dataDisplay;
  display.CbTsdClick(options.timestamps);
  display.CbSegClick(options.segmentMinutes > 0);
  if (options.segmentMinutes > 0) display.SetSegInterval(options.segmentMinutes);
  display.StartLogging(options.out);
  cli.Run();
  if (!display.StopLogging()) {
    CliFail(QStringLiteral("the log %1 is incomplete: lines could not be written to it")
                .arg(options.out));
    return kExitLogIncomplete;
  }
  return kExitFound;
}

}  // namespace ventari
