// The desktop application as a user starts it: where the main window opens, which ports the
// ports dialog offers, and what its menu entries open.
#include "ui/application.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include "app/settings.h"
#include "sim/sim_serial_port.h"
#include "support/dark_palette_scope.h"
#include "support/file_contents.h"
#include "ui/colour_contrast.h"
#include "ui/fixed_pitch_lines.h"
#include "ui/frm_3axis_config.h"
#include "ui/frm_graph.h"
#include "ui/frm_main.h"
#include "ui/frm_tab_disp.h"
#include "ui/frm_terminal.h"

namespace ventari {
namespace {

class ApplicationTest : public ::testing::Test {
 protected:
  // Settings of an earlier run on `portName` at `baud`; in service mode no search starts on its
  // own.
  QString StoredSettings(const QString& portName, bool serviceMode = false, int baud = 9600) {
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    QSettings store(file, QSettings::IniFormat);
    store.clear();  // nothing left of an earlier run in the same test
    const std::pair<const char*, int> numbers[] = {
        {"Comport", 1},   {"Databits", 8}, {"Parity", 0}, {"Baudrate", baud},
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

TEST_F(ApplicationTest, TheDarkPaletteIsUsedWhenTheCommandLineOrTheSettingsAskForIt) {
  struct Case {
    bool stored;
    bool option;  // --dark
    bool dark;
  };
  const Case cases[] = {{false, false, false}, {true, false, true}, {false, true, true}};
  for (const Case& c : cases) {
    const test::DarkPaletteScope restored(/*dark=*/false);
    const QString file = StoredSettings(QStringLiteral("sim:kestrix2"));
    QSettings(file, QSettings::IniFormat).setValue(kDarkPaletteKey, c.stored);
    const Application app({file, QString(), false, c.option});
    EXPECT_EQ(IsDark(QApplication::palette().color(QPalette::Window)), c.dark)
        << c.stored << " " << c.option;
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

TEST_F(ApplicationTest, FileExitSavesTheSettingsAndEndsTheApplication) {
  const QString file = StoredSettings("sim:kestrix2", /*serviceMode=*/true);
  QSettings(file, QSettings::IniFormat).remove("Gust");
  Application app({file, QString(), false});
  bool endedByItself = true;
  QTimer exit;
  QObject::connect(&exit, &QTimer::timeout, [&app, &exit] {
    exit.stop();
    app.mainWindow().findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
  });
  QTimer giveUp;
  QObject::connect(&giveUp, &QTimer::timeout, [&endedByItself] {
    endedByItself = false;
    QCoreApplication::exit(1);
  });
  exit.start(100);
  giveUp.start(30000);
  app.Start();
  EXPECT_TRUE(endedByItself);
  EXPECT_FALSE(app.mainWindow().isVisible());
  EXPECT_TRUE(QSettings(file, QSettings::IniFormat).contains("Gust"));
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

TEST_F(ApplicationTest, TheTerminalEntryShowsTheTerminalAndThenAWarningOnlyInPrivilegedMode) {
  const QString warning(
      "Manual changes to Anemometer settings within Terminal will not be updated within the "
      "Ventari menu system.");
  for (const bool privileged : {true, false}) {
    Application app({StoredSettings("sim:kestrix2", privileged), QString(), false});
    Session& s = app.session();
    TFrmTerminal* terminal = nullptr;  // made by the start
    bool ready = false;
    bool terminalShownUnderMessage = false;
    QStringList messages;
    // The message waits in its own event loop: read it and close it there.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      terminalShownUnderMessage = terminal->isVisible();
      messages << box->windowTitle() + ": " + box->text();
      box->accept();
    });
    // In privileged mode nothing runs on its own; otherwise the search identifies the
    // anemometer first and lets go of the window.
    QElapsedTimer waited;
    waited.start();
    QTimer act;
    QObject::connect(&act, &QTimer::timeout, [&] {
      ready = privileged ||
              (s.window().menu.Entry(MenuId::kDataDisplay).visible && s.window().Enabled());
      if (!ready && waited.elapsed() < 60000) return;
      act.stop();
      terminal = app.mainWindow().findChild<TFrmTerminal*>();
      if (ready) {
        answer.start(20);
        app.mainWindow().findChild<QAction*>(QStringLiteral("Terminal1"))->trigger();
        QCoreApplication::processEvents();
      }
      QCoreApplication::exit(0);
    });
    act.start(50);
    app.Start();
    ASSERT_TRUE(ready && terminal) << privileged;
    EXPECT_EQ(terminal->isVisible(), privileged);
    EXPECT_EQ(terminalShownUnderMessage, privileged);
    EXPECT_EQ(messages, privileged ? QStringList{"Warning: " + warning} : QStringList{})
        << messages.join('\n').toStdString();
  }
}

TEST_F(ApplicationTest, TheTabularEntryShowsTheTableAndClosingTheRunEndsItsLog) {
  Application app({StoredSettings("sim:t7", /*serviceMode=*/false, 19200), QString(), false});
  Session& s = app.session();
  TabularDisplay& model = s.displays().tabular;
  const QString log = dir.filePath(QStringLiteral("closing.log"));
  bool identified = false;
  bool shown = false;
  QStringList tableAfterSecondChoice;
  QByteArray logAfterClose;
  // The log's file is chosen in the save dialog once it is open.
  QTimer choose;
  QObject::connect(&choose, &QTimer::timeout, [&] {
    auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!chooser) return;
    choose.stop();
    chooser->selectFile(log);
    static_cast<QDialog*>(chooser)->accept();
  });
  // Acts once the search has identified the anemometer and let go of the window; the search
  // waits in event loops of its own, which must not be held up.
  QElapsedTimer waited;
  waited.start();
  QTimer act;
  QObject::connect(&act, &QTimer::timeout, [&] {
    identified = s.window().menu.Entry(MenuId::kTabular).visible && s.window().Enabled();
    if (!identified && waited.elapsed() < 60000) return;
    act.stop();
    if (!identified) {
      QCoreApplication::exit(0);
      return;
    }
    auto* tabular = app.mainWindow().findChild<QAction*>(QStringLiteral("Tabular"));
    auto* window = app.mainWindow().findChild<TFrmTabDisp*>();
    model.AddLine(QStringLiteral("before the window"));
    tabular->trigger();
    shown = window->isVisible() && s.commands().liveCommands.IsShown(LiveWindowKind::kTabular) &&
            model.ScreenLines().empty();
    model.AddLine(QStringLiteral("00 00   +01.23"));
    tabular->trigger();  // already shown: only brought to the front
    window->Sync();
    tableAfterSecondChoice =
        window->findChild<FixedPitchLines*>(QStringLiteral("Memo1"))->Text().split('\n');

    choose.start(20);
    window->findChild<QPushButton*>(QStringLiteral("BtnLogging"))->click();
    app.mainWindow().close();
    logAfterClose = test::FileContents(log);
    QCoreApplication::exit(0);
  });
  act.start(50);
  app.Start();
  ASSERT_TRUE(identified);
  EXPECT_TRUE(shown);
  EXPECT_EQ(tableAfterSecondChoice, QStringList{"00 00   +01.23"});
  EXPECT_FALSE(model.Logging());
  EXPECT_EQ(model.Panel1Text(), "Log file closed.");
  EXPECT_TRUE(logAfterClose.contains("Serial no.:")) << logAfterClose.toStdString();
  EXPECT_TRUE(logAfterClose.contains("Sa Sb")) << logAfterClose.toStdString();
  EXPECT_FALSE(s.commands().liveCommands.IsShown(LiveWindowKind::kTabular));
  EXPECT_FALSE(app.mainWindow().findChild<TFrmTabDisp*>()->isVisible());
}

TEST_F(ApplicationTest, TheSetupEntryClosesTheGraphFirstAndShowsTheSetupModally) {
  Application app({StoredSettings("sim:t7", /*serviceMode=*/false, 19200), QString(), false});
  Session& s = app.session();
  bool identified = false;
  bool graphShown = false;
  bool graphClosed = false;
  bool setupShown = false;
  bool mainDisabled = false;
  QTimer inSetup;
  QObject::connect(&inSetup, &QTimer::timeout, [&] {
    auto* setup = qobject_cast<TFrm3AxisConfig*>(QApplication::activeModalWidget());
    if (!setup) return;
    inSetup.stop();
    graphClosed = !app.mainWindow().findChild<TFrmGraph*>()->isVisible() &&
                  !s.commands().liveCommands.IsShown(LiveWindowKind::kGraph);
    setupShown = s.commands().setup.Shown();
    mainDisabled = !s.window().Enabled();
    setup->findChild<QPushButton*>(QStringLiteral("BtnClose"))->click();
  });
  QElapsedTimer waited;
  waited.start();
  QTimer act;
  QObject::connect(&act, &QTimer::timeout, [&] {
    identified = s.window().menu.Entry(MenuId::kMi3AxisConfig).visible && s.window().Enabled();
    if (!identified && waited.elapsed() < 60000) return;
    act.stop();
    if (identified) {
      app.mainWindow().findChild<QAction*>(QStringLiteral("Graph1"))->trigger();
      graphShown = app.mainWindow().findChild<TFrmGraph*>()->isVisible();
      inSetup.start(20);
      app.mainWindow().findChild<QAction*>(QStringLiteral("Mi3AxisConfig"))->trigger();
    }
    QCoreApplication::exit(0);
  });
  act.start(50);
  app.Start();
  ASSERT_TRUE(identified);
  EXPECT_TRUE(graphShown);
  EXPECT_TRUE(graphClosed);
  EXPECT_TRUE(setupShown);
  EXPECT_TRUE(mainDisabled);
  EXPECT_FALSE(s.commands().setup.Shown());
  EXPECT_TRUE(s.window().Enabled());
  EXPECT_FALSE(s.link().channel.InConfigMode());
}

}  // namespace
}  // namespace ventari
