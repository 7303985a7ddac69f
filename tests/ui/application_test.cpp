// The desktop application as a user starts it: where the main window opens and which ports the
// ports dialog offers.
#include "ui/application.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include "app/settings.h"
#include "sim/sim_serial_port.h"
#include "ui/frm_main.h"

namespace ventari {
namespace {

class ApplicationTest : public ::testing::Test {
 protected:
  // Settings of an earlier run on `portName`; in service mode no search starts on its own.
  QString StoredSettings(const QString& portName, bool serviceMode = false) {
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    QSettings store(file, QSettings::IniFormat);
    const std::pair<const char*, int> numbers[] = {
        {"Comport", 1},   {"Databits", 8}, {"Parity", 0}, {"Baudrate", 9600},
        {"Averaging", 0}, {"Units", 0},    {"Gust", 0}};
    for (const auto& [name, value] : numbers) store.setValue(name, value);
    store.setValue("PortName", portName);
    if (serviceMode) store.setValue("PrivPword", kPrivilegedWord);
    return file;
  }

  QTemporaryDir dir;
};

TEST_F(ApplicationTest, SimulatedPortsAreOfferedOnlyWhenOneIsInUseOrAskedFor) {
  struct Case {
    const char* storedPort;
    const char* givenPort;  // --port, as the demonstration starts
    bool simulators;
    bool offered;
  };
  const Case cases[] = {{"/dev/ttyUSB7", "", false, false},
                        {"/dev/ttyUSB7", "", true, true},
                        {"sim:kestrix2-heated", "", false, true},
                        {"/dev/ttyUSB7", "sim:kestrix2-heated", false, true}};
  for (const Case& c : cases) {
    Application app({StoredSettings(c.storedPort), c.givenPort, c.simulators});
    app.session().OnFirstShow({});
    EXPECT_EQ(app.AvailablePorts().filter("sim:"),
              c.offered ? sim::SimulatedPorts::Names() : QStringList())
        << c.storedPort << " " << c.givenPort << " " << c.simulators;
  }
}

TEST_F(ApplicationTest, TheMainWindowOpensCentredOnTheScreen) {
  Application app({StoredSettings("sim:kestrix2", /*serviceMode=*/true), QString(), false});
  QPoint centre;
  QPoint screenCentre;
  // Showing the window may run the event loop before Start() enters its own: leave that one,
  // without closing the window.
  QTimer quit;
  QObject::connect(&quit, &QTimer::timeout, [&] {
    centre = app.mainWindow().frameGeometry().center();
    screenCentre = app.mainWindow().screen()->availableGeometry().center();
    QCoreApplication::exit(0);
  });
  quit.start(10);
  app.Start();
  // Within the rounding of the centres and the frame the window system adds.
  EXPECT_LE((centre - screenCentre).manhattanLength(), 10)
      << centre.x() << "," << centre.y() << " on " << screenCentre.x() << "," << screenCentre.y();
}

TEST_F(ApplicationTest, TheAlarmEntryBringsAnOpenAlarmWindowToTheFront) {
  Application app({StoredSettings("sim:kestrix2", /*serviceMode=*/true), QString(), false});
  QString activeAfterSecondChoice;
  QTimer act;
  QObject::connect(&act, &QTimer::timeout, [&] {
    act.stop();
    auto* alarm = app.mainWindow().findChild<QAction*>(QStringLiteral("Alarm"));
    alarm->trigger();
    QCoreApplication::processEvents();
    app.mainWindow().activateWindow();
    QCoreApplication::processEvents();
    alarm->trigger();
    QCoreApplication::processEvents();
    if (QWidget* active = QApplication::activeWindow()) {
      activeAfterSecondChoice = active->metaObject()->className();
    }
    QCoreApplication::exit(0);
  });
  act.start(10);
  app.Start();
  EXPECT_EQ(activeAfterSecondChoice, "ventari::TFrmAlarm");
}

}  // namespace
}  // namespace ventari
