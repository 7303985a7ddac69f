#include "app/session.h"

#include "link/qt_serial_port.h"

namespace ventari {
namespace {

constexpr int kCloseGraceMs = 2000;

}  // namespace

Session::Session(Runtime& rt, Prompts& userPrompts, SerialBackendFactory portFactory,
                 QString settingsFile, WallClock clock)
    : runtime(rt),
      prompts(userPrompts),
      port(rt, portFactory),
      matcherGroup(rt),
      matchers(matcherGroup),
      channel(rt, port, state, matchers.IMPacket, userPrompts, window),
      settings(std::move(settingsFile)),
      modes(channel, state, window.menu, twoAxisConfig, liveWindows),
      twoAxisReplies(matchers, state, window.menu, twoAxisConfig, dialogLayout, modes, liveWindows),
      triAxisListing(matchers.TriAxisPkt, state, window.menu, triAxisConfig, triAxisIdentity),
      discovery({channel, port, state, window, matchers, userPrompts, dialogLayout, liveWindows,
                 triAxisListing, triAxisConfig}),
      portsDialog(port, matchers, channel, userPrompts, window),
      dataDisplay(rt, userPrompts, state, window.menu, std::move(clock)),
      graph({state, twoAxisConfig, [this] { return triAxisConfig.ReportMode; },
             [this] {
               if (port.IsOpen()) port.FlushInBuffer();
             }}),
      dataDecoder({matchers.DataPacket, port, window.menu, dataDisplay, graph, windsockWindow}),
      alarm({rt, userPrompts, state, twoAxisConfig, triAxisConfig, window.menu, port, portFactory,
             [] { return QtSerialPort::AvailablePortNames(); }, [this] { LiveWindowClosed(); }}) {
  matcherGroup.ConnectTo(port);
  liveWindows.setGraphPresentation = [this](bool uv) { graph.SetPresentation(uv); };
  liveWindows.applyUnitScales = [this] { graph.ApplyUnitScales(); };
  liveWindows.showGraphThirdKey = [this](bool visible) { graph.ShowThirdKey(visible); };
  liveWindows.samplesPerSecondChanged = [this](int sps) {
    windsockWindow.SetSamplesPerSecond(sps);
  };
  liveWindows.showWindsockWAxis = [this](bool visible) { windsockWindow.ShowWAxis(visible); };
  dataDecoder.alarmVisible = [this] { return alarm.View().visible; };
  dataDecoder.checkSample = [this](double first, double second) {
    alarm.CheckSample(first, second);
  };
}

void Session::OnFirstShow(const QStringList& availablePorts) {
  settings.LoadSettings(SettingsTargets(), availablePorts);
  windsockWindow.ApplySelections();
  if (!portOverride.isEmpty()) {
    // Raises PortError when the port given cannot be opened.
    port.SetName(portOverride);
    port.SetOpen(true);
  }
  discovery.SetStartBaud(port.Line().baud);
}

void Session::LiveWindowClosed() {
  if (!liveShown.graph && !liveShown.windsock && !liveShown.tabular && !alarm.View().visible) {
    matchers.TriAxisAsciiPkt.SetEnabled(false);
  }
  modes.StopContinuousOutput();
}

void Session::Close() {
  for (const auto& hook : closeHooks_) hook();
  // A running search ends after its current try.
  state.SearchRequested = false;
  if (window.searchingLabelVisible) {
    window.busyLabelVisible = true;
    window.searchingLabelVisible = false;
  }
  matchers.DataPacket.SetEnabled(false);
  settings.SaveSettings(SettingsTargets());
  channel.Delay(kCloseGraceMs);
}

}  // namespace ventari
