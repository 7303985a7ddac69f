// One headless run: the session on the Qt event loop with messages on standard error, the port
// given on the command line, and the search as the main window's first activation runs it.
#pragma once

#include <QString>
#include <QStringList>
#include <csignal>
#include <optional>

#include "app/session.h"
#include "base/qt_runtime.h"
#include "cli/cli_options.h"
#include "cli/stderr_prompts.h"

namespace ventari {

inline constexpr int kExitFound = 0;
inline constexpr int kExitNotFound = 1;
inline constexpr int kExitUsage = 2;

// Prints "ventari-cli: message" on standard error and gives the usage exit status.
int CliFail(const QString& message);
void CliPrint(const QString& text);
// The ports the ports dialog would list for a run with these options.
QStringList CliAvailablePorts(const CliOptions& options);

class CliSession {
 public:
  explicit CliSession(const CliOptions& options);

  // Opens --port, searches from --baud (or the stored rate) and identifies. Returns the exit
  // status when the run cannot go on (a usage or port error), nothing otherwise.
  std::optional<int> Identify();

  // Keeps the event loop running for the run time (for ever when none) or until interrupted.
  void Run();

  Session& session() { return *session_; }

 private:
  CliOptions options_;
  QtRuntime runtime_;
  StderrPrompts prompts_;
  std::unique_ptr<Session> session_;
};

}  // namespace ventari
