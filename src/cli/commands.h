// The commands of ventari-cli.
#pragma once

#include <QStringList>

namespace ventari {

struct CliOptions;

// Lists the ports, one a line.
int PortsCommand(const CliOptions& options);
// Searches and identifies; prints the result (as JSON with --json).
int IdentifyCommand(const CliOptions& options);
// Identifies, then prints one line per data message (as JSON with --json).
int StreamCommand(const CliOptions& options);
// Identifies, then writes the data display's log files.
int LogCommand(const CliOptions& options);
// Identifies, changes the settings FIELD=VALUE `words` name through the dialogs' exchanges and
// prints what was read back (with --list: the fields and values offered). Exit 0 when every
// setting reads back as asked, 3 when one does not.
int SetCommand(const CliOptions& options, const QStringList& words);

}  // namespace ventari
