// Hands each decoded three-axis data record to the windows: its status, line and header to the
// tabular display and its logs; in the ASCII formats the windsock, graph and alarm values; and
// keeps the PC averaging, whose averaged line (and averaged binary record) stands for each
// period in the table and the logs. Re-arms the record's collector after every record.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "base/timer.h"
#include "triaxis/pc_averaging.h"
#include "triaxis/tri_axis_records.h"

namespace ventari {

class AlarmWindowModel;
class GraphWindowModel;
class Runtime;
class StatisticsFeed;
class TabularDisplay;
class TApdDataPacket;
class WindsockWindowModel;
struct TriAxisConfig;

// One record, or one averaged line, as the windows got it.
struct TriAxisSample {
  // kBad: a binary record whose check byte failed, dropped.
  enum class Kind { kRecord, kAveraged, kBlocked, kMalformed, kUnreadable, kBad };
  Kind kind = Kind::kRecord;
  // The line it added to the table; none when it added none.
  std::optional<QString> line;
  // The record's status; none for an averaged line and a record whose status was not read.
  std::optional<TriAxisStatusPair> status;
  // The clinometer reading this record's status completed.
  std::optional<QString> clinometer;
  // The values shown, in the order of the comma-separated log header (the three values, then
  // the optional fields); none for an absent value. Empty when the record shows no values.
  std::vector<std::optional<double>> values;
  bool fedWindsock = false;
  // The two values the alarm checked; none while the alarm window is hidden.
  std::optional<std::pair<double, double>> alarmChecked;
};

class TriAxisDataApplier : public TriAxisRecordConsumer {
 public:
  struct Links {
    Runtime& runtime;
    TApdDataPacket& asciiPacket;
    TApdDataPacket& binaryPacket;
    const TriAxisConfig& config;
    TabularDisplay& tabular;
    GraphWindowModel& graph;
    WindsockWindowModel& windsock;
    AlarmWindowModel& alarm;
    // The Statistics window's model, fed every record.
    StatisticsFeed& statistics;
    // Whether the graph window is shown.
    std::function<bool()> graphShown;
  };

  explicit TriAxisDataApplier(Links links);

  // Continuous output starts: the averaging period takes the PC-averaging minutes as they are
  // now, and what was summed is forgotten.
  void StartPeriods();

  void Apply(const TriAxisAsciiRecord& record) override;
  void Apply(const TriAxisBinaryRecord& record) override;

  // Told after each record and each averaged line, once every window had it (the command
  // line's stream); optional.
  std::function<void(const TriAxisSample& sample)> onSample;

 private:
  void ApplyAscii(const TriAxisAsciiRecord& record);
  void ApplyBinary(const TriAxisBinaryRecord& record);
  bool Averaging() const;
  // Adds an accepted record to the sums; returns the period's averages when the period ended.
  std::optional<PcAveraging::Averages> Average(const TriAxisSumValues& sums);
  // Plots the three points while the graph is shown and not paused.
  void Plot(const TriAxisGraphValues& values);
  std::optional<TriAxisGraphValues> AveragedGraphValues(
      const PcAveraging::Averages& averages) const;
  static TriAxisSample AveragedSample(const QString& line);
  void Tell(const TriAxisSample& sample);

  Links links_;
  Timer period_;
  bool periodEnded_ = false;
  PcAveraging averaging_;
};

}  // namespace ventari
