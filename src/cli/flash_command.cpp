#include "cli/flash_command.h"

#include <QCommandLineParser>
#include <QDir>
#include <csignal>

#include "app/session_parts.h"
#include "base/qt_runtime.h"
#include "base/timer.h"
#include "cli/cli_session.h"
#include "cli/stderr_prompts.h"
#include "link/qt_serial_port.h"
#include "service/flash_programmer.h"
#include "service/service_folder.h"
#include "sim/sim_serial_port.h"

namespace ventari {
namespace {

constexpr int kWatchIntervalMs = 100;

volatile std::sig_atomic_t abortRequested = 0;

void OnInterrupt(int signal) {
  abortRequested = 1;
  // A second interruption ends the process at once.
  std::signal(signal, SIG_DFL);
}

// Restores the signals' usual handling when the run ends.
struct InterruptAborts {
  InterruptAborts() {
    abortRequested = 0;
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
  }
  ~InterruptAborts() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
  }
  InterruptAborts(const InterruptAborts&) = delete;
  InterruptAborts& operator=(const InterruptAborts&) = delete;
};

int ExitOf(FlashOutcome outcome) {
  switch (outcome) {
    case FlashOutcome::kProgrammed:
      return kExitFlashProgrammed;
    case FlashOutcome::kAborted:
      return kExitFlashAborted;
    case FlashOutcome::kFailed:
      break;
  }
  return kExitFlashFailed;
}

}  // namespace

int FlashCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Programs a Kestrix II's flash through boot mode, with the board in the flash programmer "
      "on the port. The kernel is fp3334.s or fp3337.s in the srecords folder of the service "
      "folder. Exit status: 0 programmed, 1 failed, 2 usage, 3 aborted (interrupted)."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("flash"), QStringLiteral("the command"));
  parser.addOptions({
      {QStringLiteral("port"), QStringLiteral("The port of the flash programmer."),
       QStringLiteral("NAME")},
      {QStringLiteral("app"), QStringLiteral("The application's S-record file."),
       QStringLiteral("FILE")},
      {QStringLiteral("chip"), QStringLiteral("The processor: 3334 or 3337 (default 3337)."),
       QStringLiteral("3334|3337"), QStringLiteral("3337")},
      {QStringLiteral("service-folder"),
       QStringLiteral("The folder holding srecords/ (default: the working directory)."),
       QStringLiteral("DIR")},
  });
  if (!parser.parse(arguments)) return CliFail(parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) {
    CliPrint(parser.helpText());
    return kExitFlashProgrammed;
  }
  const QString port = parser.value(QStringLiteral("port"));
  const QString application = parser.value(QStringLiteral("app"));
  const QString chipText = parser.value(QStringLiteral("chip"));
  if (port.isEmpty()) return CliFail(QStringLiteral("give the port with --port NAME"));
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

  InterruptAborts interrupts;
  Timer watch(runtime, kWatchIntervalMs, /*periodic=*/true);
  watch.SetHandler([&programmer] {
    if (abortRequested != 0) programmer.Abort();
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
