#include "cli/capture_command.h"

#include <QCommandLineParser>

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"

namespace ventari {

int CaptureCommand(const CliInvocation& call) {
  const CliOptions& options = call.options;
  if (options.out.isEmpty()) return CliFail(QStringLiteral("give the capture file with --out"));

  CliSession cli(options);
  if (auto failed = cli.Open()) return *failed;
  TerminalModel& terminal = cli.session().link().terminal;
  if (!terminal.StartLog(options.out)) return kExitUsage;
  for (const QString& text : call.parser->values(QStringLiteral("send"))) {
    terminal.TypeLine(text.toLatin1());
  }
  const bool ran = cli.Run();
  const bool whole = terminal.Capture().IsOn();
  terminal.Close();
  CliPrint(terminal.LogStatus().trimmed() + QLatin1Char('\n'));
  if (!whole) return kExitIncomplete;
  return ran ? kExitDone : kExitPortGone;
}

}  // namespace ventari
