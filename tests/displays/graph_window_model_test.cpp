#include "displays/graph_window_model.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace ventari {
namespace {

class GraphWindowTest : public ::testing::Test {
 protected:
  QStringList Captions() const {
    QStringList captions;
    for (const ScaleMenuItem& item : graph.View().scaleItems) captions << item.caption;
    return captions;
  }
  // Plots one record and tells whether the chart took it.
  bool ChartDrew() {
    int repaints = 0;
    const auto subscription = graph.pgraph1().Changed().Subscribe([&repaints] { ++repaints; });
    graph.pgraph1().DataPoint(kClRed, 10);
    graph.pgraph1().Update();
    graph.pgraph1().Changed().Unsubscribe(subscription);
    return repaints > 0;
  }

  AnemState state;
  TwoAxisConfig config;
  int reportMode = -1;
  int discards = 0;
  GraphWindowModel graph{{state, config, [this] { return reportMode; }, [this] { ++discards; }}};
};

TEST_F(GraphWindowTest, StartsWithTheWindowsChartAndTheMetresPerSecondScales) {
  const Tpgraph& chart = graph.pgraph1();
  EXPECT_EQ(chart.Size(), QSize(615, 449));
  EXPECT_EQ(chart.ColumnCount(), 123);
  EXPECT_EQ(chart.GridSize(), 25);
  EXPECT_EQ(chart.Scale(), 400);
  EXPECT_EQ(graph.GraphGain(), 20);
  EXPECT_EQ(Captions(), QStringList({"&1 10 m/s", "&2 20 m/s", "&3 40 m/s", "&4 80 m/s"}));
  EXPECT_EQ(graph.View().checkedScaleItem, 0);
  EXPECT_EQ(graph.View().pauseCaption, "P&ause");
  EXPECT_FALSE(graph.Paused());
}

TEST_F(GraphWindowTest, UnitScalesFollowTheOutputUnitAndApplyTheFirstItem) {
  graph.ScaleMenuClick(2);
  config.OutputUnits = 1;
  graph.ApplyUnitScales();
  EXPECT_EQ(Captions(), QStringList({"&1 20 Knots", "&2 40 Knots", "&3 80 Knots", "&4 160 Knots"}));
  EXPECT_EQ(graph.View().unitsLabel.text, "Knots");
  EXPECT_EQ(graph.View().checkedScaleItem, 0);
  EXPECT_EQ(graph.GraphGain(), 10);
  EXPECT_EQ(graph.pgraph1().Scale(), 200);
  EXPECT_EQ(graph.View().scaleMax.text, "20");

  config.OutputUnits = 4;
  graph.ApplyUnitScales();
  EXPECT_EQ(graph.View().scaleItems[3].caption, "&4 16000 fpm");
  EXPECT_EQ(graph.View().scaleItems[3].tag, 16000);
  graph.ScaleMenuClick(3);
  EXPECT_EQ(graph.GraphGain(), 0.025);
  EXPECT_EQ(graph.pgraph1().Scale(), 400);
  EXPECT_EQ(graph.View().checkedScaleItem, 3);

  // An output unit not yet read keeps the items and only applies the first.
  config.OutputUnits = -1;
  graph.ApplyUnitScales();
  EXPECT_EQ(graph.View().scaleItems[0].caption, "&1 2000 fpm");
  EXPECT_EQ(graph.View().checkedScaleItem, 0);
  EXPECT_EQ(graph.GraphGain(), 0.2);
}

TEST_F(GraphWindowTest, EveryScaleKeepsGainTimesFullScaleEqualToTheChartScale) {
  for (int n : {10, 20, 40, 80, 160, 320, 2000, 4000, 8000, 16000}) {
    graph.SelectScale(n);
    EXPECT_DOUBLE_EQ(graph.GraphGain() * n, graph.pgraph1().Scale()) << n;
    EXPECT_EQ(graph.View().scaleMax.text, QString::number(n));
  }
  graph.SelectScale(123);  // not a scale: gain and scale stay
  EXPECT_EQ(graph.GraphGain(), 0.025);
  EXPECT_EQ(graph.View().scaleMax.text, "123");
}

TEST_F(GraphWindowTest, VelocityDataGetASignedScaleAndHideTheSpeedLabels) {
  state.Model = AnemModel::kUnheatedKestrix2;
  config.MessageMode = MessageModeMark::kUv;
  graph.SetPresentation(true);
  EXPECT_EQ(graph.View().scaleMin.text, "-10");
  EXPECT_FALSE(graph.View().label6.visible);
  EXPECT_FALSE(graph.View().unitsLabel.visible);

  config.MessageMode = MessageModeMark::kPolar;
  graph.SetPresentation(false);
  EXPECT_EQ(graph.View().scaleMin.text, "0");
  EXPECT_TRUE(graph.View().label6.visible);
  EXPECT_TRUE(graph.View().unitsLabel.visible);

  // Three-axis: UVW or not yet known is signed, polar is not.
  state.Model = AnemModel::kT7;
  reportMode = -1;
  graph.ScaleMenuClick(1);
  EXPECT_EQ(graph.View().scaleMin.text, "-20");
  reportMode = 1;
  graph.ScaleMenuClick(1);
  EXPECT_EQ(graph.View().scaleMin.text, "-20");
  reportMode = 2;
  graph.ScaleMenuClick(1);
  EXPECT_EQ(graph.View().scaleMin.text, "0");

  state.Model.reset();  // nothing identified
  graph.ScaleMenuClick(0);
  EXPECT_EQ(graph.View().scaleMin.text, "0");
}

TEST_F(GraphWindowTest, PresentationSwitchesKeysLabelsAndAxes) {
  graph.SetPresentation(false);
  const GraphWindowView& view = graph.View();
  EXPECT_EQ(view.key2.text, "Direction");
  EXPECT_EQ(view.key1.text, "Magnitude");
  EXPECT_FALSE(view.key3.visible);
  EXPECT_FALSE(view.yAxisCentre.visible);
  EXPECT_TRUE(view.directionScaleMax.visible);
  EXPECT_TRUE(view.dirLabel2.visible);
  EXPECT_FALSE(graph.pgraph1().AxisCentre());
  EXPECT_EQ(graph.pgraph1().RightYAxisColor(), kClBlack);

  graph.SetPresentation(true);
  EXPECT_EQ(view.key2.text, "U Vector");
  EXPECT_EQ(view.key1.text, "V Vector");
  EXPECT_TRUE(view.key3.visible);
  EXPECT_TRUE(view.yAxisCentre.visible);
  EXPECT_FALSE(view.directionScaleMin.visible);
  EXPECT_FALSE(view.dirLabel1.visible);
  EXPECT_TRUE(graph.pgraph1().AxisCentre());
  EXPECT_EQ(graph.pgraph1().RightYAxisColor(), kClBtnFace);

  graph.ShowThirdKey(false);
  EXPECT_FALSE(view.key3.visible);
}

TEST_F(GraphWindowTest, EveryScaleSelectionDiscardsUnreadInputAndClearsTheChart) {
  for (int i = 0; i < 130; ++i) ChartDrew();
  ASSERT_TRUE(graph.pgraph1().Full());
  const int before = discards;
  graph.ScaleMenuClick(1);
  EXPECT_EQ(discards, before + 1);
  EXPECT_FALSE(graph.pgraph1().Full());
  graph.SetPresentation(false);
  EXPECT_EQ(discards, before + 2);
  EXPECT_EQ(graph.View().checkedScaleItem, 1);  // a presentation change leaves the check mark
  EXPECT_EQ(graph.View().scaleMax.text, "10");  // but applies the first item
}

TEST_F(GraphWindowTest, PauseGridlinesAndClear) {
  graph.PauseClick();
  EXPECT_TRUE(graph.Paused());
  EXPECT_EQ(graph.View().pauseCaption, "&Continue");
  graph.PauseClick();
  EXPECT_FALSE(graph.Paused());
  EXPECT_EQ(graph.View().pauseCaption, "&Pause");

  for (int i = 0; i < 130; ++i) ChartDrew();
  graph.GridlinesClick(false);
  EXPECT_FALSE(graph.View().gridlinesOn);
  EXPECT_FALSE(graph.pgraph1().Gridlines());
  EXPECT_FALSE(graph.pgraph1().Full());
  for (int i = 0; i < 130; ++i) ChartDrew();
  graph.ClearClick();
  EXPECT_FALSE(graph.pgraph1().Full());

  graph.SetClearEnabled(false);
  EXPECT_FALSE(graph.View().clearEnabled);
}

}  // namespace
}  // namespace ventari
