// The statistics as the command line and the Statistics window give them: a row as CSV (one
// header line, then a line per period) or as a JSON object, the wind rose likewise. Times are
// the period's end in ISO 8601, UTC ("2026-12-09T19:10:00Z").
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "stats/period_row.h"
#include "stats/wind_rose.h"

namespace ventari {

// How the records' times were known: written in the log, worked out from the header's start
// and the records' rate, or taken from the clock as they arrived.
enum class RecordTimes { kLogged, kDerived, kReceived };

QString PeriodEndText(std::int64_t endUs);
QString StatisticsCsvHeader();
QString StatisticsCsvLine(const PeriodRow& row, RecordTimes times);
QJsonObject StatisticsJson(const PeriodRow& row, RecordTimes times);

// "sector,0-2,2-4,...", then one line per sector: its centre and the percentage of samples in
// each class.
QStringList RoseCsvLines(const WindRose& rose);
// {"rose": {"sectors": N, "classes": [...], "samples": N, "percent": [[...], ...]}}
QJsonObject RoseJson(const WindRose& rose);

}  // namespace ventari
