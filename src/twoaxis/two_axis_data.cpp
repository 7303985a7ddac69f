#include "twoaxis/two_axis_data.h"

#include <cmath>

#include "displays/data_display.h"
#include "displays/graph_window_model.h"
#include "displays/windsock_window_model.h"
#include "link/packet_matcher.h"
#include "link/serial_port.h"

namespace ventari {
namespace {

// The chart takes whole values; a value beyond its range is held at the range's end.
std::int64_t Truncated(double value) {
  constexpr double kLimit = 9.0e15;
  return static_cast<std::int64_t>(std::trunc(std::clamp(value, -kLimit, kLimit)));
}

}  // namespace

TwoAxisDataDecoder::TwoAxisDataDecoder(Links links) : links_(std::move(links)) {
  links_.dataPacket.SetStringHandler(
      [this](TApdDataPacket&, const QByteArray& text) { OnDataPacket(text); });
}

std::optional<double> TwoAxisDataDecoder::NumberAt(const QByteArray& text, int first, int count) {
  const QByteArray field = text.mid(first - 1, count).trimmed();
  if (field.isEmpty()) return std::nullopt;
  bool ok = false;
  const double value = field.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

void TwoAxisDataDecoder::OnDataPacket(const QByteArray& text) {
  links_.dataPacket.SetEnabled(false);
  links_.dataDisplay.ShowRecord(text);

  GraphWindowModel& graph = links_.graph;
  TwoAxisSample sample;
  sample.uv = links_.menu.Entry(QStringLiteral("UVcontinuous")).checked;
  double red = 0;
  double blue = 0;
  const auto first = sample.uv ? NumberAt(text, 4, 7) : NumberAt(text, 4, 3);
  const auto second = sample.uv ? NumberAt(text, 12, 7) : NumberAt(text, 8, 6);
  if (first && second) {
    sample.readable = true;
    sample.first = *first;
    sample.second = *second;
    if (sample.uv) {
      red = *first * graph.GraphGain();
    } else {
      sample.direction = static_cast<int>(Truncated(*first));
      red = *first * static_cast<double>(graph.pgraph1().Scale()) / 360.0;
    }
    blue = *second * graph.GraphGain();
    lastBlue_ = blue;
    if (checkSample && alarmVisible && alarmVisible()) {
      checkSample(sample.uv ? *first : sample.direction, *second);
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
  if (onSample) onSample(text, sample);
}

}  // namespace ventari
