// What became of a run's data, told when the command line's stream or log ends: the records,
// those dropped as incomplete or bad, the pauses in the data with their length in all, and the
// port's losses and returns.
#pragma once

#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <optional>

namespace ventari {

class Session;

struct RunSummary {
  std::uint64_t records = 0;
  std::uint64_t droppedIncomplete = 0;
  std::uint64_t droppedBad = 0;
  int pauses = 0;
  std::int64_t pausedMs = 0;
  int portLosses = 0;
  int portReturns = 0;
  // What was published to an MQTT broker: acknowledged, still held at the end, dropped when the
  // hold was full. None when nothing was published.
  struct Published {
    std::uint64_t published = 0;
    std::uint64_t held = 0;
    std::uint64_t dropped = 0;
  };
  std::optional<Published> published;

  static RunSummary Of(Session& session);

  // "Summary: 1234 records, 2 dropped incomplete, 1 dropped bad, 1 pause of 12.0 s in all,
  // 1 port loss, 1 return", publishing: ", 1230 published, 4 held, 0 dropped unsent"
  QString Line() const;
  // {"summary": {"records": ..., "droppedIncomplete": ..., "droppedBad": ..., "pauses": ...,
  // "pauseSeconds": ..., "portLosses": ..., "portReturns": ...}}, publishing: with
  // "mqtt": {"published": ..., "held": ..., "dropped": ...}
  QJsonObject Json() const;
};

}  // namespace ventari
