// The tabular display window mirrors its model: the table, the labels above its columns, the log
// controls and the status panels; closing it asks the model first.
#include <QtCore/qtestsupport_core.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "base/virtual_runtime.h"
#include "displays/tabular_display.h"
#include "support/event_recorder.h"
#include "support/screenshot.h"
#include "support/scripted_prompts.h"
#include "triaxis/tri_axis_records.h"
#include "ui/fixed_pitch_lines.h"
#include "ui/frm_tab_disp.h"
#include "ui/live_window.h"
#include "ui/view_refresh.h"

namespace ventari {
namespace {

using test::Keep;
using test::ScriptedPrompts;

constexpr char kUvwLine[] = "00 00   +01.23   -00.45   +00.10   +340.12  ";

class TabularWindowTest : public ::testing::Test {
 protected:
  TabularWindowTest() {
    config.ReportMode = 0;
    config.SosMode = 1;
    config.AbsTempMode = 0;
    config.StrFormat = 1;
    config.Averaging = "4";
    QObject::connect(&window.Live(), &LiveWindow::Closed, [this] { ++closes; });
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  FixedPitchLines* Table() { return Child<FixedPitchLines>("Memo1"); }
  QStringList TableLines() {
    const QString text = Table()->Text();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
  }
  QString Caption(const char* button) { return Child<QPushButton>(button)->text(); }
  void PressEscape() {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
  }

  QTemporaryDir dir;
  VirtualRuntime rt;
  ScriptedPrompts prompts;
  AnemState state;
  TriAxisConfig config;
  TriAxisIdentity identity;
  TabularDisplay model{rt, prompts, state, config, identity};
  TFrmTabDisp window{model};
  int closes = 0;
};

TEST_F(TabularWindowTest, TheTableAppendsNewLinesAndEmptiesWithTheModel) {
  const std::size_t kMax = TabularDisplay::kMaxScreenLines;
  const auto add = [this](std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) model.AddLine(QString::number(i));
  };
  const struct {
    const char* step;
    std::function<void()> change;
    qsizetype lines;
    const char* first;
    const char* last;
  } steps[] = {
      {"two lines", [&] { add(1, 2); }, 2, "1", "2"},
      {"one more", [&] { add(3, 1); }, 3, "1", "3"},
      {"cleared", [&] { model.BtnClearClick(); }, 0, "", ""},
      {"a line after the clear", [&] { add(4, 1); }, 1, "4", "4"},
      {"cleared with a line after it, unseen",
       [&] {
         model.BtnClearClick();
         add(5, 1);
       },
       1, "5", "5"},
      {"lines, cleared and more lines, unseen",
       [&] {
         add(6, 3);
         model.BtnClearClick();
         add(9, 2);
       },
       2, "9", "10"},
      {"shown again", [&] { model.FormShow(); }, 0, "", ""},
      {"more than the table holds", [&] { add(0, kMax + 5); }, static_cast<qsizetype>(kMax), "5",
       "10004"},
      {"the full table cleared and refilled, unseen",
       [&] {
         model.BtnClearClick();
         add(20000, kMax);
       },
       static_cast<qsizetype>(kMax), "20000", "29999"},
  };
  for (const auto& s : steps) {
    s.change();
    window.Sync();
    const QStringList lines = TableLines();
    ASSERT_EQ(lines.size(), s.lines) << s.step;
    if (lines.isEmpty()) continue;
    EXPECT_EQ(lines.front(), s.first) << s.step;
    EXPECT_EQ(lines.back(), s.last) << s.step;
  }
}

TEST_F(TabularWindowTest, AStreamOfRecordsRepaintsTheTableAtMostOnceIn40Ms) {
  window.show();
  QTest::qWait(2 * ViewRefresh::kMinIntervalMs);  // the first paint is done
  test::EventRecorder counter(QEvent::Paint);
  Table()->viewport()->installEventFilter(&counter);
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 100; ++i) {
    model.AddLine(QString::number(i));
    QTest::qWait(2);
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return Table()->Text().endsWith("\n99"); }));
  QTest::qWait(2 * ViewRefresh::kMinIntervalMs);
  // Qt's coarse timers may fire up to 5% early; a slow machine only lowers the count.
  EXPECT_LE(counter.count, 1 + clock.elapsed() / (0.95 * ViewRefresh::kMinIntervalMs));
  EXPECT_GE(counter.count, 1);
}

TEST_F(TabularWindowTest, TheHeaderLabelsStandAboveTheColumnsAndFollowPcAveraging) {
  window.show();
  model.AddLine(kUvwLine);
  model.SetHeader("   SoS   ");
  window.Sync();
  // The labels are placed from the left of the table's text, as its first character stands.
  const QPoint textOrigin = Table()->mapTo(&window, Table()->TextOrigin());
  const auto left = [&](const char* name) {
    return Child<QLabel>(name)->mapTo(&window, QPoint(0, 0)).x() - textOrigin.x();
  };
  const std::pair<const char*, const char*> fixed[] = {
      {"Label1", "Sa"}, {"Label2", "Sb"}, {"Label3", "Wc1"}, {"Label4", "Wc2"}, {"Label5", "Wc3"}};
  // The optional columns' names stand over the line's optional columns, which start at its
  // 36th character; the comma-separated header of averaged lines stands at the left edge.
  const int firstOptionalColumn =
      qRound(35 * QFontMetricsF(Table()->font()).horizontalAdvance(QLatin1Char('0')));
  const struct {
    int pcAvgMinutes;
    bool fixedShown;
    int headerLeft;
    const char* headerText;
  } cases[] = {
      {0, true, firstOptionalColumn, "SoS"},
      {5, false, 2, "U,V,W,SoS"},
      {0, true, firstOptionalColumn, "U,V,W,SoS"},  // the text stays until a header is set
  };
  for (const auto& c : cases) {
    config.PcAvgMinutes = c.pcAvgMinutes;
    model.PcAveragingChanged();
    window.Sync();
    for (const auto& [name, text] : fixed) {
      EXPECT_EQ(Child<QLabel>(name)->text(), text);
      EXPECT_EQ(Child<QLabel>(name)->isVisible(), c.fixedShown) << name;
    }
    EXPECT_EQ(left("HeaderLabel"), c.headerLeft) << c.pcAvgMinutes;
    EXPECT_EQ(Child<QLabel>("HeaderLabel")->text(), c.headerText) << c.pcAvgMinutes;
    EXPECT_GE(Child<QLabel>("HeaderLabel")->width(),
              Child<QLabel>("HeaderLabel")->fontMetrics().horizontalAdvance(c.headerText));
  }
  const int lefts[] = {2, 22, 68, 130, 194};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(left(fixed[i].first), lefts[i]) << fixed[i].second;
  EXPECT_EQ(Child<QLabel>("Label1")->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST(TabularHeaderTest, TheNamesStandOverTheOptionalColumnsOfTheLine) {
  const struct {
    const char* header;
    const char* line;
    const char* text;
    int column;
  } cases[] = {
      {"   SoS            AbsT C          Aip1                ",
       "00 00    123     04.56    +00.12   340.12   +15.01   +0.4499   ", "SoS      AbsT C   Aip1",
       35},
      // Binary lines and temperatures in Celsius have columns of other widths.
      {"    SoS           AbsT C          ",
       "00 1B  +01.23   -00.45   +00.10   340.12   -------   ", "SoS      AbsT C", 34},
      // A name longer than its column keeps a blank before the next.
      {"SonicT K       Aip1", "00 00   +01.23   -00.45   +00.10   1   2", "SonicT K Aip1", 35},
      // More names than columns (a paths-blocked line): no alignment.
      {"   SoS   ", kPathsBlockedLine, "", -1},
  };
  for (const auto& c : cases) {
    const AlignedHeader aligned = AlignToColumns(c.header, c.line);
    EXPECT_EQ(aligned.text, c.text) << c.header;
    EXPECT_EQ(aligned.column, c.column) << c.header;
  }
}

TEST_F(TabularWindowTest, LoggingStatusAndClosingFollowTheModel) {
  window.show();
  const QString file = dir.filePath("run.log");
  const struct {
    const char* step;
    std::function<void()> act;
    const char* logging;
    bool segmentEnabled;
    QString panel1;
    bool visible;
    int closes;
    int refusals;
  } steps[] = {
      {"shown", [] {}, "&Logging", true, "", true, 0, 0},
      {"logging started",
       [&] {
         prompts.files.push_back(file);
         Child<QPushButton>("BtnLogging")->click();
       },
       "&Stop Log", false, "Logging to: " + file, true, 0, 0},
      {"closed while logging", [&] { window.close(); }, "&Stop Log", false, "Logging to: " + file,
       true, 0, 1},
      {"escape while logging", [&] { PressEscape(); }, "&Stop Log", false, "Logging to: " + file,
       true, 0, 2},
      {"logging stopped", [&] { Child<QPushButton>("BtnLogging")->click(); }, "&Logging", true,
       "Log file closed.", true, 0, 2},
      {"escape", [&] { PressEscape(); }, "&Logging", true, "Log file closed.", false, 1, 2},
      {"shown again", [&] { window.show(); }, "&Logging", true, "Log file closed.", true, 1, 2},
      {"closed", [&] { Child<QPushButton>("BtnClose")->click(); }, "&Logging", true,
       "Log file closed.", false, 2, 2},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(Caption("BtnLogging"), s.logging) << s.step;
    EXPECT_EQ(Child<QCheckBox>("CbSeg")->isEnabled(), s.segmentEnabled) << s.step;
    EXPECT_EQ(Child<QLabel>("StatusPanel1")->text(), s.panel1) << s.step;
    EXPECT_EQ(window.isVisible(), s.visible) << s.step;
    EXPECT_EQ(closes, s.closes) << s.step;
    EXPECT_EQ(prompts.Count("Please stop logging first."), s.refusals) << s.step;
  }
}

TEST_F(TabularWindowTest, TheStatusPanelsShowTheStatusAndTheClinometer) {
  const struct {
    std::vector<std::pair<int, int>> statuses;
    const char* panel0;
    const char* panel1;
  } cases[] = {
      {{{0, 0x05}}, "Transducer pairs 1 & 3 failed", ""},
      {{{1, 0x08}, {7, 0xFF}, {8, 0x9C}, {9, 0x00}, {10, 0x64}},
       "Status OK",
       "Clinometer at: -1, 1"},
  };
  for (const auto& c : cases) {
    for (const auto& [address, value] : c.statuses) model.ShowStatus(address, value);
    window.Sync();
    EXPECT_EQ(Child<QLabel>("StatusPanel0")->text(), c.panel0);
    EXPECT_EQ(Child<QLabel>("StatusPanel1")->text(), c.panel1);
  }
  EXPECT_EQ(Child<QLabel>("StatusPanel0")->width(), 270);
  EXPECT_TRUE(Child<QLabel>("StatusPanel0")->font().bold());
}

TEST_F(TabularWindowTest, SegmentsAreChosenByArrowsAndOnlyForAsciiLogs) {
  window.show();
  auto* segmented = Child<QCheckBox>("CbSeg");
  auto* interval = Child<QSpinBox>("UdSegInterval");
  EXPECT_FALSE(Child<QWidget>("Segment")->isVisible());
  segmented->click();
  EXPECT_TRUE(model.Segmented());
  EXPECT_TRUE(Child<QWidget>("Segment")->isVisible());
  EXPECT_EQ(interval->value(), 60);
  EXPECT_EQ(interval->minimum(), 1);
  EXPECT_EQ(interval->maximum(), 360);
  EXPECT_TRUE(interval->findChild<QLineEdit*>()->isReadOnly());
  interval->stepUp();
  EXPECT_EQ(model.SegInterval(), 61);

  config.StrFormat = 0;  // binary
  model.FormShow();
  window.Sync();
  EXPECT_FALSE(segmented->isChecked());
  EXPECT_FALSE(segmented->isEnabled());
  EXPECT_FALSE(Child<QWidget>("Segment")->isVisible());
}

TEST_F(TabularWindowTest, ScreenshotOfTheTableWithRecords) {
  window.show();
  model.SetHeader("   SoS   ");
  model.ShowStatus(0, 0);
  const char* values[] = {"+01.23   -00.45   +00.10   +340.12",
                          "+01.31   -00.52   +00.08   +340.15",
                          "+01.18   -00.40   +00.12   +340.09"};
  for (int i = 0; i < 30; ++i) model.AddLine(QStringLiteral("00 00   %1  ").arg(values[i % 3]));
  window.Sync();
  Keep(window, "tabular_display");
  EXPECT_EQ(window.windowTitle(), "Tabular Display");
  EXPECT_EQ(window.size(), QSize(1024, 768));
  EXPECT_EQ(Table()->LineCount(), 30);

  Child<QCheckBox>("CbSeg")->click();
  prompts.files.push_back(dir.filePath("segments.log"));
  Child<QPushButton>("BtnLogging")->click();
  Keep(window, "tabular_display_segmented_log");
  EXPECT_EQ(Child<QLabel>("StatusPanel1")->text(), "Logging...");
  EXPECT_EQ(window.focusWidget(), Table());
  Child<QPushButton>("BtnLogging")->click();
}

}  // namespace
}  // namespace ventari
