// ventari: the desktop application.
#include <QApplication>
#include <QCommandLineParser>

#include "app/command_line.h"
#include "ui/application.h"

int main(int argc, char** argv) {
  QApplication qtApp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Ventari"));
  QApplication::setApplicationVersion(QStringLiteral("5.00"));

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
  parser.process(qtApp);

  ventari::Application app(
      {ventari::SettingsFileOption(parser), parser.value(QStringLiteral("port"))});
  return app.Start();
}
