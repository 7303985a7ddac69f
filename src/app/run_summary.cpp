#include "app/run_summary.h"

#include "app/session.h"

namespace ventari {
namespace {

QString Counted(std::uint64_t count, const char* one, const char* many) {
  return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

double Seconds(std::int64_t ms) { return static_cast<double>(ms) / 1000.0; }

}  // namespace

RunSummary RunSummary::Of(Session& session) {
  const RecordCounts& counts = session.decoding().recordCounts;
  return {counts.whole,
          counts.incomplete,
          counts.bad,
          session.dataWatch().Pauses(),
          session.dataWatch().PausedMs(),
          session.recovery().Losses(),
          session.recovery().Returns(),
          std::nullopt};
}

QString RunSummary::Line() const {
  QString line =
      QStringLiteral(
          "Summary: %1, %2 dropped incomplete, %3 dropped bad, %4 of %5 s in all, "
          "%6, %7")
          .arg(Counted(records, "record", "records"))
          .arg(droppedIncomplete)
          .arg(droppedBad)
          .arg(Counted(static_cast<std::uint64_t>(pauses), "pause", "pauses"))
          .arg(Seconds(pausedMs), 0, 'f', 1)
          .arg(Counted(static_cast<std::uint64_t>(portLosses), "port loss", "port losses"))
          .arg(Counted(static_cast<std::uint64_t>(portReturns), "return", "returns"));
  if (published) {
    line += QStringLiteral(", %1 published, %2 held, %3 dropped unsent")
                .arg(published->published)
                .arg(published->held)
                .arg(published->dropped);
  }
  return line;
}

QJsonObject RunSummary::Json() const {
  QJsonObject summary{{QStringLiteral("records"), static_cast<qint64>(records)},
                      {QStringLiteral("droppedIncomplete"), static_cast<qint64>(droppedIncomplete)},
                      {QStringLiteral("droppedBad"), static_cast<qint64>(droppedBad)},
                      {QStringLiteral("pauses"), pauses},
                      {QStringLiteral("pauseSeconds"), Seconds(pausedMs)},
                      {QStringLiteral("portLosses"), portLosses},
                      {QStringLiteral("portReturns"), portReturns}};
  if (published) {
    summary[QStringLiteral("mqtt")] =
        QJsonObject{{QStringLiteral("published"), static_cast<qint64>(published->published)},
                    {QStringLiteral("held"), static_cast<qint64>(published->held)},
                    {QStringLiteral("dropped"), static_cast<qint64>(published->dropped)}};
  }
  return {{QStringLiteral("summary"), summary}};
}

}  // namespace ventari
