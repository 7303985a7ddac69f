// The Larkvane report's lines: what each page's result prints, the EEPROM's three cases, the
// checksums only with every software box ticked, and no sensor code left from a Kestrix II.
#include <gtest/gtest.h>

#include <QLocale>

#include "service/larkvane_report.h"

namespace ventari {
namespace {

struct LarkvaneReportLinesTest : ::testing::Test {
  LarkvaneReportLinesTest() {
    test.sensor = SensorState::kLarkvane;
    test.sensorText = QStringLiteral("EA");  // left by a Kestrix II tested before
    test.serialNumber = QStringLiteral("012345");
    test.operatorName = QStringLiteral("Pat Quill");
    test.eepromResult = 0;
    test.calFile = QStringLiteral("/srv/LV_Eeprom/LV.cal");
  }
  QStringList Print() { return LarkvaneReportLines(test, QDate(2026, 3, 4), results); }
  ProductionTest test;
  LarkvaneResults results;
};

TEST_F(LarkvaneReportLinesTest, NothingPassedPrintsEveryPartFailedAndNoChecksums) {
  const QStringList lines = Print();
  const QStringList expected = {
      "Anemometer: 012345",
      "Date: " + QLocale::system().toString(QDate(2026, 3, 4), QLocale::ShortFormat),
      "Operator: Pat Quill",
      "Part A - Head tests:  FAILED",
      "Part B - Assembly tests:  FAILED",
      "    Calibration params S-Record used: /srv/LV_Eeprom/LV.cal",
      "    Option params S-Record used: NOT PROGRAMMED",
      "Part B - Software tests:  FAILED",
      "Part B - Hardware tests:  FAILED",
      "Part C - Final assembly tests:  FAILED",
      "EEPROM DUMP"};
  EXPECT_EQ(lines.mid(0, expected.size()), expected);
  ASSERT_EQ(lines.size(), expected.size() + 48);
  EXPECT_EQ(lines[expected.size()].left(14), QStringLiteral("0000    --    "));
}

TEST_F(LarkvaneReportLinesTest, PassedPartsPrintTheirDetails) {
  results = {true,
             true,
             false,
             ChecksumReading{true, true, {0x7A3F, 0x05, std::nullopt, 0x1234}},
             true,
             true,
             QStringLiteral("NOMINAL A1:00 A2:00 A3:00 OK  ")};
  const QStringList lines = Print();
  EXPECT_EQ(lines.mid(3, 2),
            (QStringList{"Part A - Head tests:  PASSED", "Part B - Assembly tests:  PASSED"}));
  EXPECT_EQ(
      lines.mid(7, 9),
      (QStringList{"Part B - Software tests:  PASSED", "    ROM checksum : 7A3F",
                   "    FAC checksum : 05", "    ENG checksum : --", "    CAL checksum : 1234",
                   "Part B - Hardware tests:  PASSED", "Part C - Final assembly tests:  PASSED",
                   "    Alignment values:  NOMINAL A1:00 A2:00 A3:00 OK  ", "EEPROM DUMP"}));
}

TEST_F(LarkvaneReportLinesTest, TheEepromLineFollowsTheResultThenTheVerification) {
  struct Case {
    int eepromResult;
    bool failed;
    const char* line;
  };
  const Case cases[] = {{kNotProgrammed, true, "    Eeprom memory: NOT PROGRAMMED"},
                        {0, true, "    Eeprom verification: FAILED"},
                        {1, false, "    Calibration params S-Record used: /srv/LV_Eeprom/LV.cal"}};
  for (const Case& c : cases) {
    test.eepromResult = c.eepromResult;
    results.verificationFailed = c.failed;
    EXPECT_EQ(Print()[5], QLatin1String(c.line));
  }
}

TEST_F(LarkvaneReportLinesTest, ReadBackCellsPrintInHexAndTheRestAsDashes) {
  test.eepromReadBack[21] = 0xAB;
  test.readBackValid[21] = true;
  const QStringList lines = Print();
  const QString row = lines[lines.indexOf(QStringLiteral("EEPROM DUMP")) + 2];
  EXPECT_EQ(row.left(20), QStringLiteral("0014    --     AB   "));
  EXPECT_EQ(lines.last().left(4), QStringLiteral("03AC")) << "946 cells";
}

}  // namespace
}  // namespace ventari
