// Records that stop arriving while they are expected: a live window is shown (data display,
// graph, windsock, tabular display, alarm) or the command line streams or logs. Once no record
// has come for five record periods, and never less than 5 s, the main window's notice line and
// the live windows say "No data from <model> for N s", N counting on while the pause lasts; the
// next record clears it. Such a pause is counted with its length. Nothing is said before the
// first record, in configuration mode or during a service run, and the notice of a vanished port
// wins while the port is away.
#pragma once

#include <QString>
#include <cstdint>

#include "base/runtime.h"
#include "base/timer.h"

namespace ventari {

class CommandChannel;
class LiveWindowCommands;
class PortRecovery;
struct Anemometer;
struct Decoding;
struct LiveDisplays;
struct Service;
class MainWindowModel;

class DataWatch {
 public:
  static constexpr std::int64_t kShortestPauseMs = 5000;
  static constexpr int kPauseRecordPeriods = 5;
  static constexpr int kCountIntervalMs = 1000;

  // How long the records may stop before it is said, for the anemometer's records a second.
  static std::int64_t PauseAfterMs(const Anemometer& anemometer);
  static QString Notice(const QString& model, std::int64_t seconds);

  struct Parts {
    Runtime& runtime;
    const Anemometer& anemometer;
    Decoding& decoding;
    const CommandChannel& channel;
    const Service& service;
    const PortRecovery& recovery;
    const LiveWindowCommands& liveCommands;
    MainWindowModel& window;
    LiveDisplays& displays;
  };

  explicit DataWatch(const Parts& parts);
  ~DataWatch();
  DataWatch(const DataWatch&) = delete;
  DataWatch& operator=(const DataWatch&) = delete;

  // The command line streams or logs: records are expected without a window.
  void SetHeadless(bool headless) { headless_ = headless; }

  // The pauses long enough to be said since the run began, and their length in all (one under
  // way counted to now).
  int Pauses() const { return pauses_; }
  std::int64_t PausedMs() const;

 private:
  // A live window is shown or the command line streams or logs.
  bool Expected() const;
  void RecordArrived();
  void Check();
  void EndPause();
  void Tell();

  Parts p_;
  int subscriptions_[3] = {};
  Timer pause_;
  Timer count_;
  bool headless_ = false;
  // A record came since records were last expected.
  bool seen_ = false;
  bool paused_ = false;
  std::int64_t lastRecordMs_ = 0;
  int pauses_ = 0;
  std::int64_t pausedMs_ = 0;
};

}  // namespace ventari
