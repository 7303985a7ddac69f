// What the main window's status line says: the port and its line settings, what the run is
// doing with the anemometer (searching, found, configuration mode, lost, none answered), which
// anemometer it is, the rate and age of its records while they flow, and the file a log or the
// terminal's capture writes. It follows the parts' notifications and tells its view only when a
// text changed. The rate is that between the first and the last record of the last 10 s; 10 s
// after the last record the rate and age go. The first record is told at once; after it the rate
// and age are said anew on one coarse step, by one timer that runs only while records came within
// those 10 s, so a fast stream changes the line twice a second and not with every record.
#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "base/anem_state.h"
#include "base/change_notifier.h"
#include "base/runtime.h"
#include "base/timer.h"

namespace ventari {

class CommandChannel;
class DataDisplay;
class Discovery;
class PortRecovery;
class RecordCollector;
class SerialPort;
class TabularDisplay;
class TerminalModel;

class StatusLineModel {
 public:
  // The records of the last 10 s give the rate; the age is told in tenths of a second, and both
  // are said anew every half second.
  static constexpr std::int64_t kRateWindowMs = 10000;
  static constexpr int kAgeStepMs = 500;

  struct Parts {
    Runtime& runtime;
    SerialPort& port;
    CommandChannel& channel;
    const AnemState& state;
    Discovery& discovery;
    const PortRecovery& recovery;
    RecordCollector& twoAxisRecords;
    RecordCollector& triAxisAsciiRecords;
    RecordCollector& triAxisBinaryRecords;
    DataDisplay& dataDisplay;
    TabularDisplay& tabular;
    TerminalModel& terminal;
  };

  explicit StatusLineModel(const Parts& parts);
  ~StatusLineModel();
  StatusLineModel(const StatusLineModel&) = delete;
  StatusLineModel& operator=(const StatusLineModel&) = delete;

  // The port and what the run is doing with the anemometer: "/dev/ttyUSB0 9600 8N1 | found".
  const QString& Connection() const { return connection_; }
  // Which anemometer answered and how its records flow: "Unheated Kestrix 2, serial 012345,
  // firmware 2.10 | 12.0 records/s, last 0.1 s ago"; each part only when known.
  const QString& Flow() const { return flow_; }
  // The files a log or the terminal's capture writes ("logging to /home/u/wind.log"); empty when
  // none runs.
  const QString& Files() const { return files_; }
  // No anemometer answered the last search of a port that is there: what to do next. Empty
  // otherwise.
  const QString& Advice() const { return advice_; }

  ChangeNotifier& Changed() { return changed_; }

 private:
  void RecordArrived();
  // Says the rate and age anew.
  void AgeStep();
  void Refresh();
  QString PortSection() const;
  QString StateSection() const;
  QString IdentitySection() const;
  QString DataSection() const;
  QString LogFiles() const;
  QString NextSteps() const;

  Parts p_;
  Timer age_;
  // When each record of the rate window arrived (runtime milliseconds), oldest first.
  std::deque<std::int64_t> recordTimes_;
  // The rate and age as last said.
  QString data_;
  QString connection_;
  QString flow_;
  QString files_;
  QString advice_;
  int portState_ = 0;
  std::vector<std::pair<ChangeNotifier*, ChangeNotifier::Subscription>> watched_;
  ChangeNotifier changed_;
};

}  // namespace ventari
