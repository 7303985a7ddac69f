#include "app/sample_json.h"

#include "app/session_parts.h"
#include "displays/tabular_log_headers.h"

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

QString KindName(TriAxisSample::Kind kind) {
  switch (kind) {
    case TriAxisSample::Kind::kRecord:
      return QStringLiteral("record");
    case TriAxisSample::Kind::kAveraged:
      return QStringLiteral("averaged");
    case TriAxisSample::Kind::kBlocked:
      return QStringLiteral("blocked");
    case TriAxisSample::Kind::kMalformed:
      return QStringLiteral("malformed");
    case TriAxisSample::Kind::kBad:
      return QStringLiteral("bad");
    case TriAxisSample::Kind::kUnreadable:
      break;
  }
  return QStringLiteral("unreadable");
}

QJsonValue OrNull(const std::optional<QString>& text) {
  return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

QJsonObject TriSampleJson(const TriAxisSample& sample, const QStringList& names,
                          const LiveDisplays& displays) {
  QJsonObject status{{"message", displays.tabular.StatusText()}};
  status["address"] = sample.status ? QJsonValue(sample.status->address) : QJsonValue();
  status["value"] = sample.status ? QJsonValue(sample.status->value) : QJsonValue();
  QJsonValue values;
  if (!sample.values.empty()) {
    QJsonObject byName;
    for (qsizetype i = 0; i < names.size(); ++i) {
      const auto index = static_cast<std::size_t>(i);
      const bool shown = index < sample.values.size() && sample.values[index].has_value();
      byName[names[i]] = shown ? QJsonValue(*sample.values[index]) : QJsonValue();
    }
    values = byName;
  }
  QJsonObject line{{"text", OrNull(sample.line)},
                   {"kind", KindName(sample.kind)},
                   {"status", status},
                   {"clinometer", OrNull(sample.clinometer)},
                   {"values", values}};
  AddWindsock(line, displays.windsockWindow, sample.fedWindsock);
  return line;
}

}  // namespace

void SelectStreamWindsock(LiveDisplays& displays) {
  displays.windsockWindow.SelectUnits(0);
  displays.windsockWindow.SelectAveraging(WindsockWindowModel::kTwoMinutes);
}

QJsonObject SampleJson(const LiveDisplays& displays, const TwoAxisSample& sample) {
  return SampleJson(displays.dataDisplay.ScreenLines().back(), sample, displays.windsockWindow);
}

QJsonObject SampleJson(const LiveDisplays& displays, const TriAxisSample& sample,
                       const TriAxisConfig& config) {
  // The names follow the configuration as it is when the record arrives.
  return TriSampleJson(sample, CsvHeaderText(config).text.split(QLatin1Char(',')), displays);
}

}  // namespace ventari
