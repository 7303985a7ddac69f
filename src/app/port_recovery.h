// A port that vanishes under an open line (a USB adapter pulled) and returns. The user is told
// once, in the main window's notice and the terminal's status line; the port is looked for every
// second (the same USB adapter under whatever name, or under its name when the adapter is not
// known) and reopened with the same line settings. If an anemometer had been found, the search
// starts again at the rate it was found at, and again every few seconds until it answers, and the
// data flow as before; a loss during those searches is part of the same recovery. During a service
// run the port only reopens.
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
class SerialPort;
class TerminalModel;
struct Service;

class PortRecovery {
 public:
  static constexpr int kLookIntervalMs = 1000;
  // Between the searches of a port that is back while the anemometer does not answer.
  static constexpr int kSearchAgainMs = 5000;
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
    // A port the user chose: it ends the waiting.
    ChangeNotifier& portChosen;
    // During its runs the port only reopens.
    const Service& service;
  };

  explicit PortRecovery(const Parts& parts);
  ~PortRecovery();
  PortRecovery(const PortRecovery&) = delete;
  PortRecovery& operator=(const PortRecovery&) = delete;

  // Whether the port has vanished and is being looked for, or is back and the anemometer found
  // before the loss has not answered yet.
  bool Waiting() const { return recovering_; }
  // Whether the port is away (within Waiting()).
  bool PortAway() const { return waiting_; }
  // When the port vanished (runtime milliseconds), the first loss of the recovery under way;
  // meaningful while Waiting().
  std::int64_t LostAtMs() const { return lostAtMs_; }
  // The port looked for.
  const QString& LostName() const { return lostName_; }
  // How often the port vanished, and came back, since the run began.
  int Losses() const { return losses_; }
  int Returns() const { return returns_; }
  // File > Resynchronise or a port the user chose: stop looking and searching, clear the notice.
  void StopWaiting();

  // The USB adapter behind a port ("vvvv:pppp:serial", empty when not known), and the port an
  // adapter is at now (empty when none). Unset, or the lost port's adapter not known: the port
  // is looked for under its name only. Known: only that adapter is opened, under whatever name.
  std::function<QString(const QString& port)> adapterOf;
  std::function<QString(const QString& adapter)> portOfAdapter;

 private:
  void PortStateChanged(bool open);
  void Lost();
  void Look();
  // The port to open now (empty: none yet).
  QString PortToTry() const;
  bool TryOpen(const QString& name);
  void Returned();
  // Searches for the anemometer on the port that is back, from the rate it was found at.
  void Search(bool tellFailure);
  void SetNotice(const QString& text);

  Parts p_;
  int stateHandle_ = 0;
  ChangeNotifier::Subscription resynchronising_ = 0;
  ChangeNotifier::Subscription portChosen_ = 0;
  Timer look_;
  Timer searchAgain_;
  Timer clearNotice_;
  // From the loss until the port is back and, if one had been found, the anemometer answers.
  bool recovering_ = false;
  // The port is away and looked for.
  bool waiting_ = false;
  bool reopening_ = false;
  std::int64_t lostAtMs_ = 0;
  QString lostName_;
  // The port that is back, as the notices name it.
  QString returnedAs_;
  QString adapter_;
  std::int32_t lostBaud_ = 0;
  bool wasFound_ = false;
  int losses_ = 0;
  int returns_ = 0;
};

}  // namespace ventari
