// The commands of ventari-cli.
#pragma once

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

}  // namespace ventari
