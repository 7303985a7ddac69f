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
  if (!session.discovery.Found()) return kExitNotFound;
  if (session.state.Family != AnemFamily::kTwoAxis) {
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
    CliPrint(QString::fromUtf8(QJsonDocument(IdentifyReport(s)).toJson(QJsonDocument::Indented)));
  } else if (s.discovery.Found()) {
    CliPrint(QStringLiteral("Found %1 at %2 baud\nSerial number: %3\nSoftware version: %4\n")
                 .arg(s.state.ModelCaption)
                 .arg(s.port.Line().baud)
                 .arg(s.state.SerialNumber.trimmed(), s.state.SoftwareVersion));
  } else {
    CliPrint(QStringLiteral("No anemometer found on %1\n").arg(s.port.Name()));
  }
  return s.discovery.Found() ? kExitFound : kExitNotFound;
}

int StreamCommand(const CliOptions& options) {
  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (auto stop = RequireTwoAxis(s)) return *stop;
  PrintEachSample(s, options.json, &CliPrint);
  cli.Run();
  return kExitFound;
}

int LogCommand(const CliOptions& options) {
  if (options.out.isEmpty()) return CliFail(QStringLiteral("log needs --out FILE"));
  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (auto stop = RequireTwoAxis(s)) return *stop;
  DataDisplay& display = s.dataDisplay;
  display.CbTsdClick(options.timestamps);
  display.CbSegClick(options.segmentMinutes > 0);
  if (options.segmentMinutes > 0) display.SetSegInterval(options.segmentMinutes);
  display.StartLogging(options.out);
  cli.Run();
  display.StopLogging();
  return kExitFound;
}

}  // namespace ventari
