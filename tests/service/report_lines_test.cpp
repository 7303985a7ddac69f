#include "service/report_lines.h"

#include <gtest/gtest.h>

namespace ventari {
namespace {

ProductionTest ReadBackOf(int size) {
  ProductionTest test;
  for (int cell = 0; cell < size; ++cell) {
    test.eepromReadBack[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(cell % 256);
    test.readBackValid[static_cast<std::size_t>(cell)] = true;
  }
  return test;
}

TEST(ReportLinesTest, KestrixDumpHasTwentySixRowsForFiveHundredTwelveCells) {
  ProductionTest test = ReadBackOf(kKestrixEepromSize);
  test.readBackValid[501] = false;
  const QStringList rows = KestrixDumpRows(test, kKestrixEepromSize);
  ASSERT_EQ(rows.size(), 26);
  EXPECT_TRUE(rows[0].startsWith(QStringLiteral("000 000  001  002 ")));
  EXPECT_EQ(rows[0].size(), 3 + 20 * 5);
  EXPECT_EQ(rows[25],
            QStringLiteral("500 244  ---  246  247  248  249  250  251  252  253  254  255 "));
}

TEST(ReportLinesTest, LarkvaneDumpRowsInHex) {
  ProductionTest test = ReadBackOf(kLarkvaneEepromSize);
  test.readBackValid[0] = false;
  const QStringList rows = LarkvaneDumpRows(test, kLarkvaneEepromSize);
  ASSERT_EQ(rows.size(), 48);
  EXPECT_TRUE(rows[0].startsWith(QStringLiteral("0000    --     01     02 ")));
  EXPECT_TRUE(rows[47].startsWith(QStringLiteral("03AC    AC ")));
  EXPECT_EQ(rows[47].size(), 4 + 6 * 7);
}

TEST(ReportLinesTest, HeaderLeavesTheSensorCodeOutWhenAsked) {
  ProductionTest test;
  test.sensorText = QStringLiteral("FA");
  test.serialNumber = QStringLiteral("012345");
  test.operatorName = QStringLiteral("Ann");
  const QDate date(2026, 12, 10);
  EXPECT_EQ(ReportHeader(test, date, true)[0], QStringLiteral("Anemometer: FA012345"));
  const QStringList larkvane = ReportHeader(test, date, false);
  EXPECT_EQ(larkvane[0], QStringLiteral("Anemometer: 012345"));
  EXPECT_TRUE(larkvane[1].startsWith(QStringLiteral("Date: ")));
  EXPECT_EQ(larkvane[2], QStringLiteral("Operator: Ann"));
}

}  // namespace
}  // namespace ventari
