// The live windows (graph, windsock, alarm) mirror their models and forward what the user does;
// their read-outs stand where a label would put them.
#include <QtCore/qtestsupport_core.h>
#include <QtWidgets/qtestsupport_widgets.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <cmath>
#include <functional>
#include <numbers>

#include "displays/alarm_window_model.h"
#include "displays/graph_window_model.h"
#include "displays/windsock_window_model.h"
#include "support/event_recorder.h"
#include "support/screenshot.h"
#include "support/sim_session.h"
#include "ui/frm_alarm.h"
#include "ui/frm_graph.h"
#include "ui/frm_windsock.h"
#include "ui/live_window.h"
#include "ui/read_out_label.h"
#include "ui/view_refresh.h"

namespace ventari {
namespace {

using test::Keep;
using test::ScriptedLine;
using test::SimSession;

template <typename T>
T* Child(QWidget& window, const char* name) {
  T* child = window.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

// Lets the event loop turn until `holds` is true: a window follows its model's changes on a later
// turn.
template <typename Condition>
bool Eventually(Condition holds) {
  return QTest::qWaitFor(holds, 5000);
}

QRadioButton* Radio(QWidget& window, const QString& caption) {
  for (auto* radio : window.findChildren<QRadioButton*>()) {
    if (radio->text() == caption) return radio;
  }
  ADD_FAILURE() << "no radio button " << caption.toStdString();
  return nullptr;
}

// A wind that veers slowly through north with gusts on top, as whole-degree direction and m/s.
struct Wind {
  int direction;
  double speed;
};
Wind WindAt(int record) {
  const double t = record * 0.1;
  const int direction =
      static_cast<int>(std::lround(300 + 100 * std::sin(t / 6) + 8 * std::sin(t)));
  return {(direction % 360 + 360) % 360, 6.5 + 2.5 * std::sin(t / 4) + 1.2 * std::sin(t * 1.7)};
}

class GraphWindowTest : public ::testing::Test {
 protected:
  // Plots one record as the decoders do.
  void PlotPolar(const Wind& wind) {
    Tpgraph& chart = model.pgraph1();
    chart.DataPoint(kClRed, static_cast<std::int64_t>(wind.direction * chart.Scale() / 360.0));
    chart.DataPoint(kClBlue, static_cast<std::int64_t>(wind.speed * model.GraphGain()));
    chart.Update();
  }
  void PlotUv(const Wind& wind) {
    const double radians = wind.direction * std::numbers::pi / 180;
    Tpgraph& chart = model.pgraph1();
    chart.DataPoint(kClRed,
                    static_cast<std::int64_t>(wind.speed * std::sin(radians) * model.GraphGain()));
    chart.DataPoint(kClBlue,
                    static_cast<std::int64_t>(wind.speed * std::cos(radians) * model.GraphGain()));
    chart.Update();
  }

  SimSession s;
  int discards = 0;
  GraphWindowModel model{{s.session.anemometer().state, s.session.anemometer().twoAxisConfig,
                          [] { return -1; }, [this] { ++discards; }}};
};

TEST_F(GraphWindowTest, MirrorsThePresentationAndTheScaleMenu) {
  s.session.anemometer().state.Model = AnemModel::kHeatedKestrix2;
  TFrmGraph window(model);
  window.show();
  EXPECT_EQ(window.windowTitle(), "Graph");
  EXPECT_EQ(window.centralWidget()->size(), QSize(738, 465));
  EXPECT_EQ(window.Chart()->geometry(), QRect(64, 8, 615, 449));

  model.SetPresentation(false);
  window.Sync();
  EXPECT_EQ(Child<QLabel>(window, "Key2")->text(), model.View().key2.text);
  EXPECT_FALSE(Child<QLabel>(window, "DirLabel1")->isHidden());
  EXPECT_TRUE(Child<QLabel>(window, "YaxisCentre")->isHidden());
  EXPECT_TRUE(Child<QLabel>(window, "Key3")->isHidden());
  EXPECT_EQ(Child<QLabel>(window, "ScaleMin")->text(), "0");

  Child<QAction>(window, "ScaleMenu3")->trigger();
  EXPECT_EQ(model.View().checkedScaleItem, 2);
  EXPECT_TRUE(Child<QAction>(window, "ScaleMenu3")->isChecked());
  EXPECT_FALSE(Child<QAction>(window, "ScaleMenu1")->isChecked());
  EXPECT_EQ(Child<QAction>(window, "ScaleMenu3")->text(), "&3 40 m/s");
  EXPECT_EQ(Child<QLabel>(window, "ScaleMax")->text(), "40");

  s.session.anemometer().twoAxisConfig.MessageMode = MessageModeMark::kUv;
  model.SetPresentation(true);
  window.Sync();
  EXPECT_FALSE(Child<QLabel>(window, "YaxisCentre")->isHidden());
  EXPECT_TRUE(Child<QLabel>(window, "DirLabel1")->isHidden());
  EXPECT_TRUE(Child<QLabel>(window, "Label6")->isHidden());
  EXPECT_EQ(Child<QLabel>(window, "ScaleMin")->text(), "-10");  // the first item applies
  EXPECT_EQ(Child<QLabel>(window, "Key2")->text(), model.View().key2.text);
}

TEST_F(GraphWindowTest, PauseClearAndGridlinesAreForwarded) {
  TFrmGraph window(model);
  window.show();
  auto* pause = Child<QPushButton>(window, "Pause1");
  EXPECT_EQ(pause->text(), "P&ause");
  pause->click();
  EXPECT_TRUE(model.Paused());
  EXPECT_EQ(pause->text(), "&Continue");
  pause->click();
  EXPECT_FALSE(model.Paused());
  EXPECT_EQ(pause->text(), "&Pause");

  for (int record = 0; record < 10; ++record) PlotPolar(WindAt(record));
  const QImage plotted = model.pgraph1().Picture();
  Child<QPushButton>(window, "BtnClrGraph")->click();
  EXPECT_NE(model.pgraph1().Picture(), plotted);

  const auto actions = window.findChildren<QAction*>();
  for (QAction* action : actions) {
    if (action->text() == "O&ff") action->trigger();
  }
  EXPECT_FALSE(model.pgraph1().Gridlines());
  EXPECT_FALSE(model.View().gridlinesOn);
}

// Filling, full, then scrolling by one column and by several between two repaints: the chart on
// the screen is what a whole repaint draws, and that is the chart's picture.
TEST_F(GraphWindowTest, TheChartOnScreenIsTheChartsPicture) {
  s.session.anemometer().state.Model = AnemModel::kHeatedKestrix2;
  TFrmGraph window(model);
  model.SetPresentation(false);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QWidget* chart = window.Chart();
  const QPoint at = chart->mapTo(&window, QPoint(0, 0));
  const auto rgb = [](const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); };
  int record = 0;
  for (const int more : {60, 120, 1, 3, 2}) {
    for (int i = 0; i < more; ++i) PlotPolar(WindAt(record++));
    QTest::qWait(ViewRefresh::kScrollIntervalMs + 50);
    EXPECT_EQ(rgb(window.screen()
                      ->grabWindow(window.winId(), at.x(), at.y(), chart->width(), chart->height())
                      .toImage()),
              rgb(chart->grab().toImage()))
        << "after " << record << " records";
  }
  window.Sync();
  // Below the trace keys, which lie on the chart.
  const QRect traces(0, 60, 615, 449 - 60);
  EXPECT_EQ(rgb(chart->grab().toImage()).copy(traces), rgb(model.pgraph1().Picture()).copy(traces));
  Keep(window, "graph_polar");

  s.session.anemometer().twoAxisConfig.MessageMode = MessageModeMark::kUv;
  model.SetPresentation(true);
  for (int record = 0; record < 180; ++record) PlotUv(WindAt(record));
  window.Sync();
  Keep(window, "graph_uv");
}

class WindsockWindowTest : public ::testing::Test {
 protected:
  WindsockWindowModel model;
};

TEST_F(WindsockWindowTest, ChoicesAreForwardedAndReadOutsMirrored) {
  TFrmWindsock window(model);
  window.show();
  EXPECT_EQ(window.windowTitle(), "WindSock");
  EXPECT_EQ(window.size(), QSize(792, 603));
  EXPECT_EQ(window.Rose()->geometry(), QRect(0, 0, 600, 600));
  EXPECT_TRUE(Radio(window, "c&ont")->isChecked());
  EXPECT_FALSE(Child<QWidget>(window, "GustGroup")->isEnabled());
  EXPECT_TRUE(Child<QLabel>(window, "lblGust")->isHidden());

  Radio(window, "&2 min")->click();
  EXPECT_EQ(model.Selections().averaging, WindsockWindowModel::kTwoMinutes);
  EXPECT_TRUE(Child<QWidget>(window, "GustGroup")->isEnabled());
  EXPECT_FALSE(Child<QLabel>(window, "lblGust")->isHidden());
  Radio(window, "&max")->click();
  EXPECT_EQ(model.Selections().gust, WindsockWindowModel::kGustMax);
  Radio(window, "k&ts")->click();
  EXPECT_EQ(model.Unit().name, std::string("kts"));
  Radio(window, "Maritime")->click();
  EXPECT_EQ(model.CalvarnWindsock1().GetRose(), kShipRose);

  // A new reading repaints the read-outs without laying the window out again.
  test::EventRecorder layouts(QEvent::LayoutRequest);
  QCoreApplication::processEvents();
  qApp->installEventFilter(&layouts);
  model.ShowSample(45, 2.5);
  window.Sync();
  QCoreApplication::processEvents();
  qApp->removeEventFilter(&layouts);
  EXPECT_EQ(layouts.count, 0);
  EXPECT_EQ(Child<QLabel>(window, "Label3")->text(), model.View().windSpeedText);
  EXPECT_EQ(Child<QLabel>(window, "lblGust")->text(), model.View().gustText);
  // Their size is the one the layout gave them, room for the whole reading.
  for (const char* name : {"Label3", "lblGust"}) {
    auto* readOut = Child<QLabel>(window, name);
    EXPECT_EQ(readOut->width(), readOut->parentWidget()->layout()->contentsRect().width()) << name;
  }

  model.Selections().averaging = -1;
  window.Sync();
  for (const char* caption : {"&2 min", "&10min", "c&ont"}) {
    EXPECT_FALSE(Radio(window, caption)->isChecked()) << caption;
  }
}

// A read-out puts its text where a label of the same font, alignment and frame puts it.
// The smallest rectangle within the frame holding pixels other than the background.
QRect Ink(QLabel& label, const QImage& picture) {
  const QRgb background = label.palette().color(label.backgroundRole()).rgb();
  const QRect inside = label.contentsRect();
  QRect ink;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (picture.pixel(x, y) != background) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

TEST(ReadOutLabelTest, TextStandsWhereALabelPutsIt) {
  const struct {
    const char* text;
    Qt::Alignment alignment;
    int pixelSize;
    bool framed;
  } cases[] = {
      {"12.50", Qt::AlignCenter, 35, false},
      {"1.5E-6", Qt::AlignLeft | Qt::AlignVCenter, 24, false},
      {"Clinometer at: 0.12, -0.35", Qt::AlignLeft | Qt::AlignVCenter, 13, true},
  };
  for (const auto& c : cases) {
    ReadOutLabel readOut;
    QLabel label;
    for (QLabel* shown : {static_cast<QLabel*>(&readOut), &label}) {
      QFont font = shown->font();
      font.setPixelSize(c.pixelSize);
      font.setBold(true);
      shown->setFont(font);
      shown->setAlignment(c.alignment);
      shown->setAutoFillBackground(true);
      shown->setText(QString::fromLatin1(c.text));
      if (c.framed) shown->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      shown->setContentsMargins(4, 1, 4, 1);
      shown->resize(260, 60);
    }
    const QImage expected = label.grab().toImage();
    const QImage drawn = readOut.grab().toImage();
    EXPECT_EQ(drawn.copy(0, 0, 260, 1), expected.copy(0, 0, 260, 1)) << c.text;  // the frame
    // Within a pixel or two: the label rounds its glyphs' advances as its layout does.
    const QRect want = Ink(label, expected);
    const QRect got = Ink(readOut, drawn);
    EXPECT_LE((got.topLeft() - want.topLeft()).manhattanLength(), 3) << c.text;
    EXPECT_LE((got.bottomRight() - want.bottomRight()).manhattanLength(), 3) << c.text;
  }
}

TEST_F(WindsockWindowTest, TheRoseOnScreenIsTheWindsocksPainting) {
  TFrmWindsock window(model);
  window.show();
  model.SelectAveraging(WindsockWindowModel::kContinuous);
  for (int record = 0; record < 50; ++record) model.ShowSample(WindAt(record).direction, 6.1);
  QImage expected(600, 600, QImage::Format_RGB32);
  {
    QPainter painter(&expected);
    painter.setFont(window.Rose()->font());
    model.CalvarnWindsock1().Paint(painter);
  }
  EXPECT_EQ(window.Rose()->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
}

TEST_F(WindsockWindowTest, ScreenshotsOfEachRoseWithLiveData) {
  TFrmWindsock window(model);
  window.show();
  const char* names[] = {"windsock_angular", "windsock_nsew", "windsock_maritime"};
  const char* captions[] = {"Angular", "NSEW", "Maritime"};
  Radio(window, "&2 min")->click();
  for (int type = 0; type < 3; ++type) {
    Radio(window, captions[type])->click();
    for (int record = 0; record < 150; ++record) {
      const Wind wind = WindAt(type * 150 + record);
      model.ShowSample(wind.direction, wind.speed);
    }
    window.Sync();
    Keep(window, names[type]);
    EXPECT_EQ(model.View().roseType, type);
  }
}

class AlarmWindowTest : public ::testing::Test {
 protected:
  SimSession s;
  ScriptedLine alarmLine{s.rt};
  int closes = 0;
  AlarmWindowModel model{{s.rt, s.prompts, s.session.anemometer().state,
                          s.session.anemometer().twoAxisConfig,
                          s.session.anemometer().triAxisConfig, s.session.window().menu,
                          s.session.link().port, alarmLine.Factory(),
                          [] {
                            return QStringList{"/dev/ttyS0", "/dev/ttyUSB1", "COM11"};
                          },
                          [this] { ++closes; }}};
};

TEST_F(AlarmWindowTest, ShowsTheModelsDefaultsAndForwardsEditsAndSet) {
  TFrmAlarm window(model);
  model.Show();
  EXPECT_TRUE(Eventually([&] { return window.isVisible(); }));
  EXPECT_EQ(window.windowTitle(), "Alarm configuration");
  EXPECT_EQ(window.size(), QSize(297, 369));
  EXPECT_EQ(Child<QLineEdit>(window, "EdMagThresh")->text(), "40");
  EXPECT_EQ(Child<QLineEdit>(window, "EdDirThresh1")->text(), "90");
  EXPECT_EQ(Child<QLineEdit>(window, "EdDirThresh2")->text(), "180");
  EXPECT_EQ(Child<QLabel>(window, "LaSpeedType")->text(), "m/s");
  EXPECT_TRUE(Radio(window, "Trigger above threshold")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(window, "CbAudio")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(window, "CbDirection")->isChecked());
  EXPECT_FALSE(Child<QComboBox>(window, "LbComAvail")->isEnabled());
  EXPECT_TRUE(Child<QLabel>(window, "Warn")->isHidden());

  auto* speed = Child<QLineEdit>(window, "EdMagThresh");
  speed->selectAll();
  speed->insert("12.5");
  EXPECT_EQ(model.Thresholds().speed, 40);
  Child<QPushButton>(window, "BtnSet")->click();
  EXPECT_EQ(model.Thresholds().speed, 12.5);

  Child<QLineEdit>(window, "EdDirThresh1")->setText("x");  // not typed: not forwarded
  Child<QPushButton>(window, "BtnSet")->click();
  EXPECT_TRUE(s.prompts.Messages().empty());

  Radio(window, "Trigger below threshold")->click();
  EXPECT_TRUE(model.View().conditions.triggerBelow);
  Child<QCheckBox>(window, "CbDirection")->click();
  EXPECT_TRUE(model.View().conditions.direction);
}

TEST_F(AlarmWindowTest, ARaisedAlarmTurnsTheStripRedAndShowsTheWarning) {
  s.session.window().menu.Check(MenuId::kPolarcontinuous);
  TFrmAlarm window(model);
  model.Show();
  auto* strip = Child<QFrame>(window, "VisualAlert");
  auto* warn = Child<QLabel>(window, "Warn");
  const QColor calm = strip->palette().color(QPalette::Window);
  model.CheckSample(120, 45.5);
  EXPECT_TRUE(Eventually([&] { return !warn->isHidden(); }));
  EXPECT_EQ(strip->palette().color(QPalette::Window), QColor(Qt::red));
  Keep(window, "alarm_raised");
  model.CheckSample(120, 12);
  EXPECT_TRUE(Eventually([&] { return warn->isHidden(); }));
  EXPECT_EQ(strip->palette().color(QPalette::Window), calm);
}

TEST_F(AlarmWindowTest, ExternalModeOffersTheMachinesPortsByFullName) {
  s.session.link().port.SetName(QStringLiteral("/dev/ttyUSB1"));
  TFrmAlarm window(model);
  model.Show();
  Child<QCheckBox>(window, "CbExternal")->click();
  auto* ports = Child<QComboBox>(window, "LbComAvail");
  EXPECT_TRUE(ports->isEnabled());
  EXPECT_EQ(ports->count(), 2);
  EXPECT_EQ(ports->currentIndex(), -1);
  EXPECT_EQ(ports->placeholderText(), "Select Port");
  Keep(window, "alarm_external");
  emit ports->activated(1);
  EXPECT_EQ(model.ApdComPort2().Name(), "COM11");
  EXPECT_TRUE(model.ApdComPort2().IsOpen());
  Child<QCheckBox>(window, "CbExternal")->click();
  EXPECT_FALSE(ports->isEnabled());
  EXPECT_FALSE(model.ApdComPort2().IsOpen());
}

TEST_F(AlarmWindowTest, ClosingAsksFirstAndEndsTheWatch) {
  TFrmAlarm window(model);
  model.Show();
  ASSERT_TRUE(Eventually([&] { return window.isVisible(); }));
  s.prompts.answers = {PromptButton::kCancel};
  window.close();
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(model.View().visible);
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(model.View().visible);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(s.prompts.Count("Closing this window will disable the alarm feature. Ok?"), 2);

  // Closed by the application: no question.
  model.Show();
  ASSERT_TRUE(Eventually([&] { return window.isVisible(); }));
  model.FormClose();
  EXPECT_TRUE(Eventually([&] { return !window.isVisible(); }));
  EXPECT_EQ(s.prompts.Messages().size(), 2u);
}

// Every live window on one session, as the application creates them.
class LiveWindowTest : public ::testing::Test {
 protected:
  SimSession s;
  TFrmGraph graph{s.session.displays().graph};
  TFrmWindsock windsock{s.session.displays().windsockWindow};
  TFrmAlarm alarm{s.session.displays().alarm};
};

TEST_F(LiveWindowTest, FirstShownWhereEachBelongsThenWhereTheUserLeftIt) {
  struct Case {
    QWidget& window;
    std::function<void()> show;
    std::function<void()> hide;
    bool centred;  // else in the top left corner
  };
  const Case cases[] = {
      {graph, [this] { graph.show(); }, [this] { graph.close(); }, true},
      {windsock, [this] { windsock.showNormal(); }, [this] { windsock.close(); }, true},
      {alarm, [this] { s.session.displays().alarm.Show(); },
       [this] { s.session.displays().alarm.FormClose(); }, false},
  };
  for (const Case& c : cases) {
    c.show();
    ASSERT_TRUE(Eventually([&] { return c.window.isVisible(); }))
        << c.window.objectName().toStdString();
    const QRect screen = c.window.screen()->availableGeometry();
    if (c.centred) {
      EXPECT_LE((c.window.frameGeometry().center() - screen.center()).manhattanLength(), 1)
          << c.window.objectName().toStdString();
    } else {
      EXPECT_EQ(c.window.pos(), screen.topLeft());
    }
    c.window.move(screen.topLeft() + QPoint(17, 23));
    c.hide();
    ASSERT_TRUE(Eventually([&] { return c.window.isHidden(); }));
    c.show();
    ASSERT_TRUE(Eventually([&] { return c.window.isVisible(); }));
    EXPECT_EQ(c.window.pos(), screen.topLeft() + QPoint(17, 23))
        << c.window.objectName().toStdString();
  }
}

TEST_F(LiveWindowTest, ClosingIsToldOnlyWhenTheWindowReallyCloses) {
  int graphCloses = 0;
  int windsockCloses = 0;
  int alarmCloses = 0;
  QObject::connect(&graph.Live(), &LiveWindow::Closed, [&] { ++graphCloses; });
  QObject::connect(&windsock.Live(), &LiveWindow::Closed, [&] { ++windsockCloses; });
  QObject::connect(&alarm.Live(), &LiveWindow::Closed, [&] { ++alarmCloses; });
  graph.show();
  windsock.show();
  s.session.displays().alarm.Show();
  ASSERT_TRUE(Eventually([&] { return alarm.isVisible(); }));

  graph.close();
  windsock.close();
  EXPECT_EQ(graphCloses, 1);
  EXPECT_EQ(windsockCloses, 1);
  s.prompts.answers = {PromptButton::kCancel, PromptButton::kOk};
  alarm.close();  // refused
  EXPECT_EQ(alarmCloses, 0);
  alarm.close();
  EXPECT_EQ(alarmCloses, 1);
  EXPECT_FALSE(alarm.isVisible());
}

}  // namespace
}  // namespace ventari
