// The terminal window mirrors its model and forwards what is typed: a configuration-mode exchange
// and live data from a simulated Kestrix II, keys and the Insert key, the capture's menu entry
// and status, and a repaint rate a continuous stream cannot push past 25 a second.
#include "ui/frm_terminal.h"

#include <QtCore/qtestsupport_core.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "support/screenshot.h"
#include "support/sim_session.h"
#include "ui/view_refresh.h"

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

  // Typed into the terminal key by key, a line ends with Return; then the anemometer answers.
  void TypeLine(const QString& line) {
    for (const QChar c : line) Press(frm.Terminal1(), 0, QString(c));
    Press(frm.Terminal1(), Qt::Key_Return, QStringLiteral("\r"));
    s.rt.RunFor(1000);
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
  s.rt.RunFor(15000);
  frm.Sync();
  EXPECT_TRUE(frm.Terminal1().toPlainText().contains(QStringLiteral("^BQ,")));
  Keep(QStringLiteral("terminal_live_data"));
}

TEST_F(TerminalWindow, AConfigurationExchangeTypedIntoItShowsTheAnswers) {
  s.rt.RunFor(2000);
  Press(frm.Terminal1(), Qt::Key_Asterisk, QStringLiteral("*"));
  s.rt.RunFor(1000);
  TypeLine(QStringLiteral("D1"));
  TypeLine(QStringLiteral("D2"));
  TypeLine(QStringLiteral("D3"));
  frm.Sync();
  const QString shown = frm.Terminal1().toPlainText();
  const QString answers[] = {"CONFIGURATION MODE", "D1", "D2", "D3", "A0 B", " Z"};
  for (const QString& answer : answers) {
    EXPECT_TRUE(shown.contains(answer)) << answer.toStdString() << " in " << shown.toStdString();
  }
  EXPECT_FALSE(shown.section(QStringLiteral("CONFIGURATION MODE"), 1).contains(QChar(0x02)));
  Keep(QStringLiteral("terminal_configuration_typed"));
}

TEST_F(TerminalWindow, AContinuousStreamRepaintsItAtMostTwentyFiveTimesASecond) {
  int repaints = 0;
  QObject::connect(&frm.Terminal1(), &QPlainTextEdit::textChanged, [&] { ++repaints; });
  QElapsedTimer clock;
  clock.start();
  int sent = 0;
  while (clock.elapsed() < 1000) {
    // A few messages between turns of the event loop, each differing as the wind does, so each
    // one changes the screen.
    for (int i = 0; i < 4; ++i) {
      const QByteArray message =
          QStringLiteral("\x02Q,045,%1,M,00,\x03\r\n").arg(++sent, 6, 10, QChar('0')).toLatin1();
      model.Receive({reinterpret_cast<const std::uint8_t*>(message.constData()),
                     static_cast<std::size_t>(message.size())});
    }
    QTest::qWait(5);
  }
  const QString last = model.Screen().Text();
  EXPECT_TRUE(QTest::qWaitFor([&] { return frm.Terminal1().toPlainText() == last; }));
  // One repaint right away, then at most one per interval; Qt's coarse timers may fire up to 5%
  // early.
  const double intervals = clock.elapsed() / (0.95 * ViewRefresh::kMinIntervalMs);
  EXPECT_LE(repaints, 1 + static_cast<int>(intervals)) << sent << " messages";
  EXPECT_LT(repaints, sent / 2);
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

TEST_F(TerminalWindow, AScrollBackPlaceStaysOnItsTextWhileDataArrive) {
  const auto receive = [this](int lines) {
    for (int i = 0; i < lines; ++i) {
      const QByteArray line = QStringLiteral("line %1\r\n").arg(i).toLatin1();
      model.Receive({reinterpret_cast<const std::uint8_t*>(line.constData()),
                     static_cast<std::size_t>(line.size())});
    }
    const QString text = model.Screen().Text();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frm.Terminal1().toPlainText() == text; }));
  };
  const auto topLine = [this] { return frm.Terminal1().cursorForPosition({4, 4}).block().text(); };
  const struct {
    int before;  // lines received before the user scrolls
    int place;   // where the user scrolls to
  } cases[] = {
      {200, 50}, {1100, 100},  // the scroll-back is full: lines leave its top
  };
  Press(frm.Terminal1(), Qt::Key_Insert);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    model.ClearTerminal();
    receive(c.before);
    frm.Terminal1().verticalScrollBar()->setValue(c.place);
    const QString shown = topLine();
    receive(10);
    EXPECT_EQ(topLine(), shown);
  }
}

TEST_F(TerminalWindow, TheLogEntryFollowsTheCapture) {
  const QString path = s.dir.filePath(QStringLiteral("shown.dat"));
  s.prompts.files.push_back(path);
  frm.Datalogging1().trigger();
  frm.Sync();
  EXPECT_EQ(frm.Datalogging1().text(), "&Stop log file");
  EXPECT_EQ(frm.StatusSection(1).text(), " Logging data to ..." + path);
  s.rt.RunFor(5000);
  frm.Sync();
  Keep(QStringLiteral("terminal_capture_on"));
  frm.Datalogging1().trigger();
  frm.Sync();
  EXPECT_EQ(frm.Datalogging1().text(), "&Start log file");
  EXPECT_EQ(frm.StatusSection(1).text(), " Log file " + path + " closed");
}

}  // namespace
}  // namespace ventari
