// The commands of ventari-cli that find the anemometer and show, log or change what it sends.
#pragma once

namespace ventari {

struct CliInvocation;

// Lists the ports, one a line.
int PortsCommand(const CliInvocation& call);
// Searches and identifies; prints the result (as JSON with --json).
int IdentifyCommand(const CliInvocation& call);
// Identifies, then prints one line per data message (as JSON with --json).
int StreamCommand(const CliInvocation& call);
// Identifies, then writes the data display's log files.
int LogCommand(const CliInvocation& call);
// Identifies, changes the settings FIELD=VALUE words name through the dialogs' exchanges and
// prints what was read back (with --list: the fields and values offered). Done when every
// setting reads back as asked, incomplete when one does not.
int SetCommand(const CliInvocation& call);

}  // namespace ventari
