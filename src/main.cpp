// ventari: the desktop application.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include "app/command_line.h"
#include "app/settings.h"
#include "base/version.h"
#include "ui/application.h"
#include "ui/pictures.h"

namespace {

void Describe() {
  QCoreApplication::setApplicationName(QStringLiteral("Ventari"));
  QCoreApplication::setApplicationVersion(QLatin1String(ventari::kVersion));
}

}  // namespace

int main(int argc, char** argv) {
  ventari::Application::Options options;
  {
    // The options are read before any window system is needed, so --help and --version work
    // anywhere.
    QCoreApplication parsing(argc, argv);
    Describe();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Support application for ultrasonic anemometers."));
    parser.addHelpOption();
    parser.addVersionOption();
    ventari::AddSettingsOption(parser);
    parser.addOption(QCommandLineOption(
        QStringLiteral("port"),
        QStringLiteral("Use port <name> for this run (COM3, /dev/ttyUSB0, sim:t7, ...)."),
        QStringLiteral("name")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("simulators"),
        QStringLiteral("List the simulated instruments in the ports dialog even when no simulated "
                       "port is in use.")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("dark"),
        QStringLiteral("Use the dark palette (also when the settings hold %1=true).")
            .arg(QLatin1String(ventari::kDarkPaletteKey))));
    parser.process(parsing);
    options = {ventari::SettingsFileOption(parser), parser.value(QStringLiteral("port")),
               parser.isSet(QStringLiteral("simulators")), parser.isSet(QStringLiteral("dark"))};
  }
  QApplication qtApp(argc, argv);
  Describe();
  QGuiApplication::setDesktopFileName(QLatin1String(ventari::kApplicationId));
  QApplication::setWindowIcon(ventari::ApplicationIcon());
  ventari::Application app(options);
  return app.Start();
}
