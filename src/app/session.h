// The core of one run: the anemometer's port with its matchers, what is known about the
// anemometer, the command channel, the settings and the main window's model, created once in
// the order the windows that own them are created, and the start and close of the run.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "base/anem_state.h"
#include "link/command_channel.h"
#include "app/discovery.h"
#include "app/live_window_commands.h"
#include "base/live_windows.h"
#include "base/main_window_model.h"
#include "app/mode_commands.h"
#include "app/ports_dialog.h"
#include "base/prompts.h"
#include "base/runtime.h"
#include "app/settings.h"
#include "displays/alarm_window_model.h"
#include "displays/data_display.h"
#include "displays/graph_window_model.h"
#include "displays/log_time.h"
#include "displays/windsock_window_model.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "threeaxis/tri_axis_config.h"
#include "threeaxis/tri_axis_identity.h"
#include "threeaxis/tri_axis_listing.h"
#include "twoaxis/two_axis_config.h"
#include "twoaxis/two_axis_data.h"
#include "twoaxis/two_axis_replies.h"
#include "twoaxisconfig/dialog_layout.h"

namespace ventari {

class Session {
 public:
  // `settingsFile` empty: the user's settings store; otherwise that INI file.
  // `clock` dates the logs.
  Session(Runtime& runtime, Prompts& prompts, SerialBackendFactory portFactory,
          QString settingsFile = {}, WallClock clock = SystemClock());
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The main window is shown for the first time: load the settings and open the port; the
  // stored rate is where the search starts.
  void OnFirstShow(const QStringList& availablePorts);
  // The main window closes: stop what runs, save the settings, let queued work finish.
  void Close();

  // A live window (graph, windsock, alarm, tabular display) closed: when none is left, the
  // three-axis record matcher is disarmed; a three-axis anemometer goes back to polled output.
  void LiveWindowClosed();
  // Which live windows are shown; the alarm's own model knows its window.
  struct LiveWindowsShown {
    bool graph = false;
    bool windsock = false;
    bool tabular = false;
  } liveShown;

  // Run when the main window closes, before the settings are saved (closing the live windows).
  void AddCloseHook(std::function<void()> hook) { closeHooks_.push_back(std::move(hook)); }

  Settings::Targets SettingsTargets() { return {port, windsockWindow.Selections(), window, state}; }

  // The ports the ports dialog lists: this machine's and the simulated ones.
  QStringList AvailablePorts() const { return availablePorts ? availablePorts() : QStringList{}; }
  std::function<QStringList()> availablePorts;
  // A port given for this run (the executables' --port), used instead of the stored one.
  QString portOverride;

  Runtime& runtime;
  Prompts& prompts;
  MainWindowModel window;
  AnemState state;
  // The terminal window owns the port and every matcher.
  SerialPort port;
  PacketMatcherGroup matcherGroup;
  SystemMatchers matchers;
  CommandChannel channel;
  Settings settings;
  TwoAxisConfig twoAxisConfig;
  TwoAxisDialogLayout dialogLayout;
  // Set by the live windows as they are created.
  LiveWindows liveWindows;
  ModeCommands modes;
  TwoAxisReplies twoAxisReplies;
  TriAxisConfig triAxisConfig;
  TriAxisIdentity triAxisIdentity;
  TriAxisListing triAxisListing;
  Discovery discovery;
  PortsDialog portsDialog;
  // The live windows' models.
  DataDisplay dataDisplay;
  GraphWindowModel graph;
  WindsockWindowModel windsockWindow;
  TwoAxisDataDecoder dataDecoder;
  AlarmWindowModel alarm;
  LiveWindowCommands liveCommands{*this};

 private:
  std::vector<std::function<void()>> closeHooks_;
};

}  // namespace ventari
