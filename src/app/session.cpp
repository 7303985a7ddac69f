#include "app/session.h"

#include <exception>

namespace ventari {
namespace {

constexpr int kCloseGraceMs = 2000;

}  // namespace

Session::Session(Runtime& rt, Prompts& userPrompts, SerialBackendFactory portFactory,
                 PortList availablePorts, QString settingsFile, WallClock clock)
    : runtime_(rt),
      prompts_(userPrompts),
      availablePorts_(std::move(availablePorts)),
      link_(rt, portFactory, anemometer_.state, userPrompts, window_),
      settings_(std::move(settingsFile)),
      displays_(rt, userPrompts, anemometer_, window_.menu, link_, portFactory, clock,
                [this] { commands_.liveCommands.WindowClosed(); }),
      modes_(link_.channel, anemometer_.state, window_.menu, anemometer_.twoAxisConfig, displays_),
      decoding_(
          rt, link_, anemometer_, window_.menu, modes_, displays_, std::move(clock),
          [this] { return commands_.liveCommands.IsShown(LiveWindowKind::kGraph); },
          [this](const QByteArray& text) { service_.DataString(text); }),
      commands_(rt, userPrompts, window_, anemometer_, link_, displays_, modes_, decoding_),
      service_(rt, userPrompts, link_, anemometer_.state, window_, settings_.FileNames()),
      recovery_({rt, link_.port, link_.channel, anemometer_.state, window_, link_.terminal,
                 commands_.discovery, commands_.liveCommands, modes_, link_.portChosen, service_}),
      dataWatch_({rt, anemometer_, decoding_, link_.channel, service_, recovery_,
                  commands_.liveCommands, window_, displays_}),
      statusLine_({rt, link_.port, link_.channel, anemometer_.state, commands_.discovery, recovery_,
                   decoding_.dataCollector, decoding_.triAxisAsciiCollector,
                   decoding_.triAxisBinaryCollector, displays_.dataDisplay, displays_.tabular,
                   link_.terminal}),
      publishing_(*this) {
  TerminalModel& terminal = link_.terminal;
  service_.flashProgrammer.AddPortReader([&terminal] { terminal.Detach(); },
                                         [&terminal] { terminal.Reattach(); });
}

Settings::Targets Session::SettingsTargets() {
  return {link_.port, displays_.windsockWindow.Selections(), window_, displays_.statistics};
}

void Session::OnFirstShow(const QStringList& availablePorts) {
  settings_.LoadSettings(SettingsTargets(), availablePorts);
  publishing_.Load();
  // In privileged mode the run starts without a search.
  if (settings_.IsPrivileged()) commands_.discovery.WithdrawSearch();
  displays_.windsockWindow.ApplySelections();
  if (!portOverride.isEmpty()) {
    // Raises PortError when the port given cannot be opened.
    link_.port.SetName(portOverride);
    link_.port.SetOpen(true);
  }
  commands_.discovery.SetStartBaud(link_.port.Line().baud);
}

void Session::SetOperator(const QString& name) {
  settings_.UserName = name;
  service_.test.operatorName = name;
}

void Session::Close() {
  // Each step runs whatever the one before it met, and the settings are saved in any case; the
  // first error is raised once the run has closed.
  std::exception_ptr failure;
  const auto step = [&failure](const std::function<void()>& run) {
    try {
      run();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  };
  // A log being written ends complete before its window goes.
  step([this] { commands_.liveCommands.CloseAll(); });
  for (const auto& hook : closeHooks_) step(hook);
  step([this] { publishing_.Finish(); });
  // The test window's pages let go of the anemometer before the run ends.
  step([this] { service_.testWindow.FormClose(); });
  // A running search ends after its current try.
  commands_.discovery.WithdrawSearch();
  if (window_.SearchingLabelVisible()) {
    window_.SetBusyLabelVisible(true);
    window_.SetSearchingLabelVisible(false);
  }
  link_.matchers.DataPacket.SetEnabled(false);
  link_.terminal.Close();
  settings_.SaveSettings(SettingsTargets());
  step([this] { link_.channel.Delay(kCloseGraceMs); });
  if (failure) std::rethrow_exception(failure);
}

}  // namespace ventari
