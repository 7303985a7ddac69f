#include "twoaxis/two_axis_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/sim_session.h"

namespace ventari {
namespace {

using test::SimSession;

class TwoAxisDataTest : public ::testing::Test {
 protected:
  TwoAxisDataTest() {
    s.Start("sim:kestrix2-heated");
    s.session.decoding().dataApplier.onSample =
        [this](const QByteArray&, const TwoAxisSample& sample) { samples.push_back(sample); };
  }

  std::pair<std::int64_t, std::int64_t> LastPlotted() {
    return {samples.back().red, samples.back().blue};
  }

  SimSession s;
  std::vector<TwoAxisSample> samples;
};

TEST_F(TwoAxisDataTest, UvValuesAreReadAtTheirPositionsAndPlottedWithTheGain) {
  s.session.window().menu.Check(MenuId::kUVcontinuous);
  s.session.decoding().dataDecoder.OnDataPacket("\x02Q,+001.50,-002.25,M,00,\x03");
  ASSERT_EQ(samples.size(), 1u);
  EXPECT_TRUE(samples[0].readable);
  EXPECT_DOUBLE_EQ(samples[0].first, 1.5);
  EXPECT_DOUBLE_EQ(samples[0].second, -2.25);
  EXPECT_EQ(LastPlotted(), (std::pair<std::int64_t, std::int64_t>(30, -45)));
  EXPECT_FALSE(samples[0].fedWindsock);
  EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
}

TEST_F(TwoAxisDataTest, PolarDirectionUsesTheFullScaleAndFeedsTheWindsock) {
  s.session.displays().graph.pgraph1().SetScale(1000);
  s.session.decoding().dataDecoder.OnDataPacket("\x02Q,271,003.45,M,00,\x03");
  ASSERT_EQ(samples.size(), 1u);
  EXPECT_EQ(samples[0].direction, 271);
  EXPECT_DOUBLE_EQ(samples[0].second, 3.45);
  EXPECT_EQ(LastPlotted().first, 752);
  EXPECT_TRUE(samples[0].fedWindsock);
  EXPECT_EQ(s.session.displays().windsockWindow.CalvarnWindsock1().GetSampleCount(), 1);
}

TEST_F(TwoAxisDataTest, AnUnreadableMessagePlotsZeroRepeatsBlueAndSkipsAlarmAndWindsock) {
  AlarmWindowModel& alarm = s.session.displays().alarm;
  alarm.Show();
  const auto checks = [this] {
    return std::ranges::count_if(
        samples, [](const auto& sample) { return sample.alarmChecked.has_value(); });
  };
  s.session.window().menu.Check(MenuId::kUVcontinuous);
  s.session.decoding().dataDecoder.OnDataPacket("\x02Q,+001.00,+002.00,M,00,\x03");
  s.session.decoding().dataDecoder.OnDataPacket("\x02Q,+0A1.50,-002.25,M,00,\x03");
  EXPECT_EQ(checks(), 1);
  EXPECT_FALSE(samples[1].readable);
  EXPECT_EQ(LastPlotted(), (std::pair<std::int64_t, std::int64_t>(0, 40)));
  s.session.decoding().dataDecoder.OnDataPacket("\x02Q,+1\x03");  // short: unreadable, no crash
  EXPECT_FALSE(samples[2].readable);
  EXPECT_EQ(s.session.displays().dataDisplay.ScreenLines().size(), 3u);
  alarm.FormClose();  // a hidden alarm checks nothing
  s.session.decoding().dataDecoder.OnDataPacket("\x02Q,+001.00,+002.00,M,00,\x03");
  EXPECT_EQ(checks(), 1);
}

TEST_F(TwoAxisDataTest, APausedGraphAlsoStopsTheWindsockButNotTheDataDisplay) {
  s.session.displays().graph.PauseClick();
  s.session.decoding().dataDecoder.OnDataPacket("\x02Q,090,005.00,M,00,\x03");
  EXPECT_FALSE(samples[0].fedWindsock);
  EXPECT_FALSE(samples[0].plotted);
  EXPECT_EQ(s.session.displays().windsockWindow.CalvarnWindsock1().GetSampleCount(), 0);
  EXPECT_EQ(s.session.displays().dataDisplay.ScreenLines().size(), 1u);
}

}  // namespace
}  // namespace ventari
