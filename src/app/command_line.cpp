#include "app/command_line.h"

#include <QCommandLineParser>
#include <QDir>

#include "app/settings.h"

namespace ventari {
namespace {

const QString kSettingsName = QStringLiteral("settings");

}  // namespace

QCommandLineOption SettingsOption() {
  QString store = Settings::UserStoreLocation();
  if (const QString home = QDir::homePath() + QLatin1Char('/'); store.startsWith(home)) {
    store.replace(0, home.size(), QStringLiteral("~/"));
  }
  return QCommandLineOption(
      kSettingsName,
      QStringLiteral("Use the INI file <file> instead of the user's settings (%1).").arg(store),
      QStringLiteral("file"));
}

void AddSettingsOption(QCommandLineParser& parser) { parser.addOption(SettingsOption()); }

QString SettingsFileOption(const QCommandLineParser& parser) { return parser.value(kSettingsName); }

}  // namespace ventari
