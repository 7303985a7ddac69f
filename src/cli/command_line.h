// ventari-cli's one start-up: the command is looked up in the table, its options read with one
// parser (an option that another command takes but this one does not is refused), the common
// options checked, interruptions caught, and the command run with what escapes it told in the
// user's words.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "cli/cli_options.h"
#include "cli/command_table.h"

class QCommandLineParser;

namespace ventari {

// What the command line asks for: a command with its options read and checked, or, when
// `command` is none, a text to print (help, version, or a usage message) and a status to end with.
struct CliInvocation {
  const CliCommand* command = nullptr;
  std::shared_ptr<const QCommandLineParser> parser;
  CliOptions options;
  QStringList words;  // the words after the command
  int status = 0;
  QString text;
};

// `arguments` is the whole list, program name first.
CliInvocation ParseCommandLine(const QStringList& arguments);
// Parses, then runs the command; returns the exit status.
int RunCommandLine(const QStringList& arguments);

}  // namespace ventari
