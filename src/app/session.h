// The core of one run: what is known about the anemometer, its port with the matchers and the
// command channel, the live windows' models, the decoders and the commands, created once, and
// the start and close of the run. Each window, the command line and each command gets only the
// part it uses.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "app/broker_publishing.h"
#include "app/data_watch.h"
#include "app/port_recovery.h"
#include "app/service.h"
#include "app/session_parts.h"
#include "app/settings.h"
#include "app/status_line_model.h"

namespace ventari {

class Session {
 public:
  // Lists the ports the ports dialog offers.
  using PortList = std::function<QStringList()>;

  // `availablePorts` lists the ports the ports dialog offers. `settingsFile` empty: the user's
  // settings store; otherwise that INI file. `clock` dates the logs.
  Session(Runtime& runtime, Prompts& prompts, SerialBackendFactory portFactory,
          PortList availablePorts, QString settingsFile = {}, WallClock clock = SystemClock());
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The main window is shown for the first time: load the settings and open the port; the
  // stored rate is where the search starts.
  void OnFirstShow(const QStringList& availablePorts);
  // The main window closes: stop what runs (the live windows, the close hooks, the test
  // window), save the settings, let queued work finish. The settings are saved even when a step
  // fails; the first failure is raised afterwards.
  void Close();

  // Run when the main window closes, before the settings are saved (closing the live windows).
  void AddCloseHook(std::function<void()> hook) { closeHooks_.push_back(std::move(hook)); }

  // The operator named on the user-name screen: kept for the run and printed on the reports.
  void SetOperator(const QString& name);

  // The ports the ports dialog lists.
  QStringList AvailablePorts() const { return availablePorts_(); }
  // A port given for this run (the executables' --port), used instead of the stored one.
  QString portOverride;

  Runtime& runtime() { return runtime_; }
  Prompts& prompts() { return prompts_; }
  MainWindowModel& window() { return window_; }
  Settings& settings() { return settings_; }
  Anemometer& anemometer() { return anemometer_; }
  AnemometerLink& link() { return link_; }
  LiveDisplays& displays() { return displays_; }
  Decoding& decoding() { return decoding_; }
  Commands& commands() { return commands_; }
  Service& service() { return service_; }
  PortRecovery& recovery() { return recovery_; }
  DataWatch& dataWatch() { return dataWatch_; }
  StatusLineModel& statusLine() { return statusLine_; }
  BrokerPublishing& publishing() { return publishing_; }

 private:
  Settings::Targets SettingsTargets();

  Runtime& runtime_;
  Prompts& prompts_;
  PortList availablePorts_;
  MainWindowModel window_;
  Anemometer anemometer_;
  AnemometerLink link_;
  Settings settings_;
  LiveDisplays displays_;
  ModeCommands modes_;
  Decoding decoding_;
  Commands commands_;
  Service service_;
  PortRecovery recovery_;
  DataWatch dataWatch_;
  StatusLineModel statusLine_;
  BrokerPublishing publishing_;
  std::vector<std::function<void()>> closeHooks_;
};

}  // namespace ventari
