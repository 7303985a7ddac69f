#include "displays/alarm_sound.h"

#include <QDir>
#include <QFileInfo>

namespace ventari {

QString AlarmSoundFile(const QString& applicationDir) {
  const QDir dir(applicationDir);
  const QString name = QString::fromLatin1(kAlarmSoundFileName);
  for (const QString& candidate :
       {dir.filePath(name), dir.filePath(QStringLiteral("../share/ventari/") + name)}) {
    const QFileInfo info(candidate);
    if (info.isFile()) return info.canonicalFilePath();
  }
  return {};
}

}  // namespace ventari
