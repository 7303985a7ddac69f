// How the system talks to an anemometer: paced commands, the line end that follows them, waits
// that keep the event loop running, and entering and leaving configuration mode.
#pragma once

#include <QString>
#include <functional>
#include <string_view>

#include "base/anem_state.h"
#include "base/change_notifier.h"
#include "base/main_window_model.h"
#include "base/prompts.h"
#include "base/runtime.h"
#include "base/timer.h"

namespace ventari {

class SerialPort;
class TApdDataPacket;

class CommandChannel {
 public:
  // Takes over `imPacket`'s handler: the configuration-mode banner or prompt sets
  // InConfigMode().
  CommandChannel(Runtime& runtime, SerialPort& port, AnemState& state, TApdDataPacket& imPacket,
                 Prompts& prompts, MainWindowModel& window);

  // One character at a time: a tick wait, then each character followed by a tick wait.
  void SendCommand(std::string_view text);
  // 50 ms, then CR.
  void SendReturn();
  // SendCommand(text) then SendReturn(): what "the command X" means.
  void Command(std::string_view text);
  // The text in one unpaced write, with no line end.
  void SendBare(std::string_view text);
  // The text and "\r\n" in one unpaced write, then SlowWait().
  void SendLine(std::string_view text);
  // Waits the slow tick: 500 ms until the tick timer first fired, 1000 ms after.
  void SlowWait();
  // Waits `ms` milliseconds with the event loop running.
  void Delay(int ms);
  // Keeps the event loop running until `done` holds.
  void WaitFor(const std::function<bool()>& done);
  // Keeps the event loop running until `done` holds or `ms` have passed, on a deadline of its
  // own that no other wait can move. Returns whether `done` held.
  bool WaitFor(const std::function<bool()>& done, int ms);
  // Both also end once the port has vanished (after one event at least): what follows fails at
  // once (a write to a vanished port raises PortError kLost) instead of waiting out its time.

  // Whether a wait of the channel is in progress: some exchange with the anemometer is running.
  bool Waiting() const { return waits_ > 0; }

  // Whether the tries below got a banner or prompt (`kQuiet`: the caller tells of a failed entry
  // itself, as the baud-rate search does).
  enum class EntryReport { kTell, kQuiet };
  void EnterConfigMode(EntryReport report = EntryReport::kTell);
  // "EXIT" for a three-axis anemometer, "Q" otherwise; clears the configuration-mode flag.
  void LeaveConfigMode();
  // The anemometer answered an entry and has not been taken out of configuration mode since.
  bool InConfigMode() const { return inConfigMode_; }
  // The port failed or vanished: whatever the anemometer does now, it is no longer held in
  // configuration mode, and nothing is sent to take it out.
  void ForgetConfigMode() { SetConfigMode(false); }
  // After an exchange in configuration mode failed: leaves configuration mode, or forgets it when
  // the port that failed the exchange cannot carry the exit either.
  void LeaveConfigModeAfterFailure();
  // Told whenever InConfigMode() changes.
  ChangeNotifier& ConfigModeChanged() { return configModeChanged_; }
  // "IM" to a three-axis anemometer, then 100 ms, and on until its prompt has come (2 s at
  // most): at slow rates the prompt, or a record still on the line, can arrive later, and the
  // question asked next must not take them for its answer.
  void EnterTriAxisPrompt();
  // Busy cursor, entry, the command between slow waits with the input flushed, exit.
  void ConfigCommand(std::string_view text);

  // The interval the slow tick waits next.
  int SlowTickMs() const { return timer1IntervalMs_; }

  // Reply time-outs (2000, 3000 or 8000 ms); its `fired` flag is what the waiting code polls.
  Timer Timeout;

 private:
  // Waits `ms` on an event of its own, so a wait started meanwhile (from a handler or a menu
  // command) can neither shorten nor lengthen this one.
  void WaitMs(int ms);
  void TickWait();
  bool PortLost() const;
  void SetConfigMode(bool inConfigMode);
  // `done`, or the port lost once the wait has handled an event.
  std::function<bool()> EndsOnLoss(std::function<bool()> done) const;

  // Counts a wait in progress for as long as it lives.
  struct Counted {
    explicit Counted(int& count) : count_(count) { ++count_; }
    ~Counted() { --count_; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    int& count_;
  };

  Runtime& runtime_;
  SerialPort& port_;
  AnemState& state_;
  bool inConfigMode_ = false;
  ChangeNotifier configModeChanged_;
  TApdDataPacket& imPacket_;
  Prompts& prompts_;
  MainWindowModel& window_;
  int timer1IntervalMs_ = 500;
  int waits_ = 0;
};

}  // namespace ventari
