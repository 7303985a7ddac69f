// The terminal window mirrors its model and forwards what is typed: a configuration-mode exchange
// and live data from a simulated Kestrix II, keys and the Insert key, the capture's menu entry
// and status.
#include "ui/frm_terminal.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "support/screenshot.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

void Press(QWidget& widget, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&widget, &press);
}

class TerminalWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    s.Start(QStringLiteral("sim:kestrix2"));
    frm.show();
  }
  QStringList MenuTexts() const {
    QStringList texts;
    for (const QAction* action : frm.menuBar()->actions()) texts << action->text();
    return texts;
  }

  // Lays the window out as the event loop would before it is painted.
  void Keep(const QString& name) {
    QCoreApplication::sendPostedEvents();
    test::Keep(frm, name);
  }

  test::SimSession s;
  TerminalModel& model = s.session.link().terminal;
  TFrmTerminal frm{model};
};

TEST_F(TerminalWindow, ShowsTheExchangeAndLiveDataWithThePortInTheStatusLine) {
  EXPECT_EQ(frm.windowTitle(), "Terminal");
  EXPECT_EQ(MenuTexts(), (QStringList{"&File", "&Communications", "&Start log file", "&Help"}));
  EXPECT_FALSE(frm.menuBar()->actions().last()->isEnabled());
  s.session.commands().discovery.OnActivate();
  frm.Sync();
  EXPECT_TRUE(frm.Terminal1().toPlainText().contains("CONFIGURATION MODE"));
  EXPECT_EQ(frm.StatusSection(0).text(), " sim:kestrix2 8 None 1 9600");
  Keep(QStringLiteral("terminal_configuration_exchange"));
  s.rt.RunFor(3000);
  frm.Sync();
  EXPECT_TRUE(frm.Terminal1().toPlainText().contains(QStringLiteral("^BQ,")));
  Keep(QStringLiteral("terminal_live_data"));
}

TEST_F(TerminalWindow, TypedKeysGoToThePortAndInsertSwitchesScrollBack) {
  s.session.commands().discovery.OnActivate();
  const auto sentBefore = s.tap.Writes().size();
  Press(frm.Terminal1(), Qt::Key_D, QStringLiteral("D"));
  Press(frm.Terminal1(), Qt::Key_1, QStringLiteral("1"));
  Press(frm.Terminal1(), Qt::Key_Backspace, QStringLiteral("\b"));
  Press(frm.Terminal1(), Qt::Key_Return, QStringLiteral("\r"));
  Press(frm.Terminal1(), Qt::Key_Left);
  std::string sent;
  for (auto i = sentBefore; i < s.tap.Writes().size(); ++i) sent += s.tap.Writes()[i].bytes;
  EXPECT_EQ(sent, "D1\x7f\r");
  Press(frm.Terminal1(), Qt::Key_Insert);
  EXPECT_TRUE(model.Screen().ScrollBack());
}

TEST_F(TerminalWindow, TheLogEntryFollowsTheCapture) {
  const QString path = s.dir.filePath(QStringLiteral("shown.dat"));
  s.prompts.files.push_back(path);
  frm.Datalogging1().trigger();
  frm.Sync();
  EXPECT_EQ(frm.Datalogging1().text(), "&Stop log file");
  EXPECT_EQ(frm.StatusSection(1).text(), " Logging data to ..." + path);
  Keep(QStringLiteral("terminal_capture_on"));
  frm.Datalogging1().trigger();
  frm.Sync();
  EXPECT_EQ(frm.Datalogging1().text(), "&Start log file");
  EXPECT_EQ(frm.StatusSection(1).text(), " Log file " + path + " closed");
}

}  // namespace
}  // namespace ventari
