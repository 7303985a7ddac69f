#include "cli/sample_printer.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "app/session_parts.h"

namespace ventari {
namespace {

// The windsock state after a sample, or nulls when the sample did not feed it.
void AddWindsock(QJsonObject& line, const WindsockWindowModel& windsock, bool fed) {
  const TCalvarnWindsock& w = windsock.CalvarnWindsock1();
  auto value = [fed](int v) { return fed ? QJsonValue(v) : QJsonValue(QJsonValue::Null); };
  line["avg_direction"] = value(w.GetAverageDirection());
  line["avg_magnitude"] = value(w.GetAverageMagnitude());
  line["max_gust"] = value(w.GetMaxGust());
  line["min_gust"] = value(w.GetMinGust());
  line["gust"] = value(w.GetGust());
  line["sample_count"] = value(w.GetSampleCount());
  line["warming_up"] = w.GetSampleCount() < w.NumRollingAveSamples();
}

QJsonObject SampleJson(const QString& text, const TwoAxisSample& sample,
                       const WindsockWindowModel& windsock) {
  QJsonObject line{
      {"text", text}, {"readable", sample.readable}, {"mode", sample.uv ? "uv" : "polar"}};
  const auto number = [&sample](double v) {
    return sample.readable ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
  };
  if (sample.uv) {
    line["u"] = number(sample.first);
    line["v"] = number(sample.second);
  } else {
    line["direction"] = sample.readable ? QJsonValue(sample.direction) : QJsonValue();
    line["speed"] = number(sample.second);
  }
  AddWindsock(line, windsock, sample.fedWindsock);
  return line;
}

}  // namespace

void PrintEachSample(LiveDisplays& displays, TwoAxisDataApplier& applier, bool json,
                     std::function<void(const QString&)> print) {
  displays.windsockWindow.SelectUnits(0);
  displays.windsockWindow.SelectAveraging(WindsockWindowModel::kTwoMinutes);
  applier.onSample = [&displays, json, print = std::move(print)](const QByteArray&,
                                                                 const TwoAxisSample& sample) {
    const QString text = displays.dataDisplay.ScreenLines().back();
    if (!json) {
      print(text + QLatin1Char('\n'));
      return;
    }
    const QJsonObject line = SampleJson(text, sample, displays.windsockWindow);
    print(QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)) +
          QLatin1Char('\n'));
  };
}

}  // namespace ventari
