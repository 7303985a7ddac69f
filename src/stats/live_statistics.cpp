#include "stats/live_statistics.h"

#include <QStringList>
#include <algorithm>

#include "stats/statistics_text.h"

namespace ventari {

LiveStatistics::LiveStatistics(StatisticsSettings settings) : settings_(settings) { Restart(); }

void LiveStatistics::Restart() {
  statistics_ =
      std::make_unique<WindStatistics>(settings_, [this](const PeriodRow& row) { Closed(row); });
  statistics_->SetRecordsPerSecond(recordsPerSecond_);
  settings_ = statistics_->Settings();
  rows_.clear();
  rose_ = WindRose(kRoseSectors);
}

void LiveStatistics::SetPeriodMinutes(int minutes) {
  settings_.periodMinutes = minutes;
  Restart();
  changed_.Notify();
}

void LiveStatistics::Add(const WindSample& sample) {
  if (statistics_->Add(sample)) rose_.Add(sample);
}

void LiveStatistics::Finish() { statistics_->Finish(); }

void LiveStatistics::Clear() {
  Restart();
  changed_.Notify();
}

void LiveStatistics::Closed(const PeriodRow& row) {
  rows_.push_back(row);
  if (rows_.size() > kMaxRows) rows_.pop_front();
  for (auto it = listeners_.begin(); it != listeners_.end();) {
    const auto current = it++;
    current->second(row);
  }
  changed_.Notify();
}

QString LiveStatistics::CsvText() const {
  QStringList lines{StatisticsCsvHeader()};
  for (const PeriodRow& row : rows_) lines << StatisticsCsvLine(row, RecordTimes::kReceived);
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

LiveStatistics::Subscription LiveStatistics::SubscribePeriods(PeriodListener listener) {
  listeners_.emplace(next_, std::move(listener));
  return next_++;
}

}  // namespace ventari
