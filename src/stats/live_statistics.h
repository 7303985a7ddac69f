// The wind statistics of the records as they arrive: the periods closed so far (the newest
// kMaxRows), the wind rose of every sample since the start, and the row of each period as it
// closes for whoever listens (the command line's printing, a publisher). The Statistics
// window's model: views repaint on Changed().
#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>

#include "base/change_notifier.h"
#include "stats/period_row.h"
#include "stats/wind_rose.h"
#include "stats/wind_sample.h"
#include "stats/wind_statistics.h"

namespace ventari {

class LiveStatistics {
 public:
  static constexpr std::size_t kMaxRows = 10000;
  static constexpr int kRoseSectors = 16;
  using PeriodListener = std::function<void(const PeriodRow&)>;
  using Subscription = int;

  explicit LiveStatistics(StatisticsSettings settings = {});
  LiveStatistics(const LiveStatistics&) = delete;
  LiveStatistics& operator=(const LiveStatistics&) = delete;

  // Starts afresh with periods of `minutes` (1 to 60): rows and rose are forgotten.
  void SetPeriodMinutes(int minutes);
  int PeriodMinutes() const { return settings_.periodMinutes; }
  // The anemometer's records a second, for each period's coverage.
  void SetRecordsPerSecond(double rate) {
    recordsPerSecond_ = rate;
    statistics_->SetRecordsPerSecond(rate);
  }

  void Add(const WindSample& sample);
  // The records have ended: the open period closes with what it has.
  void Finish();
  void Clear();

  const std::deque<PeriodRow>& Rows() const { return rows_; }
  const WindRose& Rose() const { return rose_; }
  // The header and the rows as CSV, for copying and export.
  QString CsvText() const;

  // Told of each period's row as it closes, in the order of subscription.
  Subscription SubscribePeriods(PeriodListener listener);
  void UnsubscribePeriods(Subscription subscription) { listeners_.erase(subscription); }
  // Told after every new row and every change of the rose.
  ChangeNotifier& Changed() { return changed_; }

 private:
  void Restart();
  void Closed(const PeriodRow& row);

  StatisticsSettings settings_;
  double recordsPerSecond_ = 0;
  std::unique_ptr<WindStatistics> statistics_;
  std::deque<PeriodRow> rows_;
  WindRose rose_{kRoseSectors};
  std::map<Subscription, PeriodListener> listeners_;
  Subscription next_ = 1;
  ChangeNotifier changed_;
};

}  // namespace ventari
