#include "stats/statistics_export.h"

#include <QFile>

namespace ventari {

bool SaveStatisticsCsv(const LiveStatistics& statistics, Prompts& prompts) {
  const QString name = prompts.ChooseSaveFile(QStringLiteral("Save Statistics as..."), QString(),
                                              QStringLiteral("CSV file (*.csv)"));
  if (name.isEmpty()) return false;
  QFile file(name);
  const QByteArray text = statistics.CsvText().toUtf8();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
      !file.flush()) {
    prompts.ShowMessage(
        QStringLiteral("Cannot write the statistics to %1: %2").arg(name, file.errorString()),
        QStringLiteral("Error"));
    return false;
  }
  return true;
}

}  // namespace ventari
