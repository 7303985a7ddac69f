#include "cli/capture_command.h"

#include <QCommandLineParser>

#include "cli/cli_session.h"

namespace ventari {
namespace {

constexpr int kExitCaptured = 0;
const QString kSend = QStringLiteral("send");

}  // namespace

int CaptureCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "ventari-cli capture: open the port without searching, type each --send text followed\n"
      "by a line end (CR) as the terminal sends keys, and write every byte received to --out\n"
      "for --seconds or until interrupted. Exit status: 0 captured, 2 usage, port or file\n"
      "error or a port that vanished and did not return within --reconnect-timeout, 3 writing\n"
      "failed during the capture."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("capture"), QStringLiteral("the command"));
  AddCliOptions(parser);
  parser.addOption(QCommandLineOption(kSend, QStringLiteral("A text to type (repeatable)."),
                                      QStringLiteral("text")));
  if (!parser.parse(arguments)) return CliFail(parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) {
    CliPrint(parser.helpText());
    return kExitCaptured;
  }
  if (parser.positionalArguments().size() != 1) {
    return CliFail(QStringLiteral("capture takes no words after it"));
  }
  for (const char* other : {"json", "segment-minutes", "no-timestamp", "pc-avg", "list"}) {
    if (parser.isSet(QLatin1String(other))) {
      return CliFail(QStringLiteral("--%1 does not apply to capture").arg(QLatin1String(other)));
    }
  }
  const auto read = ReadCliOptions(parser);
  if (const auto* error = std::get_if<QString>(&read)) return CliFail(*error);
  const auto& options = std::get<CliOptions>(read);
  if (options.out.isEmpty()) return CliFail(QStringLiteral("give the capture file with --out"));

  CliSession cli(options);
  if (auto failed = cli.Open()) return *failed;
  TerminalModel& terminal = cli.session().link().terminal;
  if (!terminal.StartLog(options.out)) return kExitUsage;
  for (const QString& text : parser.values(kSend)) {
    for (const char byte : text.toLatin1()) terminal.Type(static_cast<std::uint8_t>(byte));
    terminal.Type('\r');
  }
  const bool ran = cli.Run();
  const bool whole = terminal.Capture().IsOn();
  terminal.Close();
  CliPrint(terminal.LogStatus().trimmed() + QLatin1Char('\n'));
  if (!whole) return kExitLogIncomplete;
  return ran ? kExitCaptured : kExitPortGone;
}

}  // namespace ventari
