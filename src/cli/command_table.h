// The commands of ventari-cli, each with the words it takes, the options that apply to it and
// what runs it: the one table the start-up, --help and the README follow.
#pragma once

#include <QCommandLineOption>
#include <QString>
#include <vector>

namespace ventari {

struct CliInvocation;

struct CliCommand {
  QString name;
  QString words;        // what follows the name ("FILE", "paths|sos"); empty: nothing
  QString summary;      // its line in the list of commands
  QString description;  // what its own --help says first
  bool needsPort = false;
  std::vector<QCommandLineOption> options;
  int (*run)(const CliInvocation& call) = nullptr;
};

// Every command, in the order --help lists them.
const std::vector<CliCommand>& CliCommands();
// The command of that name, or none.
const CliCommand* CliCommandNamed(const QString& name);
// Whether `command` takes the option `name`.
bool TakesOption(const CliCommand& command, const QString& name);

}  // namespace ventari
