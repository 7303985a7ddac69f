// ventari-cli: the headless Ventari. Finds and identifies the anemometer on a port with the
// same code path as the desktop application.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <cstdio>

#include "app/command_line.h"
#include "app/qt_runtime.h"
#include "app/session.h"
#include "cli/identify_report.h"
#include "cli/stderr_prompts.h"
#include "link/qt_serial_port.h"
#include "sim/sim_serial_port.h"

namespace {

constexpr int kFound = 0;
constexpr int kNotFound = 1;
constexpr int kUsageError = 2;

QStringList AvailablePorts() {
  return ventari::QtSerialPort::AvailablePortNames() + ventari::sim::SimulatedPorts::Names();
}

int Fail(const QString& message) {
  std::fprintf(stderr, "ventari-cli: %s\n", qUtf8Printable(message));
  return kUsageError;
}

void Print(const QString& text) {
  std::fputs(qUtf8Printable(text), stdout);
  std::fflush(stdout);
}

int Identify(const QCommandLineParser& parser) {
  const QString port = parser.value(QStringLiteral("port"));
  if (port.isEmpty()) return Fail(QStringLiteral("identify needs --port NAME"));
  std::int32_t startBaud = 0;
  if (parser.isSet(QStringLiteral("baud"))) {
    bool ok = false;
    startBaud = parser.value(QStringLiteral("baud")).toInt(&ok);
    if (!ok || startBaud <= 0) return Fail(QStringLiteral("--baud needs a positive rate"));
  }

  ventari::QtRuntime runtime;
  ventari::StderrPrompts prompts;
  ventari::Session session(
      runtime, prompts,
      ventari::sim::MakeSimulatedPortFactory(runtime, ventari::QtSerialPort::Factory()),
      ventari::SettingsFileOption(parser));
  session.availablePorts = &AvailablePorts;
  session.portOverride = port;
  try {
    session.OnFirstShow(session.AvailablePorts());
    if (startBaud != 0) session.discovery.SetStartBaud(startBaud);
    // The command line always searches, in service mode too.
    session.state.SearchRequested = true;
    session.discovery.OnActivate();
  } catch (const ventari::PortError& e) {
    return Fail(QStringLiteral("port %1: %2").arg(port, QString::fromUtf8(e.what())));
  }

  const QJsonObject report = ventari::IdentifyReport(session);
  if (parser.isSet(QStringLiteral("json"))) {
    Print(QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented)));
  } else if (session.discovery.Found()) {
    Print(QStringLiteral("Found %1 at %2 baud\nSerial number: %3\nSoftware version: %4\n")
              .arg(session.state.ModelCaption)
              .arg(session.port.Line().baud)
              .arg(session.state.SerialNumber.trimmed(), session.state.SoftwareVersion));
  } else {
    Print(QStringLiteral("No anemometer found on %1\n").arg(port));
  }
  return session.discovery.Found() ? kFound : kNotFound;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("ventari-cli"));
  QCoreApplication::setApplicationVersion(QStringLiteral("5.00"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Headless Ventari.\n"
      "  ports      list the serial ports and the simulated instruments, one a line\n"
      "  identify   search the port for an anemometer and identify it"));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("ports or identify"));
  parser.addOption(QCommandLineOption(QStringLiteral("port"),
                                      QStringLiteral("The port to search (COM3, /dev/ttyUSB0, "
                                                     "sim:t7, a pseudo-terminal path, ...)."),
                                      QStringLiteral("name")));
  parser.addOption(QCommandLineOption(
      QStringLiteral("baud"), QStringLiteral("The rate tried first (default: the stored rate)."),
      QStringLiteral("rate")));
  parser.addOption(
      QCommandLineOption(QStringLiteral("json"), QStringLiteral("Print the result as JSON.")));
  ventari::AddSettingsOption(parser);
  if (!parser.parse(app.arguments())) return Fail(parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) {
    Print(parser.helpText());
    return 0;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    Print(QStringLiteral("ventari-cli 5.00\n"));
    return 0;
  }

  const QStringList args = parser.positionalArguments();
  if (args.size() != 1) return Fail(QStringLiteral("give one command: ports or identify"));
  if (args[0] == QLatin1String("ports")) {
    for (const QString& name : AvailablePorts()) Print(name + QLatin1Char('\n'));
    return 0;
  }
  if (args[0] == QLatin1String("identify")) return Identify(parser);
  return Fail(QStringLiteral("unknown command '%1'").arg(args[0]));
}
