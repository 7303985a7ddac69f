#include "stats/statistics_text.h"

#include <QDateTime>
#include <QJsonArray>
#include <optional>

namespace ventari {
namespace {

QString Number(const std::optional<double>& value) {
  return value ? QString::number(*value, 'f', 4) : QString();
}

QJsonValue JsonNumber(const std::optional<double>& value) {
  return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QString TimesText(RecordTimes times) {
  switch (times) {
    case RecordTimes::kLogged:
      return QStringLiteral("logged");
    case RecordTimes::kDerived:
      return QStringLiteral("derived");
    case RecordTimes::kReceived:
      break;
  }
  return QStringLiteral("received");
}

double Percent(const WindRose& rose, int sector, int speedClass) {
  return rose.Frequency(sector, speedClass) * 100;
}

}  // namespace

QString PeriodEndText(std::int64_t endUs) {
  return QDateTime::fromMSecsSinceEpoch(endUs / 1000, Qt::UTC).toString(Qt::ISODate);
}

QString StatisticsCsvHeader() {
  return QStringLiteral(
      "end,minutes,n,n_direction,complete,speed,direction,direction_sd,resultant_speed,"
      "resultant_direction,min,max,gust,ti,w_mean,w_sd,times");
}

QString StatisticsCsvLine(const PeriodRow& row, RecordTimes times) {
  return QStringList{PeriodEndText(row.endUs),
                     QString::number(static_cast<double>(row.lengthUs) / 60e6),
                     QString::number(row.count),
                     QString::number(row.directionCount),
                     row.incomplete ? QStringLiteral("0") : QStringLiteral("1"),
                     Number(row.meanSpeed),
                     Number(row.direction),
                     Number(row.directionDeviation),
                     Number(row.resultantSpeed),
                     Number(row.resultantDirection),
                     Number(row.minSpeed),
                     Number(row.maxSpeed),
                     Number(row.gust),
                     Number(row.turbulence),
                     Number(row.wMean),
                     Number(row.wDeviation),
                     TimesText(times)}
      .join(QLatin1Char(','));
}

QJsonObject StatisticsJson(const PeriodRow& row, RecordTimes times) {
  return {{"end", PeriodEndText(row.endUs)},
          {"minutes", static_cast<double>(row.lengthUs) / 60e6},
          {"n", static_cast<qint64>(row.count)},
          {"n_direction", static_cast<qint64>(row.directionCount)},
          {"complete", !row.incomplete},
          {"speed", JsonNumber(row.meanSpeed)},
          {"direction", JsonNumber(row.direction)},
          {"direction_sd", JsonNumber(row.directionDeviation)},
          {"resultant_speed", JsonNumber(row.resultantSpeed)},
          {"resultant_direction", JsonNumber(row.resultantDirection)},
          {"min", JsonNumber(row.minSpeed)},
          {"max", JsonNumber(row.maxSpeed)},
          {"gust", JsonNumber(row.gust)},
          {"ti", JsonNumber(row.turbulence)},
          {"w_mean", JsonNumber(row.wMean)},
          {"w_sd", JsonNumber(row.wDeviation)},
          {"times", TimesText(times)}};
}

QStringList RoseCsvLines(const WindRose& rose) {
  QStringList header{QStringLiteral("sector")};
  for (int c = 0; c < WindRose::kClassCount; ++c) header << WindRose::ClassName(c);
  QStringList lines{header.join(QLatin1Char(','))};
  for (int sector = 0; sector < rose.Sectors(); ++sector) {
    QStringList line{QString::number(sector * 360.0 / rose.Sectors())};
    for (int c = 0; c < WindRose::kClassCount; ++c) {
      line << QString::number(Percent(rose, sector, c), 'f', 3);
    }
    lines << line.join(QLatin1Char(','));
  }
  return lines;
}

QJsonObject RoseJson(const WindRose& rose) {
  QJsonArray classes;
  for (int c = 0; c < WindRose::kClassCount; ++c) classes.append(WindRose::ClassName(c));
  QJsonArray percent;
  for (int sector = 0; sector < rose.Sectors(); ++sector) {
    QJsonArray row;
    for (int c = 0; c < WindRose::kClassCount; ++c) row.append(Percent(rose, sector, c));
    percent.append(row);
  }
  return {{"rose", QJsonObject{{"sectors", rose.Sectors()},
                               {"classes", classes},
                               {"samples", static_cast<qint64>(rose.Total())},
                               {"percent", percent}}}};
}

}  // namespace ventari
