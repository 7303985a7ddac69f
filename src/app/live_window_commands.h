// The main menu's Graph, Windsock, Tabular Display and Alarm commands: what each checks and
// sets up before its window is shown, and starting a three-axis anemometer's continuous output
// for them.
#pragma once

#include <functional>

namespace ventari {

class Session;

class LiveWindowCommands {
 public:
  explicit LiveWindowCommands(Session& session) : s_(session) {}

  // What a command decided: show its window, and then start the continuous output.
  struct Outcome {
    bool show = false;
    bool startContinuous = false;
  };
  Outcome Graph();
  Outcome Windsock();
  Outcome Tabular();
  Outcome Alarm();

  // Switches a three-axis anemometer to continuous output in the format its listing gives, and
  // arms the record matcher of that format.
  void StartContinuous();

 private:
  bool ThreeAxis() const;
  // At 38400 baud and faster a three-axis anemometer feeds one live window at a time.
  bool MultiWindowRefused(bool otherWindowShown);

  Session& s_;
};

}  // namespace ventari
