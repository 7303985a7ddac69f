// A port that vanishes under an open line (a USB adapter pulled) and returns. The user is told
// once, in the main window's notice and the terminal's status line; the port is looked for every
// second under its name (and the same USB adapter under a new name) and reopened with the same
// line settings. If an anemometer had been found, the search starts again at the rate it was
// found at and the data flow as before; during a service run the port only reopens.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "base/anem_state.h"
#include "base/change_notifier.h"
#include "base/main_window_model.h"
#include "base/runtime.h"
#include "base/timer.h"

namespace ventari {

class CommandChannel;
class Discovery;
class LiveWindowCommands;
class ModeCommands;
class PortsDialog;
class SerialPort;
class TerminalModel;
struct Service;

class PortRecovery {
 public:
  static constexpr int kLookIntervalMs = 1000;
  // How long the notice of the return stays.
  static constexpr int kReturnNoticeMs = 10000;

  struct Parts {
    Runtime& runtime;
    SerialPort& port;
    CommandChannel& channel;
    AnemState& state;
    MainWindowModel& window;
    TerminalModel& terminal;
    Discovery& discovery;
    LiveWindowCommands& liveCommands;
    ModeCommands& modes;
    PortsDialog& portsDialog;
    // During its runs the port only reopens.
    const Service& service;
  };

  explicit PortRecovery(const Parts& parts);
  ~PortRecovery();
  PortRecovery(const PortRecovery&) = delete;
  PortRecovery& operator=(const PortRecovery&) = delete;

  // Whether the port has vanished and is being looked for.
  bool Waiting() const { return waiting_; }
  // When the port vanished (runtime milliseconds); meaningful while Waiting().
  std::int64_t LostAtMs() const { return lostAtMs_; }
  // The port looked for.
  const QString& LostName() const { return lostName_; }
  // File > Resynchronise or a port chosen in the ports dialog: stop looking, clear the notice.
  void StopWaiting();

  // The USB adapter behind a port ("vvvv:pppp:serial", empty when not known), and the port an
  // adapter is at now (empty when none). Unset: the port is looked for under its name only.
  std::function<QString(const QString& port)> adapterOf;
  std::function<QString(const QString& adapter)> portOfAdapter;

 private:
  void PortStateChanged(bool open);
  void Lost();
  void Look();
  bool TryOpen(const QString& name);
  void Returned();
  void SetNotice(const QString& text);

  Parts p_;
  int stateHandle_ = 0;
  ChangeNotifier::Subscription resynchronising_ = 0;
  ChangeNotifier::Subscription portChosen_ = 0;
  Timer look_;
  Timer clearNotice_;
  bool waiting_ = false;
  bool reopening_ = false;
  std::int64_t lostAtMs_ = 0;
  QString lostName_;
  QString adapter_;
  std::int32_t lostBaud_ = 0;
  bool wasFound_ = false;
};

}  // namespace ventari
