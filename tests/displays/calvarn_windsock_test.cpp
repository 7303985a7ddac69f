#include "displays/calvarn_windsock.h"

#include <gtest/gtest.h>

#include <limits>

namespace ventari {
namespace {

// A windsock averaging over N samples, the needle on the average.
class WindsockTest : public ::testing::Test {
 protected:
  void Averaging(int n) {
    windsock.SetMagDataType(1);
    windsock.SetRollingAverage(n);
  }
  void Samples(int count, int direction, int magnitude) {
    for (int i = 0; i < count; ++i) windsock.SetDataSample(direction, magnitude);
  }

  TCalvarnWindsock windsock;
};

TEST_F(WindsockTest, WarmsUpOverTheWindowWhichEndsWithTheSlotBeforeTheSample) {
  Averaging(120);
  Samples(1, 100, 1000);
  EXPECT_TRUE(windsock.WaitingTextShown());
  EXPECT_EQ(windsock.GetAverageMagnitude(), 0);  // the new sample is not in its own window
  Samples(118, 100, 1000);
  EXPECT_TRUE(windsock.WaitingTextShown());
  EXPECT_EQ(windsock.GetSampleCount(), 119);
  // The 120th: no more waiting text, but one empty slot still in the window.
  Samples(1, 100, 1000);
  EXPECT_FALSE(windsock.WaitingTextShown());
  EXPECT_EQ(windsock.GetSampleCount(), 120);
  EXPECT_EQ(windsock.GetAverageMagnitude(), 1000 * 119 / 120);
  EXPECT_EQ(windsock.GetAverageDirection(), 100 * 119 / 120);
  Samples(1, 100, 1000);
  EXPECT_EQ(windsock.GetAverageMagnitude(), 1000);
  EXPECT_EQ(windsock.GetSampleCount(), 120);
  EXPECT_EQ(windsock.Bearing(), 100);
  EXPECT_DOUBLE_EQ(windsock.GetMagnitude(), 10.0);

  windsock.SetMagDataType(0);  // instantaneous: latest sample, history kept
  Samples(1, 45, 523);
  EXPECT_EQ(windsock.Bearing(), 45);
  EXPECT_DOUBLE_EQ(windsock.GetMagnitude(), 5.23);
  EXPECT_FALSE(windsock.WaitingTextShown());
}

TEST_F(WindsockTest, ASwingClockwiseThroughNorthKeepsTheAverageNearNorth) {
  Averaging(4);
  for (int d : {350, 355, 5, 10}) windsock.SetDataSample(d, 100);
  EXPECT_EQ(windsock.StoredDirection(0), 350);
  EXPECT_EQ(windsock.StoredDirection(1), 355);
  EXPECT_EQ(windsock.StoredDirection(2), 365);
  EXPECT_EQ(windsock.StoredDirection(3), 370);
  Samples(1, 15, 100);
  Samples(1, 20, 100);  // window 355, 365, 370, 375: 366, shown as 6 (unwrapped: 96)
  EXPECT_EQ(windsock.GetAverageDirection(), 6);
  EXPECT_EQ(windsock.Bearing(), 6);
}

TEST_F(WindsockTest, TheSouthWestQuadrantLowersTheRaisedDirectionsInTheWindow) {
  Averaging(4);
  for (int d : {350, 5, 10, 20}) windsock.SetDataSample(d, 100);
  EXPECT_EQ(windsock.StoredDirection(3), 380);
  windsock.SetDataSample(200, 100);  // clears the wrap, lowers the window's values
  EXPECT_EQ(windsock.StoredDirection(0), 350);
  EXPECT_EQ(windsock.StoredDirection(1), 5);
  EXPECT_EQ(windsock.StoredDirection(2), 10);
  EXPECT_EQ(windsock.StoredDirection(3), 20);
  EXPECT_EQ(windsock.StoredDirection(4), 200);
  EXPECT_EQ(windsock.GetAverageDirection(), (350 + 5 + 10 + 20) / 4);
  windsock.SetDataSample(10, 100);  // no wrap: previous was 200
  EXPECT_EQ(windsock.StoredDirection(5), 10);
}

TEST_F(WindsockTest, AMeanOfExactly360LeavesTheNeedleWhereItWas) {
  Averaging(2);
  Samples(3, 90, 100);
  EXPECT_EQ(windsock.Bearing(), 90);
  windsock.SetDataSample(300, 100);
  windsock.SetDataSample(60, 100);  // stored 420; window 90, 300: mean 195
  EXPECT_EQ(windsock.Bearing(), 195);
  windsock.SetDataSample(70, 100);  // window 300, 420: mean exactly 360
  EXPECT_EQ(windsock.GetAverageDirection(), 360);
  EXPECT_EQ(windsock.Bearing(), 195);
  windsock.SetDataSample(80, 100);  // window 420, 430: 425 -> 65
  EXPECT_EQ(windsock.GetAverageDirection(), 65);
  EXPECT_EQ(windsock.Bearing(), 65);
}

TEST_F(WindsockTest, GustsAverageTheThreeSamplesBeforeEachSlot) {
  Averaging(120);
  EXPECT_EQ(windsock.NumberOfGustSamples(), 3);
  int magnitudes[] = {300, 600, 900, 1200, 100, 100};
  for (int m : magnitudes) windsock.SetDataSample(10, m);
  EXPECT_EQ(windsock.GetGust(), (900 + 1200 + 100) / 3);
  EXPECT_EQ(windsock.GetMaxGust(), (600 + 900 + 1200) / 3);  // slot 4 entered with sample 6
  EXPECT_EQ(windsock.GetMinGust(), (600 + 900 + 1200) / 3);  // the first qualifying slot
}

TEST_F(WindsockTest, TheMinimumGustWaitsForAQualifyingSlot) {
  Averaging(120);
  Samples(5, 10, 500);
  EXPECT_EQ(windsock.GetMinGust(), TCalvarnWindsock::kNoMinGust);
  Samples(1, 10, 500);
  EXPECT_EQ(windsock.GetMinGust(), 500);

  // A window as long as the ring: empty slots up to N qualify during warm-up.
  Averaging(6000);
  Samples(10, 10, 500);
  EXPECT_EQ(windsock.GetMinGust(), 0);
  Samples(5990, 10, 500);
  EXPECT_FALSE(windsock.WaitingTextShown());
  EXPECT_EQ(windsock.GetMinGust(), 0);  // slot 0's gust was taken over the empty slots before it
  Samples(3, 10, 500);
  EXPECT_EQ(windsock.GetMinGust(), 500);
  EXPECT_EQ(windsock.GetAverageMagnitude(), 500);
}

TEST_F(WindsockTest, TheWholeRingWindowStartsAtTheSlotBeingWritten) {
  Averaging(6000);
  Samples(5999, 10, 100);
  EXPECT_EQ(windsock.WritePosition(), 5999);
  windsock.SetDataSample(10, 100);  // the 6000th, in slot 5999 and in its own window
  EXPECT_EQ(windsock.GetAverageMagnitude(), 100);
  EXPECT_EQ(windsock.WritePosition(), 0);
  EXPECT_EQ(windsock.GetGust(), 100);  // slot 5999
  windsock.SetDataSample(10, 700);
  EXPECT_EQ(windsock.GetGust(), 100);
  EXPECT_EQ(windsock.GetAverageMagnitude(), (5999 * 100 + 700) / 6000);
}

TEST_F(WindsockTest, ResetClearsTheHistoryButNotTheWrapState) {
  Averaging(4);
  for (int d : {350, 10}) windsock.SetDataSample(d, 100);
  windsock.InitSamples();
  EXPECT_EQ(windsock.GetSampleCount(), 0);
  EXPECT_EQ(windsock.GetAverageMagnitude(), 0);
  EXPECT_EQ(windsock.WritePosition(), 0);
  windsock.SetDataSample(20, 100);
  EXPECT_EQ(windsock.StoredDirection(0), 380);  // still wrapped
}

TEST_F(WindsockTest, LargeMagnitudesAndLongWindowsNeitherOverflowNorRepeatSlots) {
  // 60 m/s in fpm is about 1.18 million hundredths; 2000 of them overflow a 32-bit sum.
  Averaging(2000);
  Samples(2001, 10, 1181478);
  EXPECT_EQ(windsock.GetAverageMagnitude(), 1181478);
  Samples(1, 10, std::numeric_limits<int>::max());
  EXPECT_EQ(windsock.GetGust(), 1181478);
  Samples(3, 10, std::numeric_limits<int>::max());
  EXPECT_EQ(windsock.GetGust(), std::numeric_limits<int>::max());

  // Longer than 6000 samples: the ring grows to the window, each slot counted once.
  Averaging(6100);
  EXPECT_EQ(windsock.RingSize(), 6100);
  Samples(3050, 10, 100);
  Samples(3050, 10, 300);
  EXPECT_EQ(windsock.GetAverageMagnitude(), 200);
  Averaging(120);
  EXPECT_EQ(windsock.RingSize(), TCalvarnWindsock::kRingSlots);

  // A window of no samples would divide by zero: it becomes one sample.
  Averaging(0);
  EXPECT_EQ(windsock.NumRollingAveSamples(), 1);
  Samples(2, 10, 100);
  EXPECT_EQ(windsock.GetAverageMagnitude(), 100);
}

}  // namespace
}  // namespace ventari
