#include "cli/cli_session.h"

#include <cstdio>

#include "app/command_line.h"
#include "base/errors.h"
#include "base/timer.h"
#include "link/qt_serial_port.h"
#include "sim/sim_serial_port.h"

namespace ventari {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

}  // namespace

int CliFail(const QString& message) {
  std::fprintf(stderr, "ventari-cli: %s\n", qUtf8Printable(message));
  return kExitUsage;
}

void CliPrint(const QString& text) {
  std::fputs(qUtf8Printable(text), stdout);
  std::fflush(stdout);
}

QStringList CliAvailablePorts() {
  return QtSerialPort::AvailablePortNames() + sim::SimulatedPorts::Names();
}

CliSession::CliSession() {
  runtime_.SetErrorHandler([this](const std::exception& error) { ShowError(prompts_, error); });
}

std::optional<int> CliSession::Identify(const QCommandLineParser& parser) {
  const QString port = parser.value(QStringLiteral("port"));
  if (port.isEmpty()) return CliFail(QStringLiteral("give the port with --port NAME"));
  std::int32_t startBaud = 0;
  if (parser.isSet(QStringLiteral("baud"))) {
    bool ok = false;
    startBaud = parser.value(QStringLiteral("baud")).toInt(&ok);
    if (!ok || startBaud <= 0) return CliFail(QStringLiteral("--baud needs a positive rate"));
  }
  session_ = std::make_unique<Session>(
      runtime_, prompts_, sim::MakeSimulatedPortFactory(runtime_, QtSerialPort::Factory()),
      SettingsFileOption(parser));
  session_->availablePorts = &CliAvailablePorts;
  session_->portOverride = port;
  try {
    session_->OnFirstShow(session_->AvailablePorts());
    if (startBaud != 0) session_->commands().discovery.SetStartBaud(startBaud);
    // The command line always searches, in service mode too.
    session_->anemometer().state.SearchRequested = true;
    session_->commands().discovery.OnActivate();
  } catch (const PortError& e) {
    return CliFail(QStringLiteral("port %1: %2").arg(port, QString::fromUtf8(e.what())));
  }
  return std::nullopt;
}

bool CliSession::RunFor(const QCommandLineParser& parser) {
  std::int64_t endMs = INT64_MAX;
  if (parser.isSet(QStringLiteral("seconds"))) {
    bool ok = false;
    const double seconds = parser.value(QStringLiteral("seconds")).toDouble(&ok);
    if (!ok || seconds < 0) {
      CliFail(QStringLiteral("--seconds needs a number of seconds"));
      return false;
    }
    endMs = runtime_.NowMs() + static_cast<std::int64_t>(seconds * 1000);
  }
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  // A periodic timer keeps the loop turning, so the end and an interruption are noticed.
  Timer ticker(runtime_, 100, /*periodic=*/true);
  ticker.Start();
  runtime_.WaitUntil([&] { return interrupted != 0 || runtime_.NowMs() >= endMs; });
  return true;
}

}  // namespace ventari
