// The bytes of a file a test wrote, or "<missing>" when it cannot be read.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace ventari::test {

inline QByteArray FileContents(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

}  // namespace ventari::test
