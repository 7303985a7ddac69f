#include "app/data_watch.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "app/live_window_commands.h"
#include "app/port_recovery.h"
#include "app/service.h"
#include "app/session_parts.h"
#include "link/command_channel.h"
#include "triaxis/tri_axis_record_rate.h"

namespace ventari {

std::int64_t DataWatch::PauseAfterMs(const Anemometer& anemometer) {
  const double perSecond =
      anemometer.state.Family == AnemFamily::kTriAxis
          ? TriAxisRecordsPerSecond(anemometer.triAxisConfig, anemometer.state.Model)
          : anemometer.twoAxisConfig.SamplesPerSecond;
  if (perSecond <= 0) return kShortestPauseMs;
  const auto periods = static_cast<std::int64_t>(std::ceil(kPauseRecordPeriods * 1000 / perSecond));
  return std::max(kShortestPauseMs, periods);
}

QString DataWatch::Notice(const QString& model, std::int64_t seconds) {
  return QStringLiteral("No data from %1 for %2 s").arg(model).arg(seconds);
}

DataWatch::DataWatch(const Parts& parts)
    : p_(parts), pause_(parts.runtime), count_(parts.runtime, kCountIntervalMs, /*periodic=*/true) {
  RecordCollector* collectors[] = {&p_.decoding.dataCollector, &p_.decoding.triAxisAsciiCollector,
                                   &p_.decoding.triAxisBinaryCollector};
  for (std::size_t n = 0; n < std::size(collectors); ++n) {
    subscriptions_[n] = collectors[n]->WholeRecord().Subscribe([this] { RecordArrived(); });
  }
  pause_.SetHandler([this] { Check(); });
  count_.SetHandler([this] { Check(); });
}

DataWatch::~DataWatch() {
  p_.decoding.dataCollector.WholeRecord().Unsubscribe(subscriptions_[0]);
  p_.decoding.triAxisAsciiCollector.WholeRecord().Unsubscribe(subscriptions_[1]);
  p_.decoding.triAxisBinaryCollector.WholeRecord().Unsubscribe(subscriptions_[2]);
}

std::int64_t DataWatch::PausedMs() const {
  return pausedMs_ + (paused_ ? p_.runtime.NowMs() - lastRecordMs_ : 0);
}

bool DataWatch::Expected() const {
  return headless_ || p_.liveCommands.AnyWindowShown() || p_.displays.dataDisplay.Shown();
}

void DataWatch::RecordArrived() {
  EndPause();
  seen_ = true;
  lastRecordMs_ = p_.runtime.NowMs();
  count_.Stop();
  // The timer is not started again for every record: when it runs out early, it waits for the
  // rest of the time after the last record.
  if (pause_.IsActive()) return;
  pause_.SetInterval(static_cast<int>(PauseAfterMs(p_.anemometer)));
  pause_.Start();
}

void DataWatch::Check() {
  if (!seen_) return;
  const std::int64_t now = p_.runtime.NowMs();
  if (!Expected()) {
    // The run that expected records has ended; the next record starts another.
    EndPause();
    count_.Stop();
    seen_ = false;
    return;
  }
  if (p_.channel.InConfigMode() || p_.service.Running()) {
    // The anemometer is held or tested: its silence is no pause, and the time starts again.
    EndPause();
    lastRecordMs_ = now;
    count_.Stop();
    pause_.SetInterval(static_cast<int>(PauseAfterMs(p_.anemometer)));
    pause_.Start();
    return;
  }
  if (!paused_) {
    const std::int64_t due = lastRecordMs_ + PauseAfterMs(p_.anemometer);
    if (now < due) {
      pause_.SetInterval(static_cast<int>(due - now));
      pause_.Start();
      return;
    }
    paused_ = true;
    ++pauses_;
  }
  if (!count_.IsActive()) count_.Start();
  Tell();
}

void DataWatch::EndPause() {
  if (!paused_) return;
  pausedMs_ += p_.runtime.NowMs() - lastRecordMs_;
  paused_ = false;
  Tell();
}

void DataWatch::Tell() {
  const QString text = paused_ && !p_.recovery.PortAway()
                           ? Notice(p_.anemometer.state.ModelCaption.trimmed(),
                                    (p_.runtime.NowMs() - lastRecordMs_) / 1000)
                           : QString();
  p_.window.SetDataNotice(text);
  LiveDisplays& d = p_.displays;
  for (NoDataNotice* notice :
       {&d.dataDisplay.NoData(), &d.graph.NoData(), &d.windsockWindow.NoData(), &d.tabular.NoData(),
        &d.alarm.NoData()}) {
    notice->Set(text);
  }
}

}  // namespace ventari
