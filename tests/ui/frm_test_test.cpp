// The production test window mirrors its model: the tabs of the type set, the page the model is
// on (the only one enabled while a run uses the port), the sensor type selection and the
// hardware checks, and forwards the technician's clicks.
#include "ui/frm_test.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "app/settings.h"
#include "service/hardware_checks.h"
#include "service/test_window_model.h"
#include "support/screenshot.h"
#include "support/scripted_prompts.h"
#include "ui/application.h"
#include "ui/frm_main.h"
#include "ui/frm_user_name.h"
#include "ui/hardware_page.h"

namespace ventari {
namespace {

class FrmTestTest : public ::testing::Test {
 protected:
  FrmTestTest() {
    window.SetPageWidget(TestPage::kHardwareDiagnostics, new HardwarePage(checks, nullptr));
    window.Execute();
  }

  // The captions of the tabs shown, in their order.
  QStringList TabsShown() {
    QStringList shown;
    for (int i = 0; i < window.Pages().count(); ++i) shown << window.Pages().tabText(i);
    return shown;
  }

  void Click(const QString& name) {
    auto* button = window.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    button->click();
    window.Sync();
  }

  void SetType(int index) {
    prompts.inputs.assign({QString("012345")});
    window.findChild<QGroupBox*>("AnemometerType")->findChildren<QRadioButton*>()[index]->click();
    Click("BtnSetSensorType");
  }

  ProductionTest test;
  test::ScriptedPrompts prompts;
  TestWindowModel model{test, prompts, [] {}};
  HardwareChecks checks{test, model};
  TFrmTest window{model, {}, nullptr};
};

TEST_F(FrmTestTest, TheTabsAreThePagesOfTheTypeSet) {
  EXPECT_EQ(window.windowTitle(), "Anemometer configuration and test");
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(TabsShown(), QStringList{"&Sensor type"});

  SetType(3);
  EXPECT_EQ(TabsShown(),
            (QStringList{"&Sensor type", "Flash &memory", "&Non volatile memory",
                         "&Hardware diagnostics", "Software &diagnostics", "&Txdr path lengths",
                         "Ca&librate SOS", "Calibrate &analogue outputs"}));
  EXPECT_EQ(window.Pages().currentWidget(), window.PageWidget(TestPage::kFlashMemory));
  EXPECT_TRUE(window.windowIcon().isNull());

  window.Pages().setCurrentIndex(0);  // the technician goes back to the first page
  EXPECT_EQ(test.serialNumber, "");   // a new serial number on entering the page
  SetType(7);
  EXPECT_EQ(TabsShown(), (QStringList{"&Sensor type", "&Non volatile memory", "Se&lect test",
                                      "PART &A - Head tests", "PART &B - Assembly tests",
                                      "PART B - Soft&ware tests", "PART B - Ha&rdware tests",
                                      "PART &C - Final assembly tests"}));
  EXPECT_EQ(window.Pages().currentWidget(), window.PageWidget(TestPage::kSelectTest));
  EXPECT_FALSE(window.windowIcon().isNull());
}

TEST_F(FrmTestTest, WhileTheModelsPortIsBusyOnlyTheActivePageTakesInput) {
  SetType(3);
  const auto enabled = [this] {
    std::vector<bool> tabs;
    for (int i = 0; i < window.Pages().count(); ++i) tabs.push_back(window.Pages().isTabEnabled(i));
    return tabs;
  };
  QPushButton* ok = window.findChild<QPushButton*>("OKBtn");
  ASSERT_NE(ok, nullptr);

  model.SetPortBusy(true);
  window.Sync();
  std::vector<bool> busy(8, false);
  busy[1] = true;  // Flash memory, the active page
  EXPECT_EQ(enabled(), busy);
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_TRUE(window.PageWidget(TestPage::kFlashMemory)->isEnabled());
  test::Keep(window, "test_window_port_busy");

  model.SetPortBusy(false);
  window.Sync();
  EXPECT_EQ(enabled(), std::vector<bool>(8, true));
  EXPECT_TRUE(ok->isEnabled());
}

TEST_F(FrmTestTest, PlaceholderPagesMoveOnAndTheAnalogueOneSaysSo) {
  SetType(0);
  Click("BtnSkip2");
  EXPECT_EQ(model.View().activePage, TestPage::kNonVolatileMemory);
  Click("BtnSkip3");
  EXPECT_EQ(window.Pages().currentWidget(), window.PageWidget(TestPage::kHardwareDiagnostics));
  Click("BtnSkip4");
  Click("BtnSkip5");
  Click("BtnSkip6");
  Click("BtnSkip7");
  EXPECT_EQ(window.Pages().currentWidget(), window.PageWidget(TestPage::kCalibrateAnalogue));
  auto* group = window.PageWidget(TestPage::kCalibrateAnalogue)->findChild<QGroupBox*>("GroupBox3");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->findChild<QLabel*>()->text(), "TBA");
}

TEST_F(FrmTestTest, TheSensorTypePageShowsTheSelectionAndNextWaitsForAType) {
  auto radios = window.findChild<QGroupBox*>("AnemometerType")->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 9);
  EXPECT_EQ(radios[8]->text(), "&9   XEQ");
  Click("BtnSkip1");
  EXPECT_EQ(prompts.Count("Please set the sensor type first."), 1);
  radios[1]->click();
  window.Sync();
  EXPECT_EQ(model.View().anemometerType, 1);
  EXPECT_TRUE(radios[1]->isChecked());
  EXPECT_EQ(window.focusWidget(), window.findChild<QWidget*>("BtnSetSensorType"));
  test::Keep(window, "test_window_sensor_type");

  window.close();
  EXPECT_FALSE(model.View().visible);
  EXPECT_EQ(model.View().anemometerType, -1);
  window.Execute();
  EXPECT_FALSE(radios[1]->isChecked());
  EXPECT_EQ(window.focusWidget(), window.findChild<QWidget*>("BtnSkip1"));
}

TEST_F(FrmTestTest, TheHardwarePageShowsTheInstructionsOfTheCheckUnderTheMouse) {
  SetType(0);
  model.GoTo(TestPage::kHardwareDiagnostics);
  window.Sync();
  auto* page = window.PageWidget(TestPage::kHardwareDiagnostics);
  auto* rx = page->findChild<QCheckBox*>("TestRxWav");
  ASSERT_NE(rx, nullptr);
  EXPECT_EQ(rx->text(), "Check receive waveforms for correct amplitude, shape, ringing && noise");
  page->findChild<QCheckBox*>("TestC54")->click();
  EXPECT_TRUE(test.hardwareChecks[0]);
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(rx, &enter);
  static_cast<HardwarePage*>(page)->Sync();
  const QString memo = page->findChild<QPlainTextEdit*>("Memo2")->toPlainText();
  EXPECT_EQ(memo.split('\n').size(), 6);
  EXPECT_TRUE(memo.startsWith("Connect scope Channel A to monitor TP1 wrt TP3."));
  test::Keep(window, "test_window_hardware_diagnostics");

  // Leaving and coming back clears the ticks.
  model.GoTo(TestPage::kSoftwareDiagnostics);
  model.GoTo(TestPage::kHardwareDiagnostics);
  static_cast<HardwarePage*>(page)->Sync();
  EXPECT_FALSE(page->findChild<QCheckBox*>("TestC54")->isChecked());
}

TEST(TestWindowInTheApplication, TheTestEntryAsksTheOperatorAndOpensTheWindowTillTheRunEnds) {
  QTemporaryDir dir;
  const QString settings = dir.filePath("settings.ini");
  {
    QSettings store(settings, QSettings::IniFormat);
    const std::pair<const char*, int> numbers[] = {
        {"Comport", 1},   {"Databits", 8}, {"Parity", 0}, {"Baudrate", 9600},
        {"Averaging", 0}, {"Units", 0},    {"Gust", 0}};
    for (const auto& [name, value] : numbers) store.setValue(name, value);
    store.setValue("PortName", "sim:kestrix2");
    store.setValue("PrivPword", kPrivilegedWord);
  }
  Application app({settings, QString(), false});
  Session& s = app.session();
  int closed = 0;
  s.service().testWindow.AddCloseHook([&] { ++closed; });
  bool emptyNameRefused = false;
  bool shown = false;
  bool closedWithTheRun = false;
  int workingPages = 0;
  QTimer act;
  QObject::connect(&act, &QTimer::timeout, [&] {
    act.stop();
    auto* window = app.mainWindow().findChild<TFrmTest*>();
    auto* userName = app.mainWindow().findChild<TFrmUserName*>();
    app.mainWindow().findChild<QAction*>("Test1")->trigger();
    userName->UserNameEdit()->clear();
    QTimer::singleShot(20, [] {
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    userName->OkClick();
    emptyNameRefused = userName->isVisible() && !window->isVisible();
    userName->UserNameEdit()->setText("A. Technician");
    userName->OkClick();
    shown = window->isVisible() && s.service().testWindow.View().visible &&
            window->Pages().count() == 1 && !userName->isVisible();
    // A Kestrix II with its serial number held: the flash, EEPROM and diagnostics pages are
    // the working ones.
    s.service().test.serialNumber = "012345";
    s.service().testWindow.AnemometerTypeClick(0);
    s.service().testWindow.BtnSetSensorTypeClick();
    window->Sync();
    for (const char* page : {"BtnProgram1", "BtnProgram2", "BtnStartTest1"}) {
      for (int tab = 0; tab < window->Pages().count(); ++tab) {
        workingPages += window->Pages().widget(tab)->findChild<QWidget*>(page) != nullptr;
      }
    }
    test::Keep(*window, "test_window_flash_memory");
    s.service().testWindow.GoTo(TestPage::kSoftwareDiagnostics);
    window->Sync();
    test::Keep(*window, "test_window_software_diagnostics");
    app.mainWindow().close();
    closedWithTheRun = !window->isVisible() && !s.service().testWindow.View().visible;
    QCoreApplication::exit(0);
  });
  act.start(10);
  app.Start();
  EXPECT_TRUE(emptyNameRefused);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(closedWithTheRun);
  EXPECT_EQ(workingPages, 3);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(s.settings().UserName, "A. Technician");
  EXPECT_EQ(s.service().test.operatorName, "A. Technician");
}

}  // namespace
}  // namespace ventari
