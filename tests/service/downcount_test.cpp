// Downcount lines and their statistics: the three hexadecimal fields of a line, the rings of the
// last 120 samples, and what the extended tests window shows over the samples of one test.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "service/downcount_line.h"
#include "service/downcount_ring.h"
#include "service/ext_tests_model.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

// A line as DownCountsPacket delivers it: three fields of two characters, 14 characters in all.
QByteArray Line(const char* a, const char* b, const char* c) {
  return QStringLiteral("%1   %2   %3  ").arg(a, b, c).toLatin1();
}

QByteArray Line(int a, int b, int c) {
  const auto hex = [](int v) {
    return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
  };
  return QStringLiteral("%1   %2   %3  ").arg(hex(a), hex(b), hex(c)).toLatin1();
}

struct ParseCase {
  std::string line;
  std::optional<DowncountValues> values;
};

TEST(DowncountLine, ReadsTwoUpperCaseHexDigitsAtPositionsOneSixAndEleven) {
  const ParseCase cases[] = {
      {Line("1C", "1E", "20").toStdString(), DowncountValues{28, 30, 32}},
      {Line("00", "FF", "09").toStdString(), DowncountValues{0, 255, 9}},
      {"1C,..1E,..20", DowncountValues{28, 30, 32}},         // exactly long enough
      {Line("1c", "1E", "20").toStdString(), std::nullopt},  // lower case is not a digit here
      {Line("1C", "1G", "20").toStdString(), std::nullopt},
      {Line("1C", "1E", " 2").toStdString(), std::nullopt},
      {"1C   1E   2", std::nullopt},  // cut short in the third field
      {"1C   1E", std::nullopt},
      {"", std::nullopt},
      {std::string("1C   1E   \0"
                   "2",
                   12),
       std::nullopt},
  };
  for (const ParseCase& c : cases) {
    EXPECT_EQ(ParseDowncountLine(c.line), c.values) << c.line;
  }
  EXPECT_EQ(DowncountField("1c", 1), -1);
  EXPECT_EQ(DowncountField("x1C", 2), 28);
  EXPECT_EQ(DowncountField("1C", 2), -1);
  EXPECT_EQ(DowncountField("1C", 0), -1);
}

TEST(DowncountRing, KeepsTheNewest120InRingOrderAndCarriesThePositionIntoTheNextTest) {
  DowncountRing ring;
  for (int i = 0; i < 130; ++i) ring.Add({i, i + 1, i + 2});
  EXPECT_EQ(ring.Count(), 120);
  EXPECT_EQ(ring.Position(), 10);
  EXPECT_EQ(ring.Values(0)[9], 129);  // the newest overwrote the oldest
  EXPECT_EQ(ring.Values(0)[10], 10);  // the oldest kept
  EXPECT_EQ(ring.Values(2)[0], 122);
  ring.StartTest();
  ring.Add({40, 40, 40});
  EXPECT_EQ(ring.Position(), 11);
  EXPECT_EQ(ring.Values(0)[10], 40);
  const AxisStatistics s = ring.Statistics(0);
  EXPECT_EQ(s.minimum, 40);  // only this test's sample, not the older entries
  EXPECT_EQ(s.maximum, 40);
  EXPECT_EQ(s.average, 40.0f);
  EXPECT_EQ(s.stdDev, 0.0f);
}

class ExtTestsTest : public ::testing::Test {
 protected:
  void Feed(const QByteArray& line, int times = 1) {
    for (int i = 0; i < times; ++i) model.AddLine(line);
  }
  QStringList Column(int axis) const {
    QStringList texts;
    for (const auto row :
         {ExtTestsRow::kStdDev, ExtTestsRow::kMax, ExtTestsRow::kMin, ExtTestsRow::kAverage}) {
      texts << model.Label(row, axis);
    }
    return texts;
  }

  test::ScriptedPrompts prompts;
  ExtTestsModel model{prompts};
};

TEST_F(ExtTestsTest, OneHundredAndTwentyLinesOf31GiveExactStatisticsInGreen) {
  EXPECT_EQ(Column(0), (QStringList{"0", "0", "999", "0"}));
  model.StartCollection();
  EXPECT_TRUE(model.Visible());
  Feed(Line(31, 31, 31), 119);
  EXPECT_FALSE(model.Green());
  Feed(Line(31, 31, 31));
  EXPECT_TRUE(model.Green());
  for (int axis = 0; axis < 3; ++axis) {
    EXPECT_EQ(Column(axis), (QStringList{"0.0000", "31", "31", "31.0000"}));
  }
  EXPECT_EQ(model.SampleCount(), 120);
}

struct StatCase {
  const char* name;
  std::vector<std::pair<int, int>> runs;  // (value, how many lines)
  QStringList column;                     // std dev, max, min, average
};

TEST_F(ExtTestsTest, StatisticsAreOverThisTestsSamplesToFourSignificantDigitsAndFourDecimals) {
  const StatCase cases[] = {
      {"three samples", {{28, 1}, {30, 1}, {32, 1}}, {"2.0000", "32", "28", "30.0000"}},
      {"one sample", {{0x24, 1}}, {"0.0000", "36", "36", "36.0000"}},
      {"31.9", {{32, 108}, {31, 12}}, {"0.3013", "32", "31", "31.9000"}},
      {"123.5", {{123, 60}, {124, 60}}, {"0.5021", "124", "123", "123.5000"}},
      {"a third", {{1, 1}, {2, 2}}, {"0.5774", "2", "1", "1.6670"}},
  };
  for (const StatCase& c : cases) {
    model.StartCollection();
    for (const auto& [value, times] : c.runs) Feed(Line(value, value, value), times);
    EXPECT_EQ(Column(1), c.column) << c.name;
  }
}

TEST_F(ExtTestsTest, ARerunOverTheSameSamplesGivesTheSameStatistics) {
  const auto run = [this](int linesBefore) {
    model.StartCollection();
    Feed(Line(0, 0, 0), linesBefore);  // a test cut short moves the ring position on
    model.StartCollection();
    for (int i = 0; i < 120; ++i) Feed(Line(28 + i % 9, 36 - i % 5, 30 + i % 3));
    return Column(0) + Column(1) + Column(2);
  };
  const QStringList first = run(0);
  EXPECT_EQ(run(7), first);
  EXPECT_EQ(run(119), first);
}

TEST_F(ExtTestsTest, BadLinesAreCountedAndLeftOutOfTheRing) {
  model.StartCollection();
  Feed(Line(30, 30, 30), 119);
  Feed(Line("1c", "1E", "20"));
  Feed(QByteArray("1C   1E"));
  EXPECT_EQ(model.BadLines(), 2);
  EXPECT_EQ(model.SampleCount(), 119);
  EXPECT_FALSE(model.Green());
  EXPECT_EQ(model.Label(ExtTestsRow::kMin, 0), "30");  // no -1 among the samples
  model.StartCollection();
  EXPECT_EQ(model.BadLines(), 0);
}

TEST_F(ExtTestsTest, PassesOnlyWith120SamplesAllWithin1CTo24) {
  const struct {
    const char* name;
    int good;
    QByteArray last;
    bool passed;
  } cases[] = {
      {"all at the limits", 119, Line(0x1C, 0x24, 0x1C), true},
      {"one above on axis 2", 119, Line(0x20, 0x25, 0x20), false},
      {"one below on axis 3", 119, Line(0x20, 0x20, 0x1B), false},
      {"only 119", 118, Line(0x20, 0x20, 0x20), false},
  };
  for (const auto& c : cases) {
    model.StartCollection();
    Feed(Line(0x20, 0x20, 0x20), c.good);
    Feed(c.last);
    EXPECT_EQ(model.Passed(), c.passed) << c.name;
  }
}

TEST_F(ExtTestsTest, LinesOutsideACollectionAreIgnored) {
  Feed(Line(31, 31, 31), 5);
  EXPECT_EQ(model.SampleCount(), 0);
  EXPECT_EQ(model.Ring().Position(), 0);
}

TEST_F(ExtTestsTest, OkAsksWhetherToLogThenHidesAndStopsTheTest) {
  int stops = 0;
  model.SetStopTest([&] {
    ++stops;
    EXPECT_FALSE(model.Collecting());
    EXPECT_FALSE(model.Visible());
  });
  for (const PromptButton answer : {PromptButton::kOk, PromptButton::kCancel}) {
    model.StartCollection();
    prompts.answers = {answer};
    model.BtnOKExtDwncntsClick();
    EXPECT_EQ(model.LogFlag(), answer == PromptButton::kOk);
  }
  EXPECT_EQ(stops, 2);
  ASSERT_EQ(prompts.Messages().size(), 2u);
  EXPECT_EQ(prompts.Messages()[0].text,
            "Do you wish to log the standard deviation test data and results?");
  EXPECT_EQ(prompts.Messages()[0].caption, "LOG DOWNCOUNTS?");
}

}  // namespace
}  // namespace ventari
