#include "app/two_axis_data_applier.h"

#include "app/statistics_feed.h"
#include "base/record_field.h"
#include "displays/alarm_window_model.h"
#include "displays/data_display.h"
#include "displays/graph_window_model.h"
#include "displays/windsock_window_model.h"
#include "link/packet_matcher.h"
#include "link/serial_port.h"

namespace ventari {

void TwoAxisDataApplier::Apply(const QByteArray& text, const TwoAxisDataRecord& record) {
  links_.dataPacket.SetEnabled(false);
  links_.dataDisplay.ShowRecord(text);
  links_.toServicePages(text);

  GraphWindowModel& graph = links_.graph;
  TwoAxisSample sample;
  static_cast<TwoAxisDataRecord&>(sample) = record;
  double red = 0;
  double blue = 0;
  if (sample.readable) {
    red = sample.uv ? graph.SpeedPoint(sample.first) : graph.DirectionPoint(sample.first);
    blue = graph.SpeedPoint(sample.second);
    lastBlue_ = blue;
    const std::pair<double, double> alarmValues{sample.uv ? sample.first : sample.direction,
                                                sample.second};
    if (links_.alarm.CheckSample(alarmValues.first, alarmValues.second)) {
      sample.alarmChecked = alarmValues;
    }
  }

  if (!graph.Paused()) {
    Tpgraph& chart = graph.pgraph1();
    sample.plotted = true;
    sample.red = sample.readable ? Truncated(red) : 0;
    sample.blue = Truncated(sample.readable ? blue : lastBlue_);
    chart.DataPoint(kClRed, sample.red);
    chart.DataPoint(kClBlue, sample.blue);
    chart.Update();
    if (sample.readable && !sample.uv) {
      links_.windsock.ShowSample(sample.direction, sample.second);
      sample.fedWindsock = true;
    }
  }

  if (links_.port.IsOpen()) links_.port.FlushInBuffer();
  links_.dataPacket.SetEnabled(true);
  links_.statistics.Add(sample);
  if (onSample) onSample(text, sample);
}

}  // namespace ventari
