#include "cli/command_line.h"

#include <QCommandLineParser>
#include <cstdio>
#include <exception>

#include "base/errors.h"
#include "base/version.h"
#include "cli/cli_session.h"
#include "cli/exit_status.h"
#include "cli/help_text.h"
#include "cli/interruption.h"

namespace ventari {
namespace {

const QString kHelp = QStringLiteral("help");
const QString kHelpAll = QStringLiteral("help-all");
const QString kVersionOption = QStringLiteral("version");

// --help, or --help-all (the Qt options are of no use to a headless program).
bool AsksForHelp(const QCommandLineParser& parser) {
  return parser.isSet(kHelp) || parser.isSet(kHelpAll);
}

QString CommandNames() {
  QStringList names;
  for (const CliCommand& command : CliCommands()) names << command.name;
  return names.join(QStringLiteral(", "));
}

// A parser that knows every option of every command, `command`'s own first: an option another
// command takes is then read, and refused, instead of being unknown.
std::shared_ptr<QCommandLineParser> ParserFor(const CliCommand* command) {
  auto parser = std::make_shared<QCommandLineParser>();
  parser->addHelpOption();
  parser->addVersionOption();
  AddCliOptions(*parser, command);
  return parser;
}

// The commands with what each takes, the note on vanished ports, and the exit statuses.
QString GeneralHelp() {
  QString text = QStringLiteral("Headless Ventari. Commands, and the options each takes:\n");
  for (const CliCommand& command : CliCommands()) {
    QStringList options;
    for (const QCommandLineOption& option : command.options) {
      options << QStringLiteral("--") + option.names().first();
    }
    text += Wrapped(QStringLiteral("  %1 ").arg(command.name, -10), command.summary + ";") +
            Wrapped(QString(13, QLatin1Char(' ')), "options: " + options.join(", "));
  }
  text += QStringLiteral(
      "\nA port that vanishes while streaming, logging or capturing is told on standard error\n"
      "and looked for every second; the anemometer is found again when it returns.\n");
  auto parser = ParserFor(nullptr);
  parser->setApplicationDescription(text + ExitStatusHelp());
  parser->addPositionalArgument(QStringLiteral("command"), CommandNames());
  return parser->helpText();
}

QString CommandHelp(const CliCommand& command) {
  QCommandLineParser parser;
  parser.setApplicationDescription(Wrapped(QString(), command.description) + ExitStatusHelp());
  parser.addHelpOption();
  for (const QCommandLineOption& option : command.options) parser.addOption(option);
  parser.addPositionalArgument(command.name, QStringLiteral("the command"));
  if (!command.words.isEmpty()) parser.addPositionalArgument(command.words, QString());
  return parser.helpText();
}

CliInvocation Ends(int status, const QString& text) {
  CliInvocation ends;
  ends.status = status;
  ends.text = text;
  return ends;
}

// What escapes a command is told in the user's words; a fault in the program as "Unexpected
// error", with its detail.
int Guarded(const CliInvocation& call) {
  try {
    return call.command->run(call);
  } catch (const std::exception& e) {
    if (!dynamic_cast<const UserError*>(&e)) {
      std::fprintf(stderr, "ventari-cli: detail: %s\n", e.what());
    }
    return CliFail(UserMessageOf(e));
  }
}

}  // namespace

CliInvocation ParseCommandLine(const QStringList& arguments) {
  // The command is the first word; which options it takes decides how the rest is read.
  const auto first = ParserFor(nullptr);
  if (!first->parse(arguments)) return Ends(kExitUsage, first->errorText());
  if (first->isSet(kVersionOption)) {
    return Ends(kExitDone, QStringLiteral("ventari-cli %1\n").arg(QLatin1String(kVersion)));
  }
  const QStringList words = first->positionalArguments();
  if (words.isEmpty()) {
    if (AsksForHelp(*first)) return Ends(kExitDone, GeneralHelp());
    return Ends(kExitUsage, QStringLiteral("give one command: %1").arg(CommandNames()));
  }
  const CliCommand* command = CliCommandNamed(words[0]);
  if (!command) return Ends(kExitUsage, QStringLiteral("unknown command '%1'").arg(words[0]));

  CliInvocation call;
  call.command = command;
  const auto parser = ParserFor(command);
  call.parser = parser;
  if (!parser->parse(arguments)) return Ends(kExitUsage, parser->errorText());
  if (AsksForHelp(*parser)) return Ends(kExitDone, CommandHelp(*command));
  for (const QString& name : parser->optionNames()) {
    if (!TakesOption(*command, name)) {
      return Ends(kExitUsage, QStringLiteral("--%1 does not apply to %2").arg(name, command->name));
    }
  }
  call.words = parser->positionalArguments().mid(1);
  if (command->words.isEmpty() && !call.words.isEmpty()) {
    return Ends(kExitUsage, QStringLiteral("%1 takes no words after it").arg(command->name));
  }
  auto read = ReadCliOptions(*parser);
  if (const auto* error = std::get_if<QString>(&read)) return Ends(kExitUsage, *error);
  call.options = std::get<CliOptions>(std::move(read));
  if (command->needsPort && call.options.port.isEmpty()) {
    return Ends(kExitUsage, QStringLiteral("give the port with --port NAME"));
  }
  return call;
}

int RunCommandLine(const QStringList& arguments) {
  const CliInvocation call = ParseCommandLine(arguments);
  if (!call.command) {
    if (call.status != kExitDone) return CliFail(call.text);
    CliPrint(call.text);
    return call.status;
  }
  CatchInterruptions();
  return Guarded(call);
}

}  // namespace ventari
