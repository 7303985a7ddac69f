// The one folder the service pages read their files from and write their files to: "srecords/"
// (firmware), "eeprom/" (Kestrix II parameter files), "LV_Eeprom/" (Larkvane parameter files and
// "upload.txt") and "reports/" (a PDF of every test report printed or saved) under one root, the
// working directory unless the user gives another.
#pragma once

#include <QDir>
#include <QString>

namespace ventari {

class ServiceFolder {
 public:
  explicit ServiceFolder(QString root = QDir::currentPath()) : root_(std::move(root)) {}

  const QString& Root() const { return root_; }
  void SetRoot(const QString& root) { root_ = root; }

  QString SRecords() const { return Below(QStringLiteral("srecords")); }
  QString KestrixEeprom() const { return Below(QStringLiteral("eeprom")); }
  QString LarkvaneEeprom() const { return Below(QStringLiteral("LV_Eeprom")); }
  QString UploadFile() const { return LarkvaneEeprom() + QStringLiteral("upload.txt"); }
  QString Reports() const { return Below(QStringLiteral("reports")); }

 private:
  // The folder's path with a separator at its end, as names are joined to it.
  QString Below(const QString& name) const { return QDir(root_).filePath(name) + QLatin1Char('/'); }

  QString root_;
};

}  // namespace ventari
