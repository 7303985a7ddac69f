// stream --stats MIN: the wind statistics of the records as they arrive, one JSON object
// {"stats": {...}} printed at each period's end, beside the records the stream prints.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <variant>

#include "stats/live_statistics.h"

class QCommandLineParser;

namespace ventari {

class Session;

// The minutes --stats gives (none when not given), or the usage message.
std::variant<std::optional<int>, QString> LiveStatsMinutes(const QCommandLineParser& parser);

// Feeds every sample the session's appliers hand on (after the printing already installed) into
// `live`, timed by the clock as they arrive, and prints each period's row through `print`.
void PrintPeriodStatistics(Session& session, LiveStatistics& live,
                           std::function<void(const QString&)> print);

}  // namespace ventari
