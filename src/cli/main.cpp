// ventari-cli: the headless Ventari. Finds and identifies the anemometer on a port, streams
// and logs its data, and runs the service tasks, with the same code as the desktop application.
#include <QCoreApplication>

#include "base/version.h"
#include "cli/command_line.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("ventari-cli"));
  QCoreApplication::setApplicationVersion(QLatin1String(ventari::kVersion));
  return ventari::RunCommandLine(app.arguments());
}
