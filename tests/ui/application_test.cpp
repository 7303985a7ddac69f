// The desktop application as a user starts it: which ports the ports dialog offers.
#include "ui/application.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "sim/sim_serial_port.h"

namespace ventari {
namespace {

class ApplicationTest : public ::testing::Test {
 protected:
  // Settings of an earlier run on `portName`.
  QString StoredSettings(const QString& portName) {
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    QSettings store(file, QSettings::IniFormat);
    const std::pair<const char*, int> numbers[] = {
        {"Comport", 1},   {"Databits", 8}, {"Parity", 0}, {"Baudrate", 9600},
        {"Averaging", 0}, {"Units", 0},    {"Gust", 0}};
    for (const auto& [name, value] : numbers) store.setValue(name, value);
    store.setValue("PortName", portName);
    return file;
  }

  static QStringList SimulatedOffered(const Application& app) {
    return app.AvailablePorts().filter(QStringLiteral("sim:"));
  }

  QTemporaryDir dir;
};

TEST_F(ApplicationTest, SimulatedPortsAreOfferedOnlyWhenOneIsInUseOrAskedFor) {
  const QStringList simulated = sim::SimulatedPorts::Names();
  struct Case {
    const char* storedPort;
    bool simulators;
    bool offered;
  };
  const Case cases[] = {
      {"/dev/ttyUSB7", false, false},
      {"/dev/ttyUSB7", true, true},
      {"sim:kestrix2-heated", false, true},
  };
  for (const Case& c : cases) {
    Application app({StoredSettings(c.storedPort), QString(), c.simulators});
    app.session().OnFirstShow({});
    EXPECT_EQ(SimulatedOffered(app), c.offered ? simulated : QStringList())
        << c.storedPort << " " << c.simulators;
  }
  // A simulated port given for the run, as the demonstration starts.
  Application demo({StoredSettings("/dev/ttyUSB7"), "sim:kestrix2-heated", false});
  demo.session().OnFirstShow({});
  EXPECT_EQ(SimulatedOffered(demo), simulated);
}

}  // namespace
}  // namespace ventari
