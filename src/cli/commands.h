// The commands of ventari-cli.
#pragma once

class QCommandLineParser;

namespace ventari {

// Lists the ports, one a line.
int PortsCommand();
// Searches and identifies; prints the result (as JSON with --json).
int IdentifyCommand(const QCommandLineParser& parser);
// Identifies, then prints one line per data message (as JSON with --json).
int StreamCommand(const QCommandLineParser& parser);
// Identifies, then writes the data display's log files.
int LogCommand(const QCommandLineParser& parser);

}  // namespace ventari
