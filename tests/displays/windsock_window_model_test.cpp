#include "displays/windsock_window_model.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <cmath>
#include <cstdint>

namespace ventari {
namespace {

class WindsockWindowTest : public ::testing::Test {
 protected:
  const TCalvarnWindsock& Windsock() const { return window.CalvarnWindsock1(); }
  void Samples(int count, int direction, double speed) {
    for (int i = 0; i < count; ++i) window.ShowSample(direction, speed);
  }

  WindsockWindowModel window;
};

TEST_F(WindsockWindowTest, StartsInstantaneousWithTheGustControlsOff) {
  const WindsockWindowView& view = window.View();
  EXPECT_EQ(window.Selections().averaging, WindsockWindowModel::kContinuous);
  EXPECT_EQ(window.Selections().units, 0);
  EXPECT_EQ(window.Selections().gust, WindsockWindowModel::kGustCont);
  EXPECT_EQ(Windsock().NumRollingAveSamples(), 120);
  EXPECT_EQ(Windsock().MagDataType(), 0);
  EXPECT_FALSE(view.gustGroupEnabled);
  EXPECT_FALSE(view.gustLabelVisible);
  EXPECT_EQ(view.windSpeedText, "00.00");
  EXPECT_EQ(view.gustText, "10.0");
  EXPECT_EQ(Windsock().Size(), QSize(600, 600));
}

TEST_F(WindsockWindowTest, SpeedsAreConvertedToHundredthsOfTheChosenUnit) {
  window.SelectUnits(2);  // knots
  window.ShowSample(123, 2.5);
  EXPECT_DOUBLE_EQ(Windsock().GetMagnitude(), 4.86);  // truncate(250 * 1.946)
  EXPECT_EQ(window.View().windSpeedText, "04.86");
  EXPECT_EQ(Windsock().Bearing(), 123);

  window.SelectUnits(0);
  window.ShowSample(10, 12.344);
  EXPECT_EQ(window.View().windSpeedText, "12.34");
  window.SelectUnits(4);  // fpm
  window.ShowSample(10, 60);
  // More than four digits before the point: scientific, and then "0" goes in front as well.
  EXPECT_EQ(window.View().windSpeedText, "01.181E4");
  window.ShowSample(10, 1e12);  // a garbled speed saturates instead of wrapping round
  EXPECT_GT(Windsock().GetMagnitude(), 0);
}

TEST_F(WindsockWindowTest, EveryTwoDecimalSpeedBelow100MetresASecondGivesItsExactHundredths) {
  // Each unit's factor in thousandths, and the hundredths of the unit computed in whole numbers.
  constexpr std::int64_t kThousandths[] = {1000, 3599, 1946, 2237, 196913};
  for (int unit = 0; unit < 5; ++unit) {
    window.SelectUnits(unit);
    int wrong = 0;
    for (int hundredths = 0; hundredths < 10000; ++hundredths) {
      window.ShowSample(0, QByteArray::number(hundredths / 100.0, 'f', 2).toDouble());
      const std::int64_t expected = hundredths * kThousandths[unit] / 1000;
      wrong += std::llround(Windsock().GetMagnitude() * 100) != expected ? 1 : 0;
    }
    EXPECT_EQ(wrong, 0) << "unit " << unit;
  }
}

TEST_F(WindsockWindowTest, AveragingTakesItsWindowFromTheOutputRate) {
  window.SetSamplesPerSecond(4);
  window.SelectAveraging(WindsockWindowModel::kTwoMinutes);
  EXPECT_EQ(Windsock().NumRollingAveSamples(), 480);
  EXPECT_EQ(Windsock().MagDataType(), 1);
  EXPECT_TRUE(window.View().gustGroupEnabled);
  EXPECT_TRUE(window.View().gustLabelVisible);

  window.SelectAveraging(WindsockWindowModel::kTenMinutes);
  EXPECT_EQ(Windsock().NumRollingAveSamples(), 2400);
  window.SetSamplesPerSecond(10);
  EXPECT_EQ(Windsock().NumRollingAveSamples(), 6000);

  // No selection counts as two minutes.
  window.SelectAveraging(-1);
  EXPECT_EQ(Windsock().NumRollingAveSamples(), 1200);
  EXPECT_EQ(Windsock().MagDataType(), 1);
}

TEST_F(WindsockWindowTest, TheWindowsHoldTwoAndTenMinutesOfRecordsAtAnyRate) {
  struct Case {
    double recordsPerSecond;
    int twoMinutes;
    int tenMinutes;
  };
  const Case cases[] = {
      {50, 6000, 30000},    // a 50 Hz three-axis anemometer's every measurement
      {0.04, 5, 24},        // a T7 averaging 250: 4.8 records in two minutes
      {0.001, 1, 1},        // never an empty window
      {200, 24000, 60000},  // at most the longest window
  };
  for (const Case& c : cases) {
    window.SetSamplesPerSecond(c.recordsPerSecond);
    window.SelectAveraging(WindsockWindowModel::kTwoMinutes);
    EXPECT_EQ(Windsock().NumRollingAveSamples(), c.twoMinutes) << c.recordsPerSecond;
    window.SelectAveraging(WindsockWindowModel::kTenMinutes);
    EXPECT_EQ(Windsock().NumRollingAveSamples(), c.tenMinutes) << c.recordsPerSecond;
  }
}

TEST_F(WindsockWindowTest, ARateOrUnitChangeRestartsAveragingButNotInstantaneousMode) {
  window.SelectAveraging(WindsockWindowModel::kTwoMinutes);
  Samples(50, 90, 3);
  window.SelectUnits(1);
  EXPECT_EQ(Windsock().GetSampleCount(), 0);
  Samples(50, 90, 3);
  window.SetSamplesPerSecond(1);
  EXPECT_EQ(Windsock().GetSampleCount(), 0);

  window.SelectAveraging(WindsockWindowModel::kContinuous);
  Samples(50, 90, 3);
  window.SelectUnits(0);
  window.SetSamplesPerSecond(2);
  EXPECT_EQ(Windsock().GetSampleCount(), 50);
  EXPECT_EQ(Windsock().NumRollingAveSamples(), 120);
}

TEST_F(WindsockWindowTest, TheGustReadOutFollowsTheGustChoiceInTheUnitsDigits) {
  window.SelectAveraging(WindsockWindowModel::kTwoMinutes);
  window.SelectGust(WindsockWindowModel::kGustMin);
  Samples(5, 90, 5);
  EXPECT_EQ(window.View().gustText, "1E5");  // no qualifying slot yet
  Samples(1, 90, 5);
  EXPECT_EQ(window.View().gustText, "5.00");
  window.SelectGust(WindsockWindowModel::kGustMax);
  Samples(1, 90, 30);
  Samples(3, 90, 5);
  EXPECT_EQ(window.View().gustText, "13.33");  // (5 + 5 + 30) / 3
  window.SelectGust(WindsockWindowModel::kGustCont);
  Samples(1, 90, 5);
  EXPECT_EQ(window.View().gustText, "5.00");

  window.SelectUnits(4);  // fpm: five digits, no decimals
  window.SelectGust(WindsockWindowModel::kGustMax);
  Samples(5, 90, 10);
  EXPECT_EQ(window.View().gustText, "1969");

  // Instantaneous mode switches the gust choice back to "&cont" and refuses others.
  window.SelectAveraging(WindsockWindowModel::kContinuous);
  EXPECT_EQ(window.Selections().gust, WindsockWindowModel::kGustCont);
  window.SelectGust(WindsockWindowModel::kGustMax);
  EXPECT_EQ(window.Selections().gust, WindsockWindowModel::kGustCont);
}

TEST_F(WindsockWindowTest, LoadedSelectionsOutsideTheirListsMeanNoSelection) {
  window.Selections() = {4, 9, -3};
  window.ApplySelections();
  EXPECT_EQ(window.Selections().averaging, -1);
  EXPECT_EQ(window.Selections().units, -1);
  EXPECT_EQ(window.Selections().gust, -1);
  EXPECT_EQ(Windsock().MagDataType(), 1);
  EXPECT_STREQ(window.Unit().name, "m/s");
  window.ShowSample(10, 2.5);
  EXPECT_EQ(window.View().gustText, "0.00");  // the latest gust

  window.Selections() = {WindsockWindowModel::kTenMinutes, 3, WindsockWindowModel::kGustMax};
  window.ApplySelections();
  EXPECT_EQ(Windsock().NumRollingAveSamples(), 600);
  EXPECT_STREQ(window.Unit().name, "mph");
  EXPECT_EQ(window.Selections().gust, WindsockWindowModel::kGustMax);
}

TEST_F(WindsockWindowTest, RoseAndWAxis) {
  window.SelectRose(2);
  EXPECT_EQ(Windsock().GetRose(), 2);
  EXPECT_EQ(window.View().roseType, 2);
  window.SelectRose(5);
  EXPECT_EQ(window.View().roseType, 0);

  window.ShowWAxis(false);
  EXPECT_FALSE(window.View().wAxisVisible);
  window.ShowSample(10, 2, 0.12);
  EXPECT_EQ(window.View().wAxisText, "0.12");
  window.ShowSample(10, 2);  // two-axis records leave it alone
  EXPECT_EQ(window.View().wAxisText, "0.12");
}

}  // namespace
}  // namespace ventari
