#include "cli/cli_session.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "base/errors.h"
#include "cli/interruption.h"
#include "link/qt_serial_port.h"
#include "sim/sim_serial_port.h"

namespace ventari {
namespace {

constexpr int kWatchIntervalMs = 100;

}  // namespace

void CliSay(const QString& message) {
  std::fprintf(stderr, "ventari-cli: %s\n", qUtf8Printable(message));
}

int CliFail(const QString& message) {
  CliSay(message);
  return kExitUsage;
}

void CliPrint(const QString& text) {
  std::fputs(qUtf8Printable(text), stdout);
  std::fflush(stdout);
}

QStringList CliAvailablePorts(const CliOptions& options) {
  return sim::SimulatedPorts::Offered(QtSerialPort::AvailablePortNames(), options.port,
                                      options.simulators);
}

CliSession::CliSession(const CliOptions& options)
    : options_(options), watch_(runtime_, kWatchIntervalMs, /*periodic=*/true) {
  runtime_.SetErrorHandler([this](const std::exception& error) { ShowError(prompts_, error); });
  watch_.SetHandler([this] { Watch(); });
  watch_.Start();
}

CliSession::~CliSession() { End(); }

std::optional<int> CliSession::Start() {
  const QString& port = options_.port;
  session_ = std::make_unique<Session>(
      runtime_, prompts_, sim::MakeSimulatedPortFactory(runtime_, QtSerialPort::Factory()),
      [this] { return CliAvailablePorts(options_); }, options_.settingsFile);
  session_->portOverride = port;
  session_->window().Changed().Subscribe([this] {
    TellPortNotice();
    TellDataNotice();
  });
  session_->recovery().adapterOf = &QtSerialPort::AdapterOf;
  session_->recovery().portOfAdapter = &QtSerialPort::PortOfAdapter;
  try {
    session_->OnFirstShow(session_->AvailablePorts());
  } catch (const PortError& e) {
    return CliFail(QStringLiteral("port %1: %2").arg(port, QString::fromUtf8(e.what())));
  }
  return std::nullopt;
}

std::optional<int> CliSession::Identify() {
  if (auto failed = Start()) return failed;
  try {
    if (options_.baud != 0) session_->commands().discovery.SetStartBaud(options_.baud);
    // The command line always searches, in service mode too.
    session_->commands().discovery.RequestSearch();
    session_->commands().discovery.OnActivate();
  } catch (const PortError& e) {
    if (e.kind() == PortError::Kind::kLost) {
      return CliFail(QStringLiteral("port %1 vanished during the search").arg(options_.port));
    }
    return CliFail(QStringLiteral("port %1: %2").arg(options_.port, QString::fromUtf8(e.what())));
  }
  return std::nullopt;
}

std::optional<int> CliSession::Open() {
  if (auto failed = Start()) return failed;
  try {
    if (options_.baud != 0) session_->link().port.SetBaud(options_.baud);
  } catch (const PortError& e) {
    return CliFail(QStringLiteral("port %1: %2").arg(options_.port, QString::fromUtf8(e.what())));
  }
  return std::nullopt;
}

void CliSession::Watch() {
  if (!Interrupted()) return;
  if (StopCutShort()) CutShort();
  if (!std::exchange(toldStop_, true)) {
    std::fprintf(stderr,
                 "ventari-cli: stopping in order; interrupt again after %d s to stop at once\n",
                 static_cast<int>(StopRequests::kCutShortAfterMs / 1000));
  }
  // The search stops after its current try, as File > Resynchronise stops it.
  if (session_) session_->commands().discovery.WithdrawSearch();
}

void CliSession::CutShort() {
  QString port = options_.port;
  if (session_ && session_->link().port.IsOpen()) {
    SerialPort& open = session_->link().port;
    port = open.Name();
    try {
      // A tty that still holds bytes to send can keep its close waiting for them.
      open.FlushOutBuffer();
      open.SetOpen(false);
    } catch (const PortError& e) {
      CliFail(QStringLiteral("port %1: %2").arg(port, QString::fromUtf8(e.what())));
    }
  }
  CliFail(QStringLiteral("interrupted again: the stop was cut short and the port %1 closed; the "
                         "anemometer may still be in configuration mode or sending")
              .arg(port));
  std::fflush(stdout);
  // Nothing of the wait the stop is in, nor of the command around it, runs after this.
  std::_Exit(kExitCutShort);
}

void CliSession::TellPortNotice() {
  const QString& notice = session_->window().PortNotice();
  if (notice == toldNotice_) return;
  toldNotice_ = notice;
  if (!notice.isEmpty()) CliSay(notice);
}

void CliSession::TellDataNotice() {
  const QString& notice = session_->window().DataNotice();
  const int pauses = session_->dataWatch().Pauses();
  if (notice.isEmpty() || pauses == toldPauses_) return;
  toldPauses_ = pauses;
  CliSay(notice);
}

bool CliSession::Run(const std::function<bool()>& alsoStop) {
  const std::int64_t endMs = options_.runMs ? runtime_.NowMs() + *options_.runMs : INT64_MAX;
  const PortRecovery& recovery = session_->recovery();
  const auto gaveUp = [&] {
    return options_.reconnectTimeoutMs && recovery.Waiting() &&
           runtime_.NowMs() - recovery.LostAtMs() >= *options_.reconnectTimeoutMs;
  };
  runtime_.WaitUntil([&] {
    return Interrupted() || runtime_.NowMs() >= endMs || gaveUp() || (alsoStop && alsoStop());
  });
  if (!gaveUp()) return true;
  CliFail((recovery.PortAway() ? QStringLiteral("port %1 did not return within %2 s")
                               : QStringLiteral("no anemometer answered on %1 within %2 s"))
              .arg(recovery.LostName())
              .arg(static_cast<double>(*options_.reconnectTimeoutMs) / 1000.0));
  return false;
}

void CliSession::End() {
  if (!session_ || !session_->link().port.IsOpen()) return;
  const QString port = session_->link().port.Name();
  try {
    if (session_->link().channel.InConfigMode()) session_->link().channel.LeaveConfigMode();
    if (!session_->link().port.Drain(kDrainBoundMs)) {
      CliFail(QStringLiteral("port %1: the last bytes written were not sent").arg(port));
    }
    session_->link().port.SetOpen(false);
  } catch (const PortError& e) {
    CliFail(QStringLiteral("port %1: %2").arg(port, QString::fromUtf8(e.what())));
  }
}

}  // namespace ventari
