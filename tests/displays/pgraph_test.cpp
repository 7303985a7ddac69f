#include "displays/pgraph.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

namespace ventari {
namespace {

constexpr TColor kBack = 0xFF101010;
constexpr TColor kGrid = 0xFF404040;
constexpr TColor kAxis = 0xFFFFFF00;
constexpr TColor kRightAxis = 0xFF00FFFF;

// The graph window's chart: 615 by 449 pixels, 5-pixel steps (123 columns), 25-pixel grid.
class ChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.SetSize(QSize(615, 449));
    chart.SetBackColor(kBack);
    chart.SetForeColor(kGrid);
    chart.SetAxisColor(kAxis);
    chart.SetRightYAxisColor(kRightAxis);
    chart.SetGridSize(25);
    chart.SetStepSize(5);
    chart.SetScale(100);
    chart.Reset();
  }

  void Record(std::int64_t red) {
    chart.DataPoint(kClRed, red);
    chart.Update();
  }
  void Records(int count, std::int64_t red) {
    for (int i = 0; i < count; ++i) Record(red);
  }
  QRgb Pixel(int x, int y) const { return chart.Picture().pixel(x, y); }
  bool ColumnHas(int x, TColor colour, int fromY, int toY) const {
    for (int y = fromY; y <= toY; ++y) {
      if (Pixel(x, y) == colour) return true;
    }
    return false;
  }

  Tpgraph chart;
};

TEST_F(ChartTest, FillsFromTheLeftOneColumnPerRecordUntilTheRightEdge) {
  EXPECT_EQ(chart.ColumnCount(), 123);
  chart.SetAxisCentre(false);
  const int y = chart.ValueY(50);
  Record(50);
  // The first record runs from x = -2 to x = 3, up from the zero line.
  EXPECT_EQ(Pixel(3, y), kClRed);
  EXPECT_NE(Pixel(4, y), kClRed);
  EXPECT_TRUE(ColumnHas(1, kClRed, y, 448));
  Record(50);
  for (int x = 3; x <= 8; ++x) EXPECT_EQ(Pixel(x, y), kClRed) << x;
  EXPECT_NE(Pixel(9, y), kClRed);

  Records(120, 50);
  EXPECT_FALSE(chart.Full());
  EXPECT_NE(Pixel(613, y), kClRed);
  Record(50);  // the 123rd
  EXPECT_TRUE(chart.Full());
  EXPECT_EQ(Pixel(613, y), kClRed);
  EXPECT_EQ(Pixel(614, y), kRightAxis);
}

TEST_F(ChartTest, OnceFullEveryRecordScrollsThePictureLeftByOneStep) {
  chart.SetAxisCentre(false);
  Records(122, 50);
  Record(80);  // reaches the right edge at x = 613
  Record(20);  // scrolls first
  EXPECT_EQ(Pixel(608, chart.ValueY(80)), kClRed);
  EXPECT_EQ(Pixel(613, chart.ValueY(20)), kClRed);
  EXPECT_NE(Pixel(613, chart.ValueY(80)), kClRed);

  Records(10, 30);
  const QImage before = chart.Picture().copy();
  Record(70);
  // Everything left of the new column moved by exactly 5 pixels; the right axis stays.
  for (int y = 0; y < 449; ++y) {
    for (int x = 1; x < 608; ++x) ASSERT_EQ(Pixel(x, y), before.pixel(x + 5, y)) << x << "," << y;
    ASSERT_EQ(Pixel(614, y), kRightAxis);
  }
}

TEST_F(ChartTest, MapsValuesAroundTheCentreOrUpFromTheBottomWithoutClipping) {
  // UV: 615 by 449, zero line at y = 225; +Scale is the top, -Scale the bottom.
  EXPECT_EQ(chart.ValueY(0), 225);
  EXPECT_EQ(chart.ValueY(50), 113);    // a quarter of the height above the centre
  EXPECT_EQ(chart.ValueY(-120), 494);  // beyond the bottom edge
  EXPECT_EQ(Pixel(10, 225), kAxis);
  // Values far off the chart still draw, off the edge, without overflowing the mapping.
  EXPECT_LT(chart.ValueY(std::numeric_limits<std::int64_t>::max()), 0);
  EXPECT_GT(chart.ValueY(std::numeric_limits<std::int64_t>::min()), 449);
  chart.DataPoint(kClRed, 0);
  chart.DataPoint(kClBlue, 0);
  chart.Update();
  chart.DataPoint(kClRed, std::numeric_limits<std::int64_t>::max());
  chart.DataPoint(kClBlue, std::numeric_limits<std::int64_t>::min());
  chart.Update();
  EXPECT_TRUE(ColumnHas(3, kClRed, 0, 224));
  EXPECT_TRUE(ColumnHas(3, kClBlue, 226, 448));

  chart.SetAxisCentre(false);
  chart.SetScale(200);
  EXPECT_EQ(chart.ValueY(0), 448);
  EXPECT_EQ(chart.ValueY(100), 224);  // half-way up
  EXPECT_EQ(Pixel(10, 448), kAxis);
}

TEST_F(ChartTest, ATraceStartsFromItsValueInThePreviousColumnOrFromZero) {
  const int y60 = chart.ValueY(60);
  chart.DataPoint(kClRed, 60);
  chart.Update();
  chart.DataPoint(kClBlue, 60);  // new trace: rises from the zero line
  chart.DataPoint(kClRed, 60);   // known trace: level
  chart.Update();
  EXPECT_TRUE(ColumnHas(4, kClBlue, y60 + 20, 224));
  for (int x = 4; x <= 8; ++x) EXPECT_EQ(Pixel(x, y60), kClRed) << x;  // drawn after blue
}

TEST_F(ChartTest, ASeventeenthPointInAColumnIsRefusedAndDropped) {
  for (int i = 0; i < Tpgraph::kMaxPointsPerColumn; ++i) chart.DataPoint(kClRed + i, 10 * i);
  EXPECT_THROW(chart.DataPoint(kClGreen, 90), std::out_of_range);
  chart.Update();
  EXPECT_FALSE(ColumnHas(3, kClGreen, 0, 448));
  EXPECT_NO_THROW(chart.DataPoint(kClGreen, 90));  // the next column is empty again
}

TEST_F(ChartTest, ScaleIsRoundedUpToTheGradientAndNeverZero) {
  EXPECT_EQ(RoundUp(250, 100), 300);
  EXPECT_EQ(RoundUp(300, 100), 300);
  EXPECT_EQ(RoundUp(7, 0), 7);
  chart.SetScale(250);
  EXPECT_EQ(chart.Scale(), 300);
  chart.SetScale(0);
  EXPECT_EQ(chart.Scale(), 100);
  chart.SetGradient(0);
  chart.SetScale(-5);
  EXPECT_EQ(chart.Scale(), 1);
  EXPECT_EQ(chart.ValueY(1), 1);  // a scale of 1: one unit is half the height
}

TEST_F(ChartTest, VerticalGridLinesScrollWithTheDataAndKeepTheirSpacing) {
  // Row 10 crosses no horizontal grid line and no data.
  auto gridColumns = [this] {
    std::vector<int> xs;
    for (int x = 1; x < 614; ++x) {
      if (Pixel(x, 10) == kGrid) xs.push_back(x);
    }
    return xs;
  };
  std::vector<int> expected;
  for (int x = 24; x < 614; x += 25) expected.push_back(x);
  EXPECT_EQ(gridColumns(), expected);
  EXPECT_EQ(chart.GridPhase(), 10);  // the next line would be at 624

  Records(125, -10);  // two scrolls
  EXPECT_EQ(chart.GridPhase(), 0);
  Record(-10);
  EXPECT_EQ(chart.GridPhase(), 20);
  expected.clear();
  for (int x = 9; x < 614; x += 25) expected.push_back(x);
  EXPECT_EQ(gridColumns(), expected);  // 609 is the line drawn into the new column
}

TEST_F(ChartTest, AStepWiderThanTheGridDrawsEveryGridLineItPasses) {
  chart.SetStepSize(60);  // 10 columns
  chart.Reset();
  Records(14, -10);
  std::vector<int> xs;
  for (int x = 1; x < 614; ++x) {
    if (Pixel(x, 10) == kGrid) xs.push_back(x);
  }
  ASSERT_GT(xs.size(), 20u);
  for (std::size_t i = 1; i < xs.size(); ++i) EXPECT_EQ(xs[i] - xs[i - 1], 25) << xs[i];
}

TEST_F(ChartTest, RedrawingFromTheHistoryReproducesTheLivePicture) {
  auto varied = [this](int count) {
    for (int i = 0; i < count; ++i) {
      chart.DataPoint(kClRed, (i * 37) % 200 - 100);
      chart.DataPoint(kClBlue, (i * 11) % 90);
      if (i % 3 == 0) chart.DataPoint(kClGreen, -40);
      chart.Update();
    }
  };
  auto replayed = [this] {
    chart.SetAxislines(false);
    chart.SetAxislines(true);
    return chart.Picture().copy();
  };
  varied(40);  // still filling
  QImage live = chart.Picture().copy();
  EXPECT_EQ(replayed(), live);
  varied(300);  // scrolled many times, grid phase away from zero
  live = chart.Picture().copy();
  EXPECT_EQ(replayed(), live);
}

TEST_F(ChartTest, ResizingKeepsTheNewestColumnsAndPlotsOnFromTheRightEdge) {
  chart.SetAxisCentre(false);
  Records(29, 50);
  Record(80);
  int repaints = 0;
  chart.Changed().Subscribe([&repaints] { ++repaints; });
  chart.SetSize(QSize(300, 449));
  QImage screen(300, 449, QImage::Format_RGB32);
  QPainter painter(&screen);
  chart.Paint(painter);
  EXPECT_EQ(chart.ColumnCount(), 60);
  EXPECT_TRUE(chart.Full());
  EXPECT_GT(repaints, 0);
  EXPECT_EQ(screen.pixel(298, chart.ValueY(80)), kClRed);
  Record(20);
  EXPECT_EQ(Pixel(293, chart.ValueY(80)), kClRed);
  EXPECT_EQ(Pixel(298, chart.ValueY(20)), kClRed);
}

TEST_F(ChartTest, SurvivesSizesSmallerThanOneColumn) {
  for (QSize size : {QSize(3, 40), QSize(0, 0), QSize(1, 1)}) {
    chart.SetSize(size);
    QImage screen(10, 40, QImage::Format_RGB32);
    QPainter painter(&screen);
    chart.Paint(painter);
    chart.Reset();
    Records(5, 50);
    chart.SetStepSize(7);
    Records(5, 50);
    chart.SetStepSize(5);
  }
}

TEST_F(ChartTest, ResetClearsThePictureAndRestartsAtTheLeft) {
  const QImage fresh = chart.Picture().copy();
  Records(200, 50);
  chart.Reset();
  EXPECT_FALSE(chart.Full());
  EXPECT_EQ(chart.Picture(), fresh);
}

// The picture is the same whether it is looked at after every record (each column drawn as it
// completes) or only now and then (the columns since drawn together).
TEST(ChartDrawingTest, ThePictureDoesNotDependOnHowOftenItIsLookedAt) {
  struct Layout {
    QSize size;
    int step;
    int grid;
    bool axislines;
  };
  const Layout layouts[] = {
      {{615, 449}, 5, 25, true},   // the graph window's chart
      {{617, 200}, 5, 7, false},   // a column partly off the left edge shows
      {{300, 120}, 60, 25, true},  // a step wider than the grid
      {{40, 50}, 60, 9, false},    // a step wider than the chart
      {{64, 64}, 1, 2, false},
  };
  std::mt19937 random(5);
  for (const Layout& layout : layouts) {
    Tpgraph eager;
    Tpgraph lazy;
    for (Tpgraph* chart : {&eager, &lazy}) {
      chart->SetSize(layout.size);
      chart->SetStepSize(layout.step);
      chart->SetGridSize(layout.grid);
      chart->SetAxislines(layout.axislines);
      chart->Reset();
    }
    int nextLook = 0;
    for (int record = 0; record < 700; ++record) {
      const int traces = static_cast<int>(random() % 4);
      const std::int64_t far = std::int64_t{1} << 50;
      for (int trace = 0; trace < traces; ++trace) {
        const auto pick = random() % 20;
        const std::int64_t value = pick == 0   ? far
                                   : pick == 1 ? -far
                                               : static_cast<std::int64_t>(random() % 500) - 250;
        for (Tpgraph* chart : {&eager, &lazy}) chart->DataPoint(kClRed + trace * 0x100, value);
      }
      eager.Update();
      lazy.Update();
      (void)eager.Picture();
      if (record == nextLook || record == 699) {
        ASSERT_EQ(lazy.Picture(), eager.Picture())
            << layout.size.width() << "x" << layout.size.height() << " record " << record;
        nextLook = record + 1 + static_cast<int>(random() % 150);
      }
    }
  }
}

// On a screen of two device pixels to a pixel the picture is drawn in device pixels: the axes
// and grid two of them wide, a trace's slope in steps of one.
TEST_F(ChartTest, OnAScaledScreenThePictureIsDrawnInTheScreensOwnPixels) {
  Records(10, 0);
  Records(2, 90);
  QImage screen(QSize(615, 449) * 2, QImage::Format_RGB32);
  screen.setDevicePixelRatio(2);
  QPainter painter(&screen);
  chart.Paint(painter);
  painter.end();
  EXPECT_EQ(chart.PixelRatio(), 2);
  EXPECT_EQ(chart.Picture().size(), QSize(1230, 898));
  for (int x : {0, 1}) EXPECT_EQ(screen.pixel(x, 40), kAxis) << x;
  EXPECT_EQ(screen.pixel(2, 40), kBack);
  EXPECT_EQ(screen.pixel(1229, 40), kRightAxis);
  // Doubled pixels would make every aligned two-by-two block of one colour.
  int mixedBlocks = 0;
  for (int y = 0; y + 1 < screen.height(); y += 2) {
    for (int x = 0; x + 1 < screen.width(); x += 2) {
      const bool red[] = {screen.pixel(x, y) == kClRed, screen.pixel(x + 1, y) == kClRed,
                          screen.pixel(x, y + 1) == kClRed, screen.pixel(x + 1, y + 1) == kClRed};
      if (std::count(std::begin(red), std::end(red), true) % 4 != 0) ++mixedBlocks;
    }
  }
  EXPECT_GT(mixedBlocks, 0);
}

}  // namespace
}  // namespace ventari
