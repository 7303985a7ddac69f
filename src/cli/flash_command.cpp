#include "cli/flash_command.h"

#include <QCommandLineParser>
#include <QDir>

#include "app/session_parts.h"
#include "base/qt_runtime.h"
#include "base/timer.h"
#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "cli/interruption.h"
#include "cli/stderr_prompts.h"
#include "link/qt_serial_port.h"
#include "service/flash_programmer.h"
#include "service/service_folder.h"
#include "sim/sim_serial_port.h"

namespace ventari {
namespace {

constexpr int kWatchIntervalMs = 100;

int ExitOf(FlashOutcome outcome) {
  switch (outcome) {
    case FlashOutcome::kProgrammed:
      return kExitDone;
    case FlashOutcome::kAborted:
      return kExitIncomplete;
    case FlashOutcome::kFailed:
      break;
  }
  return kExitNotDone;
}

}  // namespace

int FlashCommand(const CliInvocation& call) {
  const QCommandLineParser& parser = *call.parser;
  const QString& port = call.options.port;
  const QString application = parser.value(QStringLiteral("app"));
  const QString chipText = parser.value(QStringLiteral("chip"));
  if (application.isEmpty()) return CliFail(QStringLiteral("give the firmware with --app FILE"));
  if (chipText != QLatin1String("3334") && chipText != QLatin1String("3337")) {
    return CliFail(QStringLiteral("--chip is 3334 or 3337"));
  }
  const KernelChip chip =
      chipText == QLatin1String("3337") ? KernelChip::kH8_3337 : KernelChip::kH8_3334;
  const ServiceFolder folder(parser.isSet(QStringLiteral("service-folder"))
                                 ? parser.value(QStringLiteral("service-folder"))
                                 : QDir::currentPath());
  const QString kernel =
      folder.SRecords() +
      (chip == KernelChip::kH8_3337 ? QStringLiteral("fp3337.s") : QStringLiteral("fp3334.s"));

  QtRuntime runtime;
  StderrPrompts prompts;
  runtime.SetErrorHandler([&prompts](const std::exception& error) { ShowError(prompts, error); });
  AnemState state;
  MainWindowModel window;
  AnemometerLink link(runtime, sim::MakeSimulatedPortFactory(runtime, QtSerialPort::Factory()),
                      state, prompts, window);
  link.port.SetName(port);
  ServiceLink service{runtime, link.port, link.matcherGroup, link.matchers, link.channel,
                      state,   prompts};
  FlashProgrammer programmer(service);

  FlashLog& log = programmer.Log();
  std::uint64_t printed = 0;
  log.Changed().Subscribe([&] {
    const auto& lines = log.Lines();
    const std::uint64_t fresh = std::min<std::uint64_t>(log.Added() - printed, lines.size());
    for (auto it = lines.end() - static_cast<std::ptrdiff_t>(fresh); it != lines.end(); ++it) {
      CliPrint(*it + QLatin1Char('\n'));
    }
    printed = log.Added();
  });

  Timer watch(runtime, kWatchIntervalMs, /*periodic=*/true);
  watch.SetHandler([&programmer] {
    if (Interrupted()) programmer.Abort();
  });
  watch.Start();
  const FlashOutcome outcome = programmer.Run(kernel, application, chip);
  watch.Stop();
  if (link.port.IsOpen()) {
    if (!link.port.Drain(CliSession::kDrainBoundMs)) {
      CliFail(QStringLiteral("port %1: the last bytes written were not sent").arg(port));
    }
    link.port.SetOpen(false);
  }
  return ExitOf(outcome);
}

}  // namespace ventari
