// ventari-cli: the headless Ventari. Finds and identifies the anemometer on a port, streams
// and logs its data, with the same code as the desktop application.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <exception>
#include <functional>
#include <variant>

#include "base/errors.h"
#include "base/version.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/service_commands.h"

namespace {

// What escapes a command is told in the user's words; a fault in the program as "Unexpected
// error", with its detail.
int Guarded(const std::function<int()>& command) {
  try {
    return command();
  } catch (const std::exception& e) {
    if (!dynamic_cast<const ventari::UserError*>(&e)) {
      std::fprintf(stderr, "ventari-cli: detail: %s\n", e.what());
    }
    return ventari::CliFail(ventari::UserMessageOf(e));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("ventari-cli"));
  QCoreApplication::setApplicationVersion(QLatin1String(ventari::kVersion));

  // A service command reads options of its own.
  const QStringList arguments = app.arguments();
  for (const auto& service : ventari::ServiceCommands()) {
    if (arguments.size() > 1 && arguments[1] == QLatin1String(service.name)) {
      return Guarded([&] { return service.run(arguments); });
    }
  }
  QString serviceHelp;
  for (const auto& service : ventari::ServiceCommands()) {
    serviceHelp += QStringLiteral("\n  %1 %2")
                       .arg(QLatin1String(service.name), -10)
                       .arg(QLatin1String(service.summary));
  }

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral(
          "Headless Ventari.\n"
          "  ports      list the serial ports (and the simulated instruments when a\n"
          "             simulated port is given or --simulators), one a line\n"
          "  identify   search the port for an anemometer and identify it\n"
          "  stream     identify, then print one line per data message or three-axis record\n"
          "  log        identify, then write the data log files\n"
          "  set        identify, then change settings: set FIELD=VALUE... (--list shows them)\n"
          "A port that vanishes while streaming or logging is told on standard error and\n"
          "looked for every second; the anemometer is found again when it returns.\n"
          "Exit status: 0 found (set: confirmed), 1 not found, 2 usage or port error or a value\n"
          "this anemometer refuses or a port that did not return within --reconnect-timeout,\n"
          "3 a log that could not be written completely or a setting not confirmed.") +
      serviceHelp);
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("command"),
                               QStringLiteral("ports, identify, stream, log or set"));
  ventari::AddCliOptions(parser);
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
  if (args.isEmpty() || (args.size() > 1 && args[0] != QLatin1String("set"))) {
    return ventari::CliFail(
        QStringLiteral("give one command: ports, identify, stream, log or set"));
  }
  const auto read = ventari::ReadCliOptions(parser);
  if (const auto* error = std::get_if<QString>(&read)) return ventari::CliFail(*error);
  const auto& options = std::get<ventari::CliOptions>(read);
  const QString& command = args[0];
  if (command == QLatin1String("ports")) {
    return Guarded([&] { return ventari::PortsCommand(options); });
  }
  if (command == QLatin1String("identify")) {
    return Guarded([&] { return ventari::IdentifyCommand(options); });
  }
  if (command == QLatin1String("stream")) {
    return Guarded([&] { return ventari::StreamCommand(options); });
  }
  if (command == QLatin1String("log")) return Guarded([&] { return ventari::LogCommand(options); });
  if (command == QLatin1String("set")) {
    return Guarded([&] { return ventari::SetCommand(options, args.mid(1)); });
  }
  return ventari::CliFail(QStringLiteral("unknown command '%1'").arg(command));
}
