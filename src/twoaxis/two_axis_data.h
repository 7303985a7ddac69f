// Decodes each two-axis data message and hands it to every live window: the data display and
// its log always; the alarm, the graph and (in polar mode) the windsock with the two values
// read according to the mode. Then drops the port's backlog and re-arms the data matcher.
#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

#include "base/main_menu.h"

namespace ventari {

class DataDisplay;
class GraphWindowModel;
class SerialPort;
class TApdDataPacket;
class WindsockWindowModel;

// What one message held, as the decoder read it.
struct TwoAxisSample {
  bool readable = false;
  bool uv = false;
  double first = 0;      // U, or the direction in degrees as sent
  double second = 0;     // V, or the speed in the output unit
  int direction = 0;     // polar: the direction truncated to whole degrees
  bool plotted = false;  // the graph was not paused
  std::int64_t red = 0;  // the values plotted
  std::int64_t blue = 0;
  bool fedWindsock = false;
};

class TwoAxisDataDecoder {
 public:
  struct Links {
    TApdDataPacket& dataPacket;
    SerialPort& port;
    const MainMenu& menu;
    DataDisplay& dataDisplay;
    GraphWindowModel& graph;
    WindsockWindowModel& windsock;
  };

  // Installs the handler of the data matcher.
  explicit TwoAxisDataDecoder(Links links);

  void OnDataPacket(const QByteArray& text);

  // The alarm's check of one readable sample; called only while the alarm window is shown.
  std::function<bool()> alarmVisible;
  std::function<void(double first, double second)> checkSample;

  // Told after every message, once every window had it (the command line's stream).
  std::function<void(const QByteArray& text, const TwoAxisSample& sample)> onSample;

  // Reads positions `first` to `first + count - 1` (counted from 1) as a number; nothing when
  // they are missing, empty or not a number.
  static std::optional<double> NumberAt(const QByteArray& text, int first, int count);

 private:
  Links links_;
  double lastBlue_ = 0;
};

}  // namespace ventari
