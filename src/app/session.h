// The core of one run: the anemometer's port with its matchers, what is known about the
// anemometer, the command channel, the settings and the main window's model, created once in
// the order the windows that own them are created, and the start and close of the run.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "app/anem_state.h"
#include "app/command_channel.h"
#include "app/main_window_model.h"
#include "app/prompts.h"
#include "app/runtime.h"
#include "app/settings.h"
#include "displays/windsock_selections.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"

namespace ventari {

class Session {
 public:
  // `settingsFile` empty: the user's settings store; otherwise that INI file.
  Session(Runtime& runtime, Prompts& prompts, SerialBackendFactory portFactory,
          QString settingsFile = {});
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The main window is shown for the first time: load the settings and open the port.
  void OnFirstShow(const QStringList& availablePorts);
  // The main window closes: stop what runs, save the settings, let queued work finish.
  void Close();

  // Run when the main window closes, before the settings are saved (closing the live windows).
  void AddCloseHook(std::function<void()> hook) { closeHooks_.push_back(std::move(hook)); }

  Settings::Targets SettingsTargets() { return {port, windsock, window, state}; }

  Runtime& runtime;
  Prompts& prompts;
  MainWindowModel window;
  AnemState state;
  // The terminal window owns the port and every matcher.
  SerialPort port;
  PacketMatcherGroup matcherGroup;
  SystemMatchers matchers;
  CommandChannel channel;
  WindsockSelections windsock;
  Settings settings;

 private:
  std::vector<std::function<void()>> closeHooks_;
};

}  // namespace ventari
