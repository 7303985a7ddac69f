#include "app/command_line.h"

#include <QCommandLineParser>

namespace ventari {
namespace {

const QString kSettingsName = QStringLiteral("settings");

}  // namespace

QCommandLineOption SettingsOption() {
  return QCommandLineOption(
      kSettingsName, QStringLiteral("Use the INI file <file> instead of the user's settings."),
      QStringLiteral("file"));
}

void AddSettingsOption(QCommandLineParser& parser) { parser.addOption(SettingsOption()); }

QString SettingsFileOption(const QCommandLineParser& parser) { return parser.value(kSettingsName); }

}  // namespace ventari
