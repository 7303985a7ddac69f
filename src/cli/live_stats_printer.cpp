#include "cli/live_stats_printer.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <utility>

#include "app/live_wind_samples.h"
#include "app/session.h"
#include "stats/statistics_text.h"
#include "triaxis/tri_axis_record_rate.h"

namespace ventari {
namespace {

std::int64_t NowUs() { return QDateTime::currentMSecsSinceEpoch() * 1000; }

}  // namespace

std::variant<std::optional<int>, QString> LiveStatsMinutes(const QCommandLineParser& parser) {
  const QString name = QStringLiteral("stats");
  if (!parser.isSet(name)) return std::optional<int>();
  bool number = false;
  const int minutes = parser.value(name).toInt(&number);
  if (!number || minutes < StatisticsSettings::kMinPeriodMinutes ||
      minutes > StatisticsSettings::kMaxPeriodMinutes) {
    return QStringLiteral("--stats takes 1 to 60 minutes");
  }
  return std::optional<int>(minutes);
}

void PrintPeriodStatistics(Session& session, LiveStatistics& live,
                           std::function<void(const QString&)> print) {
  live.SubscribePeriods([print = std::move(print)](const PeriodRow& row) {
    const QJsonObject object{{"stats", StatisticsJson(row, RecordTimes::kReceived)}};
    print(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) +
          QLatin1Char('\n'));
  });
  Anemometer& anemometer = session.anemometer();
  if (anemometer.state.Family == AnemFamily::kTriAxis) {
    live.SetRecordsPerSecond(
        TriAxisRecordsPerSecond(anemometer.triAxisConfig, anemometer.state.Model));
    TriAxisDataApplier& applier = session.decoding().triAxisData;
    applier.onSample = [&live, &anemometer,
                        printed = std::move(applier.onSample)](const TriAxisSample& sample) {
      if (printed) printed(sample);
      live.SetRecordsPerSecond(
          TriAxisRecordsPerSecond(anemometer.triAxisConfig, anemometer.state.Model));
      if (auto wind = WindSampleOf(sample, anemometer.triAxisConfig, NowUs())) live.Add(*wind);
    };
    return;
  }
  TwoAxisDataApplier& applier = session.decoding().dataApplier;
  applier.onSample = [&live, &anemometer, printed = std::move(applier.onSample)](
                         const QByteArray& text, const TwoAxisSample& sample) {
    if (printed) printed(text, sample);
    live.SetRecordsPerSecond(anemometer.twoAxisConfig.SamplesPerSecond);
    if (auto wind = WindSampleOf(sample, anemometer.twoAxisConfig, NowUs())) live.Add(*wind);
  };
}

}  // namespace ventari
