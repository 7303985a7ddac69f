// Windows follow their models by themselves: a change shows on a later turn of the event loop,
// and a fast stream of changes repaints a window at most once every 40 ms. A window that only
// shows its model does nothing while hidden and shows the model as it is when shown.
#include "ui/view_refresh.h"

#include <QtCore/qtestsupport_core.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <span>

#include "support/sim_session.h"
#include "ui/fixed_pitch_lines.h"
#include "ui/frm_alarm.h"
#include "ui/frm_data_display.h"
#include "ui/frm_graph.h"
#include "ui/frm_terminal.h"
#include "ui/frm_windsock.h"

namespace ventari {
namespace {

using test::SimSession;

// A view of one number: what it shows and how often it was brought up to date.
struct CountingView {
  explicit CountingView(ChangeNotifier& changed)
      : refresh(&owner, changed, [this] {
          ++syncs;
          shown = value;
        }) {}

  QObject owner;
  int value = 0;
  int shown = 0;
  int syncs = 0;
  ViewRefresh refresh;
};

TEST(ViewRefreshTest, ChangesInOneTurnOfTheEventLoopShowInOneSync) {
  ChangeNotifier changed;
  CountingView view(changed);
  for (int i = 1; i <= 50; ++i) {
    view.value = i;
    changed.Notify();
  }
  EXPECT_EQ(view.syncs, 0);  // nothing is drawn while the model is busy
  EXPECT_TRUE(QTest::qWaitFor([&] { return view.shown == 50; }));
  QTest::qWait(3 * ViewRefresh::kMinIntervalMs);
  EXPECT_EQ(view.syncs, 1);
}

TEST(ViewRefreshTest, AFiftyHertzStreamSyncsAtMostTwentyFiveTimesASecond) {
  ChangeNotifier changed;
  CountingView view(changed);
  QElapsedTimer clock;
  clock.start();
  for (int i = 1; i <= 50; ++i) {
    view.value = i;
    changed.Notify();
    QTest::qWait(20);
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return view.shown == 50; }));
  // One sync right away, then at most one per interval; Qt's coarse timers may fire up to 5%
  // early. A slow machine stretches the second and only lowers the count.
  const double intervals = clock.elapsed() / (0.95 * ViewRefresh::kMinIntervalMs);
  EXPECT_LE(view.syncs, 1 + static_cast<int>(intervals));
  EXPECT_LT(view.syncs, 50);
}

// Every live window with its model, on one session.
class FollowingTest : public ::testing::Test {
 protected:
  SimSession s;
  TFrmGraph graph{s.session.displays().graph};
  TFrmWindsock windsock{s.session.displays().windsockWindow};
  TFrmDataDisplay dataDisplay{s.session.displays().dataDisplay, nullptr};
  TFrmAlarm alarm{s.session.displays().alarm};
};

TEST_F(FollowingTest, EachWindowShowsItsModelsChangeOnALaterTurnOfTheEventLoop) {
  struct Case {
    const char* what;
    std::function<void()> change;
    std::function<bool()> shown;
  };
  auto text = [](QWidget& window, const char* name) {
    return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
  };
  const Case cases[] = {
      {"graph labels", [this] { s.session.displays().graph.SetPresentation(false); },
       [this, text] { return text(graph, "Key2") == s.session.displays().graph.View().key2.text; }},
      {"graph pause caption", [this] { s.session.displays().graph.PauseClick(); },
       [this] { return graph.findChild<QPushButton*>("Pause1")->text() == "&Continue"; }},
      {"windsock read-outs", [this] { s.session.displays().windsockWindow.ShowSample(45, 12.5); },
       [this, text] { return text(windsock, "Label3") == "12.50"; }},
      {"windsock W axis", [this] { s.session.displays().windsockWindow.ShowWAxis(false); },
       [this] { return windsock.findChild<QGroupBox*>("GroupBox1")->isHidden(); }},
      {"data display lines",
       [this] {
         s.session.displays().dataDisplay.ShowRecord("\x02Q,001,000.10,M,00,\x03\r\n");
         s.session.displays().dataDisplay.ShowRecord("\x02Q,002,000.20,M,00,\x03\r\n");
       },
       [this] {
         const QString text = dataDisplay.findChild<FixedPitchLines*>("ReTerminal")->Text();
         return text.count("Q,00") == 2 && text.startsWith("Q,001") && text.contains("\nQ,002");
       }},
      {"data display log controls",
       [this] { s.session.displays().dataDisplay.StartLogging(s.dir.filePath("w.log")); },
       [this] { return dataDisplay.findChild<QPushButton*>("BtnLog")->text() == "&Stop logging"; }},
      {"alarm window shown", [this] { s.session.displays().alarm.Show(); },
       [this] { return alarm.isVisible(); }},
  };
  graph.show();
  windsock.show();
  dataDisplay.show();
  for (const Case& c : cases) {
    c.change();
    EXPECT_FALSE(c.shown()) << c.what << ": shown before the event loop turned";
    EXPECT_TRUE(QTest::qWaitFor([&] { return c.shown(); })) << c.what;
  }
  s.session.displays().dataDisplay.StopLogging();
}

TEST_F(FollowingTest, AHiddenWindowIsLeftAsItIsAndShowsTheModelAtOnceWhenShown) {
  TFrmTerminal terminal(s.session.link().terminal);
  const QString before = graph.findChild<QLabel*>("Key2")->text();
  s.session.displays().graph.SetPresentation(false);
  s.session.displays().windsockWindow.ShowSample(45, 12.5);
  s.session.link().terminal.Receive(
      std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("hidden"), 6));
  QTest::qWait(3 * ViewRefresh::kMinIntervalMs);
  EXPECT_EQ(graph.findChild<QLabel*>("Key2")->text(), before);
  EXPECT_NE(windsock.findChild<QLabel*>("Label3")->text(), "12.50");
  EXPECT_FALSE(terminal.Terminal1().toPlainText().contains("hidden"));

  graph.show();
  windsock.show();
  terminal.show();
  EXPECT_EQ(graph.findChild<QLabel*>("Key2")->text(), s.session.displays().graph.View().key2.text);
  EXPECT_EQ(windsock.findChild<QLabel*>("Label3")->text(), "12.50");
  EXPECT_TRUE(terminal.Terminal1().toPlainText().contains("hidden"));
}

}  // namespace
}  // namespace ventari
