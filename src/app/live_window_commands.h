// The main menu's Graph, Windsock, Tabular Display and Alarm commands: what each checks and
// sets up before its window is shown, and starting a three-axis anemometer's continuous output
// for them.
#pragma once

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

// Which live windows are shown; the alarm's own model knows its window.
struct LiveWindowsShown {
  bool graph = false;
  bool windsock = false;
  bool tabular = false;
};

class LiveWindowCommands {
 public:
  struct Parts {
    CommandChannel& channel;
    Prompts& prompts;
    AnemState& state;
    const TriAxisConfig& triAxisConfig;
    SystemMatchers& matchers;
    TriAxisListing& listing;
    ModeCommands& modes;
    const LiveWindowsShown& shown;
    const AlarmWindowModel& alarm;
    TriAxisDataApplier& records;
    TabularDisplay& tabular;
  };

  explicit LiveWindowCommands(const Parts& parts) : p_(parts) {}

  // What a command decided: show its window, and then start the continuous output.
  struct Outcome {
    bool show = false;
    bool startContinuous = false;
  };
  Outcome Graph();
  Outcome Windsock();
  Outcome Tabular();
  Outcome Alarm();

  // A live window (graph, windsock, tabular display, alarm) is shown.
  bool AnyWindowShown() const;

  // Switches a three-axis anemometer to continuous output in the format its listing gives, and
  // arms the record matcher of that format. The PC averaging starts a new period, and the
  // status check expects what the listing now says.
  void StartContinuous();

 private:
  bool ThreeAxis() const;
  // At 38400 baud and faster a three-axis anemometer feeds one live window at a time.
  bool MultiWindowRefused(bool otherWindowShown);

  Parts p_;
};

}  // namespace ventari
