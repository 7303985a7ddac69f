// Dates and times in log files: one fixed format whatever the user's locale, from a clock that
// tests can replace.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace ventari {

// The current local date and time.
using WallClock = std::function<QDateTime()>;
WallClock SystemClock();

// "dd/MM/yyyy", e.g. "09/12/2026".
QString LogDate(const QDateTime& at);
// "HH:mm:ss" on a 24-hour clock, e.g. "19:05:42".
QString LogTime(const QDateTime& at);

}  // namespace ventari
