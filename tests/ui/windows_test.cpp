// The windows mirror their models and forward what the user does to them.
#include <QtCore/qtestsupport_core.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

#include "base/main_window_model.h"
#include "support/screenshot.h"
#include "support/sim_session.h"
#include "ui/fixed_pitch_lines.h"
#include "ui/frm_anem_type.h"
#include "ui/frm_data_display.h"
#include "ui/frm_main.h"
#include "ui/frm_ports.h"
#include "ui/frm_user_name.h"
#include "ui/help_window.h"

namespace ventari {
namespace {

using test::Keep;
using test::SimSession;

QAction* ActionNamed(TFrmMain& window, const char* name) {
  return window.findChild<QAction*>(QString::fromLatin1(name));
}

TEST(Windows, TheMainWindowMirrorsTheMenuModelAndLabels) {
  SimSession s;
  TFrmMain window(s.session.window(), s.session.statusLine(), s.session.publishing());
  EXPECT_EQ(window.windowTitle(), "Ventari");
  EXPECT_FALSE(ActionNamed(window, "DataDisplay")->isVisible());
  EXPECT_FALSE(ActionNamed(window, "Test1")->isEnabled());

  s.session.window().menu.Show(MenuId::kDataDisplay);
  s.session.window().menu.Check(MenuId::kPolarcontinuous);
  s.session.window().menu.SetCaption(MenuId::kResynchronise, "&Stop resync");
  s.session.window().SetSearchingLabelVisible(true);
  window.SyncFromModel();
  EXPECT_TRUE(ActionNamed(window, "DataDisplay")->isVisible());
  EXPECT_TRUE(ActionNamed(window, "Polarcontinuous")->isChecked());
  EXPECT_EQ(ActionNamed(window, "Resynchronise")->text(), "&Stop resync");
  bool labelShown = false;
  for (auto* label : window.findChildren<QLabel*>()) {
    if (label->text() == "Please wait, searching...") labelShown = !label->isHidden();
  }
  EXPECT_TRUE(labelShown);
  s.session.window().SetSearchingLabelVisible(false);
  window.SyncFromModel();
}

TEST(Windows, ThePortNoticeFollowsTheModelBelowThePleaseWaitLabels) {
  SimSession s;
  MainWindowModel& model = s.session.window();
  TFrmMain window(model, s.session.statusLine(), s.session.publishing());
  window.show();
  auto* notice = window.findChild<QLabel*>(QStringLiteral("PortNotice"));
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->isHidden());
  model.SetSearchingLabelVisible(true);
  model.SetBusyLabelVisible(true);
  const QString notices[] = {"COM5 lost - waiting for it to return",
                             "/dev/ttyUSB0 lost - waiting for it to return",
                             "COM5 found again: Kestrix II at 9600 baud", ""};
  for (const QString& text : notices) {
    model.SetPortNotice(text);
    // The window follows the model by itself, on a later turn of the event loop.
    ASSERT_TRUE(QTest::qWaitFor([&] { return notice->text() == text; })) << text.toStdString();
    EXPECT_EQ(notice->isHidden(), text.isEmpty()) << text.toStdString();
    if (text.isEmpty()) continue;
    QCoreApplication::sendPostedEvents();
    const QRect shownAt = notice->geometry();
    EXPECT_TRUE(window.centralWidget()->rect().contains(shownAt)) << text.toStdString();
    EXPECT_GE(shownAt.height(), notice->heightForWidth(shownAt.width())) << text.toStdString();
    for (auto* label : window.findChildren<QLabel*>()) {
      if (label->text().startsWith("Please wait")) {
        EXPECT_FALSE(label->geometry().intersects(shownAt)) << label->text().toStdString();
      }
    }
  }
}

TEST(Windows, ScreenshotsOfTheMainWindowWhileThePortIsLostAndOnceItReturns) {
  SimSession s;
  TFrmMain window(s.session.window(), s.session.statusLine(), s.session.publishing());
  window.show();
  s.StartAndSearch(QStringLiteral("sim:kestrix2"));
  ASSERT_TRUE(s.session.commands().discovery.Found());
  sim::LineModel& line = s.InstrumentOn(QStringLiteral("sim:kestrix2")).Line();
  line.Vanish();
  s.rt.RunFor(1'000);
  const auto keep = [&](const char* name) {
    window.SyncFromModel();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("PortNotice"))->isVisible()) << name;
    Keep(window, name);
  };
  keep("main_port_lost");
  line.Return();
  s.rt.RunFor(PortRecovery::kReturnNoticeMs / 2);
  EXPECT_TRUE(s.session.window().PortNotice().contains(QStringLiteral("found again")));
  keep("main_port_found_again");
}

TEST(Windows, AMenuCommandRunsAndItsErrorIsShownWithoutEndingTheRun) {
  SimSession s;
  TFrmMain window(s.session.window(), s.session.statusLine(), s.session.publishing());
  int ran = 0;
  window.SetCommand(MenuId::kGraph1, [&] { ++ran; });
  ActionNamed(window, "Graph1")->trigger();
  EXPECT_EQ(ran, 1);
}

TEST(Windows, ThePortsDialogEnablesSetOnlyAfterAClickAndSetsThePort) {
  SimSession s;
  s.Start("sim:kestrix2-heated");
  TFrmMain main(s.session.window(), s.session.statusLine(), s.session.publishing());
  TFrmPorts dialog(s.session.commands().portsDialog, main);
  s.session.commands().portsDialog.Show({"COM1", "sim:t7"});
  auto* list = dialog.findChild<QListWidget*>("LbPorts");
  auto* set = dialog.findChild<QPushButton*>("BtnSetPort");
  ASSERT_TRUE(list && set);
  list->addItems(s.session.commands().portsDialog.model.ports);
  dialog.show();
  Keep(dialog, "ports");
  EXPECT_EQ(dialog.windowTitle(), "Ports");
  emit list->itemClicked(list->item(1));
  EXPECT_TRUE(set->isEnabled());
  set->click();
  EXPECT_EQ(s.session.link().port.Name(), "sim:t7");
  EXPECT_EQ(s.prompts.Count("Please Resynchronise."), 1);
}

TEST(Windows, TheAnemometerTypeScreenShowsPlaceholdersThenTheIdentity) {
  SimSession s;
  TFrmAnemType screen(s.session.anemometer().state, nullptr);
  screen.Sync();
  EXPECT_EQ(screen.findChild<QLabel*>("SoftwareVerLabel")->text(), "x.xx");
  EXPECT_EQ(screen.findChild<QLabel*>("SerialNumberLabel")->text(), " xxxxxx");
  EXPECT_EQ(screen.findChild<QLabel*>("LaAnemType")->text(), "xxxxxxxxxxxxxxxxxxxxxxxx");
  s.StartAndSearch("sim:kestrix2-heated");
  screen.Sync();
  screen.show();
  Keep(screen, "anemometer_type");
  EXPECT_EQ(screen.findChild<QLabel*>("LaAnemType")->text(), "Heated Kestrix 2");
  EXPECT_EQ(screen.findChild<QLabel*>("SoftwareVerLabel")->text(),
            s.session.anemometer().state.SoftwareVersion);
  EXPECT_FALSE(screen.findChild<QLabel*>("Image1")->pixmap().isNull());
}

TEST(Windows, TheUserNameScreenInsistsOnAName) {
  SimSession s;
  QString accepted;
  TFrmUserName screen(
      s.prompts, [&](const QString& name) { accepted = name; }, nullptr);
  screen.show();
  EXPECT_EQ(screen.UserNameEdit()->maxLength(), 30);
  screen.OkClick();
  EXPECT_EQ(s.prompts.Count("You MUST enter a user name!"), 1);
  EXPECT_EQ(s.prompts.Messages().back().caption, "ERROR");
  EXPECT_TRUE(accepted.isEmpty());
  screen.UserNameEdit()->setText("J. Tester");
  screen.OkClick();
  EXPECT_EQ(accepted, "J. Tester");
}

// Makes `window` the active window, as a click on it would.
bool Activate(QWidget& window) {
  window.activateWindow();
  for (int i = 0; i < 100 && QApplication::activeWindow() != &window; ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return QApplication::activeWindow() == &window;
}

TEST(Windows, TheUserNameScreenIsEmptiedAndTakesTheFocusEachTimeItBecomesActive) {
  SimSession s;
  TFrmUserName screen(s.prompts, {}, nullptr);
  QWidget elsewhere;
  screen.show();
  elsewhere.show();
  QLineEdit* field = screen.UserNameEdit();
  for (const char* typed : {"J. Tester", "stale"}) {
    ASSERT_TRUE(Activate(elsewhere));
    field->setText(typed);
    // Back to the screen without hiding it.
    ASSERT_TRUE(Activate(screen));
    EXPECT_TRUE(field->text().isEmpty()) << typed;
    EXPECT_TRUE(field->hasFocus()) << typed;
  }
}

TEST(Windows, TheHelpTellsHowToConnectAndFindTheAnemometer) {
  HelpWindow help(nullptr);
  help.ShowTopic("Contents");
  Keep(help, "help");
  const QString html = help.Html();
  EXPECT_TRUE(html.contains("Connecting an anemometer"));
  EXPECT_TRUE(html.contains("Resynchronise"));
}

TEST(Windows, ScreenshotOfTheMainWindowAfterIdentification) {
  SimSession s;
  s.StartAndSearch("sim:kestrix2-heated");
  TFrmMain window(s.session.window(), s.session.statusLine(), s.session.publishing());
  window.show();
  Keep(window, "main_identified");
  EXPECT_TRUE(ActionNamed(window, "DataDisplay")->isVisible());
  EXPECT_TRUE(ActionNamed(window, "Heating")->isVisible());
}

TEST(Windows, TheDataDisplayShowsStreamingRecordsAndMirrorsItsLogControls) {
  SimSession s;
  s.StartAndSearch("sim:kestrix2-heated");
  TFrmDataDisplay window(s.session.displays().dataDisplay, nullptr);
  s.rt.RunFor(6000);
  window.Sync();
  window.show();
  Keep(window, "data_display");
  auto* text = window.findChild<FixedPitchLines*>("ReTerminal");
  EXPECT_GE(text->LineCount(), 5);
  EXPECT_TRUE(text->Text().contains("Q,"));
  EXPECT_EQ(window.findChild<QPushButton*>("BtnLog")->text(), "&Start logging");
  EXPECT_TRUE(window.findChild<QCheckBox*>("CbTsd")->isChecked());
  EXPECT_TRUE(window.findChild<QWidget*>("Segment")->isHidden());
  window.findChild<QCheckBox*>("CbSeg")->click();
  EXPECT_TRUE(s.session.displays().dataDisplay.Segmented());
  EXPECT_FALSE(window.findChild<QWidget*>("Segment")->isHidden());
}

}  // namespace
}  // namespace ventari
