// Hands each decoded two-axis data message to every live window: the data display and its log
// always; the alarm, the graph and (in polar mode) the windsock with the two values. Then drops
// the port's backlog and re-arms the data matcher.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "twoaxis/two_axis_data.h"

namespace ventari {

class AlarmWindowModel;
class StatisticsFeed;
class DataDisplay;
class GraphWindowModel;
class SerialPort;
class TApdDataPacket;
class WindsockWindowModel;

// One message as the windows got it.
struct TwoAxisSample : TwoAxisDataRecord {
  bool plotted = false;  // the graph was not paused
  std::int64_t red = 0;  // the values plotted
  std::int64_t blue = 0;
  bool fedWindsock = false;
  // The two values the alarm checked; none while the alarm window is hidden.
  std::optional<std::pair<double, double>> alarmChecked;
};

class TwoAxisDataApplier {
 public:
  struct Links {
    TApdDataPacket& dataPacket;
    SerialPort& port;
    DataDisplay& dataDisplay;
    GraphWindowModel& graph;
    WindsockWindowModel& windsock;
    AlarmWindowModel& alarm;
    // The Statistics window's model, fed every message.
    StatisticsFeed& statistics;
    // Told of every message's text right after the data display: the service pages that read
    // the anemometer's output.
    std::function<void(const QByteArray& text)> toServicePages;
  };

  explicit TwoAxisDataApplier(Links links) : links_(links) {}

  void Apply(const QByteArray& text, const TwoAxisDataRecord& record);

  // Told after every message, once every window had it (the command line's stream); optional.
  std::function<void(const QByteArray& text, const TwoAxisSample& sample)> onSample;

 private:
  Links links_;
  double lastBlue_ = 0;
};

}  // namespace ventari
