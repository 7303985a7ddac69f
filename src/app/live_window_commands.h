// The live windows' lifecycle (graph, windsock, tabular display, alarm, statistics), the one the
// windows, ventari-cli and the tests all go through: what each menu command checks and sets up
// before its window is shown, starting a three-axis anemometer's continuous output for them, and
// stopping it when the last of them closes.
#pragma once

#include <functional>

#include "base/change_notifier.h"
#include "triaxisconfig/live_windows_around_setup.h"

namespace ventari {

class AlarmWindowModel;
class CommandChannel;
class ModeCommands;
class Prompts;
class TabularDisplay;
class TriAxisDataApplier;
class TriAxisListing;
struct AnemState;
struct SystemMatchers;
struct TriAxisConfig;

enum class LiveWindowKind { kGraph, kWindsock, kTabular, kAlarm, kStatistics };

// Which live windows are shown; the alarm's own model knows its window.
struct LiveWindowsShown {
  bool graph = false;
  bool windsock = false;
  bool tabular = false;
  bool statistics = false;
};

class LiveWindowCommands : public LiveWindowsAroundSetup {
 public:
  struct Parts {
    CommandChannel& channel;
    Prompts& prompts;
    AnemState& state;
    const TriAxisConfig& triAxisConfig;
    SystemMatchers& matchers;
    TriAxisListing& listing;
    ModeCommands& modes;
    AlarmWindowModel& alarm;
    TriAxisDataApplier& records;
    TabularDisplay& tabular;
  };

  explicit LiveWindowCommands(const Parts& parts) : p_(parts) {}

  // The menu command of `kind`: when its checks pass, the window is marked shown, `show` shows
  // it, and a three-axis anemometer is switched to continuous output. A window already shown
  // only comes to the front (`show` again, true): nothing is restarted, so a running log and
  // the current averaging period go on. False: refused, with its message shown.
  bool Open(LiveWindowKind kind, const std::function<void()>& show = {});
  // The window of `kind` closed (or is closed, for the alarm): when it was the last one, the
  // record collectors are disarmed and an anemometer put into continuous output goes back to
  // polled output. Nothing is sent while the port is lost.
  void Close(LiveWindowKind kind);
  // The main window closes: a tabular log ends complete first, then every live window closes.
  void CloseAll();
  // A live window closed by its own model (the alarm's): stops the output when none is left.
  void WindowClosed();
  // Before Setup: closes the graph, the windsock and the statistics, and the tabular display
  // unless it logs;
  // then tells ClosedForSetup().
  void CloseForSetup() override;
  // The windows whose kind CloseForSetup() marked closed close too.
  ChangeNotifier& ClosedForSetup() { return closedForSetup_; }

  const LiveWindowsShown& Shown() const { return shown_; }

  // What a command decided: show its window, and then start the continuous output.
  struct Outcome {
    bool show = false;
    bool startContinuous = false;
  };
  Outcome Graph();
  Outcome Windsock();
  Outcome Tabular();
  Outcome Alarm();
  Outcome Statistics();

  // A live window (graph, windsock, tabular display, alarm, statistics) is shown.
  bool AnyWindowShown() const override;
  bool IsShown(LiveWindowKind kind) const;

  // Switches a three-axis anemometer to continuous output in the format its listing gives, and
  // arms the record matcher of that format. The PC averaging starts a new period, and the
  // status check expects what the listing now says. A window closed while the listing is read
  // leaves the anemometer polled again once the switch is done.
  void StartContinuous() override;

 private:
  Outcome Check(LiveWindowKind kind);
  void SwitchToContinuous();
  // Disarms the collectors and stops the continuous output when no live window is left.
  void StopWhenNoneShown();

  bool TriAxis() const;
  // At 38400 baud and faster a three-axis anemometer feeds one live window at a time.
  bool MultiWindowRefused(bool otherWindowShown);

  Parts p_;
  LiveWindowsShown shown_;
  // StartContinuous is waiting for the listing: a window closing now stops the output after it.
  int starting_ = 0;
  ChangeNotifier closedForSetup_;
};

}  // namespace ventari
