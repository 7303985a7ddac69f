// ventari-cli: the headless Ventari. Finds and identifies the anemometer on a port, streams
// and logs its data, with the same code as the desktop application.
#include <QCommandLineParser>
#include <QCoreApplication>

#include "base/version.h"

#include "app/command_line.h"
#include "cli/cli_session.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("ventari-cli"));
  QCoreApplication::setApplicationVersion(QLatin1String(ventari::kVersion));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Headless Ventari.\n"
      "  ports      list the serial ports and the simulated instruments, one a line\n"
      "  identify   search the port for an anemometer and identify it\n"
      "  stream     identify, then print one line per data message\n"
      "  log        identify, then write the data log files\n"
      "Exit status: 0 found, 1 not found, 2 usage or port error."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("command"),
                               QStringLiteral("ports, identify, stream or log"));
  const auto option = [&parser](const char* name, const char* help, const char* value = nullptr) {
    parser.addOption(QCommandLineOption(QLatin1String(name), QLatin1String(help),
                                        value ? QLatin1String(value) : QString()));
  };
  option("port", "The port (COM3, /dev/ttyUSB0, sim:t7, a pseudo-terminal path, ...).", "name");
  option("baud", "The rate tried first (default: the stored rate).", "rate");
  option("json", "Print JSON.");
  option("seconds", "Stream or log for this long (default: until interrupted).", "seconds");
  option("out", "The log file.", "file");
  option("segment-minutes", "Start a new log file every N minutes (1 to 360).", "N");
  option("no-timestamp", "Log the data without date and time.");
  ventari::AddSettingsOption(parser);
  if (!parser.parse(app.arguments())) return ventari::CliFail(parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) {
    ventari::CliPrint(parser.helpText());
    return 0;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    ventari::CliPrint(QStringLiteral("ventari-cli %1\n").arg(QLatin1String(ventari::kVersion)));
    return 0;
  }

  const QStringList args = parser.positionalArguments();
  if (args.size() != 1) {
    return ventari::CliFail(QStringLiteral("give one command: ports, identify, stream or log"));
  }
  const QString& command = args[0];
  if (command == QLatin1String("ports")) return ventari::PortsCommand();
  if (command == QLatin1String("identify")) return ventari::IdentifyCommand(parser);
  if (command == QLatin1String("stream")) return ventari::StreamCommand(parser);
  if (command == QLatin1String("log")) return ventari::LogCommand(parser);
  return ventari::CliFail(QStringLiteral("unknown command '%1'").arg(command));
}
