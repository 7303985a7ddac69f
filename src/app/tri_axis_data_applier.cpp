#include "app/tri_axis_data_applier.h"

#include "app/statistics_feed.h"
#include "displays/alarm_window_model.h"
#include "displays/graph_window_model.h"
#include "displays/tabular_display.h"
#include "displays/windsock_window_model.h"
#include "link/packet_matcher.h"
#include "triaxis/tri_axis_binary_decoder.h"
#include "triaxis/tri_axis_config.h"

namespace ventari {
namespace {

constexpr int kMsPerMinute = 60000;

std::vector<std::optional<double>> ShownValues(const TriAxisSumValues& sums,
                                               const TriAxisConfig& config) {
  const auto count = static_cast<std::size_t>(TriAxisAveragedFieldCount(config));
  return {sums.begin(), sums.begin() + static_cast<std::ptrdiff_t>(count)};
}

// Handles one record and re-arms its collector, however the handling ends.
template <typename Handle>
void RearmedAfter(TApdDataPacket& collector, Handle handle) {
  collector.SetEnabled(false);
  try {
    handle();
  } catch (...) {
    collector.SetEnabled(true);
    throw;
  }
  collector.SetEnabled(true);
}

}  // namespace

TriAxisDataApplier::TriAxisDataApplier(Links links) : links_(links), period_(links.runtime) {
  period_.SetHandler([this] { periodEnded_ = true; });
}

void TriAxisDataApplier::StartPeriods() {
  period_.Stop();
  period_.SetInterval(links_.config.PcAvgMinutes * kMsPerMinute);
  periodEnded_ = false;
  averaging_.Clear();
}

bool TriAxisDataApplier::Averaging() const { return links_.config.PcAvgMinutes > 0; }

std::optional<PcAveraging::Averages> TriAxisDataApplier::Average(const TriAxisSumValues& sums) {
  if (!period_.IsActive()) period_.Start();
  averaging_.Add(sums);
  if (!periodEnded_) return std::nullopt;
  return averaging_.TakeAverages(links_.config.ReportsPolar() ? PcAveraging::FirstField::kDirection
                                                              : PcAveraging::FirstField::kNumber);
}

void TriAxisDataApplier::Plot(const TriAxisGraphValues& values) {
  GraphWindowModel& graph = links_.graph;
  if (!links_.graphShown() || graph.Paused()) return;
  Tpgraph& chart = graph.pgraph1();
  const auto [red, blue, green] = graph.TriAxisPoints(values);
  chart.DataPoint(kClRed, red);
  chart.DataPoint(kClBlue, blue);
  chart.DataPoint(kClGreen, green);
  chart.Update();
}

std::optional<TriAxisGraphValues> TriAxisDataApplier::AveragedGraphValues(
    const PcAveraging::Averages& averages) const {
  const TriAxisConfig& config = links_.config;
  if (!config.ReportsUvw() && !config.ReportsPolar()) return std::nullopt;
  // A period without a direction (or any value) plots nothing.
  if (!averages[0] || !averages[1] || !averages[2]) return std::nullopt;
  return TriAxisGraphValues{config.ReportsPolar(), {*averages[0], *averages[1], *averages[2]}};
}

TriAxisSample TriAxisDataApplier::AveragedSample(const QString& line) {
  TriAxisSample sample;
  sample.kind = TriAxisSample::Kind::kAveraged;
  sample.line = line;
  // The numbers as the line shows them: a polar direction in whole degrees, the rest to
  // hundredths.
  for (const QString& text : line.split(QLatin1Char(','))) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    sample.values.push_back(ok ? std::optional(value) : std::nullopt);
  }
  return sample;
}

void TriAxisDataApplier::Tell(const TriAxisSample& sample) {
  links_.statistics.Add(sample);
  if (onSample) onSample(sample);
}

void TriAxisDataApplier::Apply(const TriAxisAsciiRecord& record) {
  RearmedAfter(links_.asciiPacket, [&] { ApplyAscii(record); });
}

void TriAxisDataApplier::Apply(const TriAxisBinaryRecord& record) {
  RearmedAfter(links_.binaryPacket, [&] { ApplyBinary(record); });
}

void TriAxisDataApplier::ApplyAscii(const TriAxisAsciiRecord& record) {
  TabularDisplay& tabular = links_.tabular;
  const bool averaging = Averaging();
  TriAxisSample sample;
  std::optional<TriAxisSample> averaged;
  // What the log takes for this record: its line, the paths-blocked line, an empty line for a
  // malformed record, or with PC averaging the averaged line of a period that ended.
  QString logLine;

  using Outcome = TriAxisAsciiRecord::Outcome;
  switch (record.outcome) {
    case Outcome::kPathsBlocked:
    case Outcome::kMalformed:
      sample.kind = record.outcome == Outcome::kPathsBlocked ? TriAxisSample::Kind::kBlocked
                                                             : TriAxisSample::Kind::kMalformed;
      // With PC averaging a rejected record is neither shown nor logged, and leaves an ended
      // period to the next accepted record, which gives the period its line.
      if (averaging) {
        Tell(sample);
        return;
      }
      if (record.outcome == Outcome::kPathsBlocked) {
        logLine = record.line;
        tabular.AddLine(logLine);
        sample.line = logLine;
      }
      break;
    case Outcome::kUnreadable:
      sample.kind = TriAxisSample::Kind::kUnreadable;
      if (record.status) {
        sample.status = record.status;
        sample.clinometer = tabular.ShowStatus(record.status->address, record.status->value);
      }
      Tell(sample);
      return;
    case Outcome::kUsable: {
      sample.status = record.status;
      if (record.status) {
        sample.clinometer = tabular.ShowStatus(record.status->address, record.status->value);
      }
      sample.values = ShownValues(record.sums, links_.config);
      if (!averaging) {
        tabular.SetHeader(record.header);
        tabular.AddLine(record.line);
        logLine = record.line;
        sample.line = logLine;
      } else if (const auto averages = Average(record.sums)) {
        if (!tabular.Logging()) periodEnded_ = false;
        logLine = TriAxisAveragedLine(*averages, links_.config);
        tabular.AddLine(logLine);
        averaged = AveragedSample(logLine);
        if (!links_.graph.Paused()) {
          if (const auto graph = AveragedGraphValues(*averages)) Plot(*graph);
        }
      }
      if (record.alarm && links_.alarm.CheckSample(record.alarm->first, record.alarm->second)) {
        sample.alarmChecked = {record.alarm->first, record.alarm->second};
      }
      if (record.graph && !averaging) Plot(*record.graph);
      if (record.windsock) {
        links_.windsock.ShowSample(record.windsock->direction, record.windsock->speed,
                                   record.windsock->w);
        sample.fedWindsock = true;
      }
      break;
    }
  }

  if (tabular.Logging() && !averaging) {
    tabular.AddLogLine(logLine);
  } else if (periodEnded_) {
    periodEnded_ = false;
    tabular.AddLogLine(logLine);
  }
  Tell(sample);
  if (averaged) Tell(*averaged);
}

void TriAxisDataApplier::ApplyBinary(const TriAxisBinaryRecord& record) {
  TabularDisplay& tabular = links_.tabular;
  if (record.outcome == TriAxisBinaryRecord::Outcome::kShort ||
      record.outcome == TriAxisBinaryRecord::Outcome::kBadCheckByte) {
    TriAxisSample sample;
    sample.kind = TriAxisSample::Kind::kUnreadable;
    if (record.outcome == TriAxisBinaryRecord::Outcome::kBadCheckByte) {
      // Nothing of it is shown, averaged or logged; the status panel counts it.
      sample.kind = TriAxisSample::Kind::kBad;
      tabular.ShowBadRecord();
    }
    Tell(sample);
    return;
  }
  tabular.OpenBinaryLogIfWaiting();
  TriAxisSample sample;
  sample.status = record.status;
  if (record.status) {
    sample.clinometer = tabular.ShowStatus(record.status->address, record.status->value);
  }
  if (record.outcome == TriAxisBinaryRecord::Outcome::kNoWind) {
    sample.kind = TriAxisSample::Kind::kBlocked;
    Tell(sample);
    return;
  }

  sample.values = ShownValues(record.sums, links_.config);
  std::optional<TriAxisSample> averaged;
  QByteArray logged = record.bytes;
  const bool averaging = Averaging();
  if (averaging) {
    if (const auto averages = Average(record.sums)) {
      const TriAxisAveragedBinaryRecord built = BuildAveragedBinaryRecord(*averages, links_.config);
      tabular.AddLine(built.line);
      logged = built.bytes;
      averaged = AveragedSample(built.line);
    }
  }
  if (tabular.BinaryLogOpen() && (!averaging || periodEnded_)) tabular.LogBinaryRecord(logged);
  if (!averaging) {
    tabular.SetHeader(record.header);
    tabular.AddLine(record.line);
    sample.line = record.line;
  }
  periodEnded_ = false;
  Tell(sample);
  if (averaged) Tell(*averaged);
}

}  // namespace ventari
