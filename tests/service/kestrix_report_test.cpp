#include "service/kestrix_report.h"

#include <gtest/gtest.h>

#include "service/test_window_model.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

class KestrixReportLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.sensorText = QStringLiteral("EA");
    test.serialNumber = QStringLiteral("012345");
    test.operatorName = QStringLiteral("Ann");
    facts.date = QDate(2026, 12, 10);
    facts.verified = true;
  }
  QStringList Lines() const { return KestrixReportLines(test, facts); }
  // The line that starts with `head`, or an empty text.
  QString LineOf(const QString& head) const {
    for (const QString& line : Lines()) {
      if (line.startsWith(head)) return line;
    }
    return {};
  }

  ProductionTest test;
  KestrixReportFacts facts;
  test::ScriptedPrompts prompts;
};

TEST_F(KestrixReportLinesTest, AnUntouchedUnitReadsNotProgrammedAndFailed) {
  const QStringList lines = Lines();
  ASSERT_EQ(lines.size(), 3 + 7 + 1 + 26);
  EXPECT_EQ(lines[0], QStringLiteral("Anemometer: EA012345"));
  EXPECT_EQ(lines[2], QStringLiteral("Operator: Ann"));
  EXPECT_EQ(lines.mid(3, 8),
            (QStringList{"Flash memory: NOT PROGRAMMED", "Eeprom memory: NOT PROGRAMMED",
                         "Axis 1 path length: NOT CALIBRATED", "Axis 2 path length: NOT CALIBRATED",
                         "Hardware checks:  FAILED", "Software checks: FAILED",
                         "SOS Calibration: FAILED ", "\r\nEEPROM DUMP"}));
  EXPECT_TRUE(lines[11].startsWith(QStringLiteral("000 ---  ---  ")));
  EXPECT_TRUE(lines.last().startsWith(QStringLiteral("500 ")));
}

TEST_F(KestrixReportLinesTest, ProgrammedUnitNamesItsFilesOrFailsItsVerification) {
  test.flashResult = 0;
  test.flashFile = QStringLiteral("/w/srecords/K2.s");
  test.eepromResult = 0;
  test.userFile = QStringLiteral("/w/eeprom/K2.usr");
  test.calFile = QStringLiteral("/w/eeprom/K2.cal");
  EXPECT_EQ(Lines().mid(3, 4), (QStringList{"Flash S-Record used: /w/srecords/K2.s",
                                            "User params S-Record used: /w/eeprom/K2.usr",
                                            "Engineering params S-Record used: NOT PROGRAMMED",
                                            "Cal table S-Record used: /w/eeprom/K2.cal"}));
  facts.verified = false;
  EXPECT_EQ(Lines().mid(4, 2),
            (QStringList{"Eeprom verification: FAILED", "Axis 1 path length: NOT CALIBRATED"}));
}

TEST_F(KestrixReportLinesTest, PathLengthsPrintForEveryStoredOffset) {
  struct Case {
    bool stored;
    int offset;
    const char* text;
  };
  const Case cases[] = {{false, kUnstoredPathOffset, "NOT CALIBRATED"},
                        {false, 100, "NOT CALIBRATED"},
                        {true, 0, "133.6"},
                        {true, 128, "146.4"},
                        {true, 129, "146.5"},
                        {true, 200, "153.6"},
                        {true, 255, "159.1"},
                        {true, 64, "140"}};
  for (const Case& c : cases) {
    test.pathStored[1] = c.stored;
    test.pathOffsets[1] = c.offset;
    EXPECT_EQ(PathLengthLine(test, 2), QStringLiteral("Axis 2 path length: ") + c.text) << c.offset;
  }
  EXPECT_EQ(LineOf(QStringLiteral("Axis 3")), QString());
  test.axis3Enabled = true;
  EXPECT_EQ(LineOf(QStringLiteral("Axis 3")), QStringLiteral("Axis 3 path length: NOT CALIBRATED"));
}

TEST_F(KestrixReportLinesTest, ChecksPassOnlyWhenAllOfThemHeld) {
  test.hardwareChecks.fill(true);
  facts.softwarePassed = true;
  EXPECT_EQ(LineOf(QStringLiteral("Hardware")), QStringLiteral("Hardware checks:  PASSED"));
  EXPECT_EQ(LineOf(QStringLiteral("Software")), QStringLiteral("Software checks: PASSED"));
  test.hardwareChecks[4] = false;
  EXPECT_EQ(LineOf(QStringLiteral("Hardware")), QStringLiteral("Hardware checks:  FAILED"));

  const std::tuple<bool, bool, const char*> sos[] = {{false, false, "FAILED "},
                                                     {true, false, "FAILED "},
                                                     {false, true, "FAILED "},
                                                     {true, true, "PASSED "}};
  for (const auto& [calibrated, passed, text] : sos) {
    test.sosCalibrated = calibrated;
    test.sosPassed = passed;
    EXPECT_EQ(LineOf(QStringLiteral("SOS")), QStringLiteral("SOS Calibration: ") + text);
  }
}

TEST_F(KestrixReportLinesTest, TheDowncountBlockFollowsTheSoftwareChecksWhenLogged) {
  ExtTestsModel ext(prompts);
  ext.StartCollection();
  // Sample i: axis 1 reads i, axis 2 0x1C, axis 3 0xA0 + i % 16.
  for (int i = 0; i < kDowncountRingSize; ++i) {
    ext.AddLine(QStringLiteral("%1   1C   %2  ")
                    .arg(i, 2, 16, QLatin1Char('0'))
                    .arg(0xA0 + i % 16, 2, 16)
                    .toUpper()
                    .toLatin1());
  }
  facts.downcounts = &ext;
  const QStringList lines = Lines();
  ASSERT_EQ(lines.size(), 3 + 7 + 3 * 14 + 13 + 1 + 26);
  const QStringList block = lines.mid(9, 3 * 14 + 13);
  EXPECT_EQ(lines[8], QStringLiteral("Software checks: FAILED"));
  EXPECT_EQ(block[0], QStringLiteral("\r\nAxis1 downcounts data"));
  EXPECT_EQ(block[1],
            QStringLiteral("          0     1     2     3     4     5     6     7    8     9"));
  EXPECT_EQ(block[2], QStringLiteral("000000001002003004005006007008009"));
  EXPECT_EQ(block[13], QStringLiteral("110110111112113114115116117118119"));
  EXPECT_EQ(block[14], QStringLiteral("\r\nAxis2 downcounts data"));
  EXPECT_EQ(block[16], QStringLiteral("000") + QString(QStringLiteral("028")).repeated(10));
  EXPECT_EQ(block[28], QStringLiteral("\r\nAxis3  downcounts data"));
  EXPECT_EQ(block[31], QStringLiteral("010170171172173174175160161162163"));
  EXPECT_EQ(
      block.mid(42),
      (QStringList{
          "\r\nDowncounts tests", "Axis 1 Max: 119", "Axis 2 Max: 28", "Axis 3 Max: 175",
          "\r\nAxis 1 Min: 0", "Axis 2 Min: 28", "Axis 3 Min: 160", "\r\nAxis 1 Ave: 59.5000",
          "Axis 2 Ave: 28.0000", "Axis 3 Ave: " + ext.Label(ExtTestsRow::kAverage, 2),
          "\r\nAxis 1 Std Dev: " + ext.Label(ExtTestsRow::kStdDev, 0), "Axis 2 Std Dev: 0.0000",
          "Axis 3 Std Dev: " + ext.Label(ExtTestsRow::kStdDev, 2)}));
  EXPECT_EQ(lines[9 + 55], QStringLiteral("SOS Calibration: FAILED "));
}

TEST(TestWindowOkTest, OkWithNoSensorTypeSaysSo) {
  ProductionTest test;
  test::ScriptedPrompts prompts;
  int reports = 0;
  TestWindowModel window(test, prompts, [&] { ++reports; });
  window.FormShow();
  window.OKBtnClick();
  EXPECT_EQ(reports, 0);
  EXPECT_EQ(prompts.Count(QStringLiteral("Please set the sensor type first.")), 1);
}

}  // namespace
}  // namespace ventari
