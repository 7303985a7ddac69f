// The Larkvane's production test against a simulated Larkvane on virtual time: the whole route
// from the test selection to the printed report, the checksums and the final assembly test's
// replies, and what each page does when the anemometer does not answer or answers wrongly.
#include <gtest/gtest.h>

#include <QLocale>

#include "support/larkvane_rig.h"

namespace ventari {
namespace {

using test::LarkvaneRig;
using test::Pattern;

QString Hex(int value) { return QString::number(value, 16).toUpper(); }

// The dump rows as the anemometer holds its cells: the single reads cover 0-13, the dumps 16-127
// and 384-945; the rest was not read back.
QStringList ExpectedDump(const sim::TwoAxisEeprom& cells) {
  QStringList rows;
  for (int first = 0; first < 946; first += 20) {
    QString row = QStringLiteral("%1").arg(first, 4, 16, QLatin1Char('0')).toUpper();
    for (int a = first; a < std::min(first + 20, 946); ++a) {
      const bool read = a <= 13 || (a >= 16 && a <= 127) || a >= 384;
      row += QStringLiteral("    ") +
             (read ? QStringLiteral("%1").arg(cells.Cell(a), 2, 16, QLatin1Char('0')).toUpper()
                   : QStringLiteral("--")) +
             QLatin1Char(' ');
    }
    rows << row;
  }
  return rows;
}

TEST(LarkvaneScenario, TheWholeRouteEndsWithThePrintedReportAndTheEndOfTheRun) {
  LarkvaneRig r;
  r.PutParameterFiles();
  Service& sv = r.service;
  r.ChooseLarkvane();
  ASSERT_EQ(sv.testWindow.View().activePage, TestPage::kSelectTest);

  LarkvaneChecks& checks = sv.larkvaneChecks;
  checks.BtnSkip8Click();
  EXPECT_EQ(sv.testWindow.View().activePage, TestPage::kSelectTest) << "nothing chosen";
  checks.TestsClick(0);
  checks.BtnSkip8Click();
  ASSERT_EQ(sv.testWindow.View().activePage, TestPage::kPartA);
  checks.SetChecked(LarkvaneCheck::kWiring, true);
  checks.Next(TestPage::kPartA);
  checks.TestsClick(1);
  checks.BtnSkip8Click();
  ASSERT_EQ(sv.testWindow.View().activePage, TestPage::kPartB);
  for (auto check : {LarkvaneCheck::kSupplyCurrent, LarkvaneCheck::kSupplyRails1,
                     LarkvaneCheck::kSupplyRails2, LarkvaneCheck::kMidRail}) {
    checks.SetChecked(check, true);
  }
  checks.Next(TestPage::kPartB);
  ASSERT_EQ(sv.testWindow.View().activePage, TestPage::kNonVolatileMemory);

  sv.nvmPage.Enter();
  sv.nvmPage.Program();
  ASSERT_EQ(r.service.test.eepromResult, 0);
  ASSERT_EQ(sv.testWindow.View().activePage, TestPage::kPartBSoftware);

  LarkvaneSoftwareTest& software = sv.larkvaneSoftwareTest;
  software.BtnStartLVSwTestClick();
  const auto checksum = [&](int low) {
    return r.Cells().Cell(low + 1) * 256 + r.Cells().Cell(low);
  };
  // Data messages that come while the anemometer leaves configuration mode follow the values.
  EXPECT_EQ(
      software.List().mid(0, 4),
      (QStringList{"ROM checksum : 7A3F", "FAC checksum : " + Hex(checksum(6)),
                   "ENG checksum : " + Hex(checksum(8)), "CAL checksum : " + Hex(checksum(10))}));
  EXPECT_EQ(software.List().last(), QStringLiteral("Click 'Next Test' to continue!"));
  EXPECT_EQ(software.Caption(), QStringLiteral("&Next Test"));
  EXPECT_FALSE(software.NextEnabled());
  software.BtnStartLVSwTestClick();
  r.s.rt.RunFor(3000);
  ASSERT_GE(software.List().size(), 3);
  EXPECT_TRUE(software.List().last().startsWith(QStringLiteral("Q,"))) << "the data scroll";
  software.BtnStartLVSwTestClick();
  EXPECT_EQ(software.List(), QStringList{"Tests complete!"});
  EXPECT_FALSE(r.s.session.link().matchers.DataPacket.Enabled());
  for (int i = 0; i < kLarkvaneSwCheckCount; ++i) {
    software.SetChecked(static_cast<LarkvaneSwCheck>(i), true);
  }
  software.BtnSkip12Click();
  checks.SetChecked(LarkvaneCheck::kWaveforms, true);
  checks.Next(TestPage::kPartBHardware);
  checks.TestsClick(2);
  checks.BtnSkip8Click();
  ASSERT_EQ(sv.testWindow.View().activePage, TestPage::kPartC);

  r.FinalAssembly();
  LarkvaneFinalAssembly& part = sv.larkvaneFinalAssembly;
  EXPECT_EQ(part.Items()[1], QStringLiteral("&2    Check debug data OK"));
  EXPECT_EQ(part.Caption(), QStringLiteral("&Set M2"));
  part.BtnStartLVFinalAssyTestClick();
  EXPECT_EQ(part.List(), QStringList{"Tests completed"});
  EXPECT_EQ(r.Device().Settings().messageMode, 2) << "polar";

  r.s.prompts.answers.push_back(PromptButton::kOk);
  part.BtnFinishClick();

  ASSERT_EQ(r.reports.printed.size(), 1u);
  const Report& report = r.reports.printed[0];
  EXPECT_EQ(report.jobTitle, QStringLiteral("Ventari TEST RESULTS"));
  EXPECT_EQ(report.footLines, 2);
  const QString folder = sv.folder.LarkvaneEeprom();
  const QStringList expected = {
      "Anemometer: 012345",
      "Date: " + QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat),
      "Operator: Pat Quill",
      "Part A - Head tests:  PASSED",
      "Part B - Assembly tests:  PASSED",
      "    Calibration params S-Record used: " + folder + "LV.cal",
      "    Option params S-Record used: " + folder + "LV2.opt",
      "Part B - Software tests:  PASSED",
      "    ROM checksum : 7A3F",
      "    FAC checksum : " + Hex(r.Monitor().FactoryChecksum()),
      "    ENG checksum : " + Hex(checksum(8)),
      "    CAL checksum : " + Hex(checksum(10)),
      "Part B - Hardware tests:  PASSED",
      "Part C - Final assembly tests:  PASSED",
      "    Alignment values:  NOMINAL A1:00 A2:00 A3:00 OK  ",
      "EEPROM DUMP"};
  EXPECT_EQ(report.lines.mid(0, expected.size()), expected);
  EXPECT_EQ(report.lines.mid(expected.size()), ExpectedDump(r.Cells()));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(r.Cells().Cell(0x32 + i), '0' + i);
  EXPECT_EQ(r.Messages("Eeprom verification failure"), 0);
  EXPECT_EQ(r.ended, 1);
  EXPECT_FALSE(sv.testWindow.View().visible);
}

TEST(LarkvaneScenario, ChecksumsReadWithRomChecksumTickedLeaveTheSoftwarePageItsNext) {
  LarkvaneRig r;
  r.ChooseLarkvane();
  LarkvaneSoftwareTest& software = r.service.larkvaneSoftwareTest;
  software.SetChecked(LarkvaneSwCheck::kRomCsum, true);
  software.BtnStartLVSwTestClick();
  EXPECT_EQ(software.Caption(), QStringLiteral("&Start Test"));
  EXPECT_TRUE(software.ButtonEnabled());
  EXPECT_TRUE(software.NextEnabled());
}

TEST(LarkvaneScenario, ChecksumsReadLowByteFirstIntoTheSoftwareTestList) {
  LarkvaneRig r;
  r.ChooseLarkvane();
  r.Cells().SetCell(12, 0x3F);
  r.Cells().SetCell(13, 0x7A);
  r.Cells().SetCell(6, 0x05);
  r.Cells().SetCell(7, 0x00);
  r.service.larkvaneSoftwareTest.BtnStartLVSwTestClick();
  const QStringList& list = r.service.larkvaneSoftwareTest.List();
  ASSERT_GE(list.size(), 2);
  EXPECT_EQ(list[0], QStringLiteral("ROM checksum : 7A3F"));
  EXPECT_EQ(list[1], QStringLiteral("FAC checksum : 05"));
  EXPECT_NE(r.Sent().find("R 0C\r"), std::string::npos);
  EXPECT_FALSE(r.s.session.link().channel.InConfigMode());
}

TEST(LarkvaneScenario, TheFactoryChecksumFromD6IsWrittenHighByteIntoCell7) {
  LarkvaneRig r;
  r.ChooseLarkvane();
  r.Cells().SetCell(7, 0x12);
  r.Cells().SetCell(6, 0x34);
  for (int a = 0x20; a <= 0x3F; ++a) r.Cells().SetCell(a, 0);
  r.Cells().SetCell(0x3E, 0x56);
  r.Cells().SetCell(0x3F, 0x78);
  LarkvaneFinalAssembly& part = r.service.larkvaneFinalAssembly;

  part.BtnStartLVFinalAssyTestClick();

  EXPECT_EQ(r.Messages("Put Anemometer head in shroud."), 1);
  EXPECT_EQ(part.List(), (QStringList{"OLD A1:12    A2:F4    A3:03    ",
                                      "NOMINAL A1:00 A2:00 A3:00 OK  ", "Old checksum = 1234",
                                      "New checksum = 5678", "Click 'Next Test' to continue!"}));
  const std::string sent = r.Sent();
  const auto w7 = sent.find("W 7 56\r");
  ASSERT_NE(w7, std::string::npos);
  EXPECT_NE(sent.find("W 6 78\r", w7), std::string::npos);
  EXPECT_EQ(r.service.test.eepromImage[7], 0x56);
  EXPECT_EQ(r.service.test.eepromImage[6], 0x78);
  EXPECT_EQ(r.Cells().Cell(7), 0x56);
  EXPECT_EQ(part.AlignmentText(), QStringLiteral("NOMINAL A1:00 A2:00 A3:00 OK  "));
  EXPECT_EQ(part.Caption(), QStringLiteral("&Next Test"));
  EXPECT_TRUE(part.ButtonEnabled());
  EXPECT_FALSE(r.s.session.link().channel.InConfigMode());
}

TEST(LarkvaneScenario, ANewChecksumThatIsNotHexIsNotWrittenAndTheTestCanStartAgain) {
  LarkvaneRig r;
  r.ChooseLarkvane();
  r.Inject("garbled-checksum=1");
  LarkvaneFinalAssembly& part = r.service.larkvaneFinalAssembly;
  part.BtnStartLVFinalAssyTestClick();
  // Erased factory cells sum to FFF0; the second digit comes garbled.
  EXPECT_EQ(r.s.prompts.Messages().back().text,
            QStringLiteral("The new factory checksum \"FGF0\" in the anemometer's reply is not hex "
                           "digits: nothing was written."));
  EXPECT_EQ(r.Sent().find("W 7 "), std::string::npos);
  EXPECT_EQ(r.Sent().find("W 6 "), std::string::npos);
  EXPECT_FALSE(r.service.test.written[6]);
  EXPECT_EQ(part.Caption(), QStringLiteral("&Start Test"));
  EXPECT_TRUE(part.ButtonEnabled());
  EXPECT_TRUE(part.FinishEnabled());
  EXPECT_FALSE(r.s.session.link().channel.InConfigMode());
}

TEST(LarkvaneScenario, EachDebugListingShowsFiveLinesAndTheSixthCompletesIt) {
  LarkvaneRig r;
  r.ChooseLarkvane();
  LarkvaneFinalAssembly& part = r.service.larkvaneFinalAssembly;
  part.BtnStartLVFinalAssyTestClick();
  part.BtnStartLVFinalAssyTestClick();
  const QStringList m90 = part.List();
  ASSERT_EQ(m90.size(), 7);
  EXPECT_EQ(m90.first(), QStringLiteral("M90 Debug"));
  EXPECT_EQ(m90.last(), QStringLiteral("Click 'Next Test' to continue!"));
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(m90[i].size(), 45);
    EXPECT_TRUE(m90[i].startsWith(QStringLiteral("T1 ")));
  }
  EXPECT_EQ(part.Selected(), LarkvaneFinalAssembly::kDebugCheck);

  r.s.prompts.answers.push_back(PromptButton::kNo);
  part.BtnStartLVFinalAssyTestClick();
  const QStringList all = part.List();
  const auto m92 = all.indexOf(QStringLiteral("M92 Debug"));
  ASSERT_EQ(all.size(), m92 + 8);
  EXPECT_TRUE(all[m92 + 1].startsWith(QStringLiteral("U ")));
  EXPECT_EQ(all.last(), QStringLiteral("2. Click finish to end tests"));
  EXPECT_EQ(r.Messages("Debug data OK?"), 1);
  EXPECT_FALSE(part.DebugDataOk()) << "answered No";
  EXPECT_EQ(part.Caption(), QStringLiteral("&Set M2"));
}

TEST(LarkvaneScenario, ARerunsDebugDataAnswerReplacesTheEarlierOne) {
  const struct {
    PromptButton first, second;
  } cases[] = {{PromptButton::kYes, PromptButton::kNo}, {PromptButton::kNo, PromptButton::kYes}};
  for (const auto& c : cases) {
    LarkvaneRig r;
    r.ChooseLarkvane();
    LarkvaneFinalAssembly& part = r.service.larkvaneFinalAssembly;
    for (const PromptButton answer : {c.first, c.second}) {
      r.s.prompts.answers.push_back(answer);
      for (int click = 0; click < 3; ++click) part.BtnStartLVFinalAssyTestClick();
      ASSERT_EQ(part.Caption(), QStringLiteral("&Set M2"));
      EXPECT_EQ(part.DebugDataOk(), answer == PromptButton::kYes);
      part.BtnStartLVFinalAssyTestClick();  // "&Set M2", then the test can start again
    }
    EXPECT_EQ(part.Items()[LarkvaneFinalAssembly::kDebugCheck].endsWith(QStringLiteral(" OK")),
              c.second == PromptButton::kYes);
  }
}

TEST(LarkvaneScenario, ADebugLineOfAnotherLengthStopsTheListingAndSaysSo) {
  LarkvaneRig r;
  r.ChooseLarkvane();
  LarkvaneFinalAssembly& part = r.service.larkvaneFinalAssembly;
  part.BtnStartLVFinalAssyTestClick();
  r.Inject("short-debug=1");
  part.BtnStartLVFinalAssyTestClick();
  EXPECT_EQ(part.List(), QStringList{"M90 Debug"});
  EXPECT_EQ(r.Messages("A debug line of 44 characters came in place of 45: the test stopped."), 1);
  EXPECT_TRUE(part.ButtonEnabled());
  EXPECT_FALSE(part.Busy());
  EXPECT_EQ(part.Caption(), QStringLiteral("&Next Test"));

  r.Inject("short-debug=0");
  part.BtnStartLVFinalAssyTestClick();
  EXPECT_EQ(part.List().last(), QStringLiteral("Click 'Next Test' to continue!")) << "again M90";
}

TEST(LarkvaneScenario, RepliesThatNeverComeStopEachPageWithinItsBound) {
  LarkvaneRig r;
  r.ChooseLarkvane();
  LarkvaneFinalAssembly& part = r.service.larkvaneFinalAssembly;
  r.Inject("silent-checksums=1");
  std::int64_t before = r.s.rt.NowMs();
  part.BtnStartLVFinalAssyTestClick();
  EXPECT_EQ(r.Messages("The anemometer did not answer D94: the test stopped."), 1);
  EXPECT_LT(r.s.rt.NowMs() - before, 30'000);
  EXPECT_TRUE(part.ButtonEnabled());
  EXPECT_TRUE(part.FinishEnabled());
  EXPECT_EQ(part.Caption(), QStringLiteral("&Start Test"));
  EXPECT_FALSE(r.s.session.link().channel.InConfigMode());

  LarkvaneSoftwareTest& software = r.service.larkvaneSoftwareTest;
  r.Cells().SetSilent(true);
  before = r.s.rt.NowMs();
  software.BtnStartLVSwTestClick();
  EXPECT_EQ(r.Messages("The anemometer did not answer a checksum read: the test stopped."), 1);
  EXPECT_LT(r.s.rt.NowMs() - before, 30'000);
  EXPECT_TRUE(software.ButtonEnabled());
  EXPECT_TRUE(software.NextEnabled());
  EXPECT_EQ(software.Caption(), QStringLiteral("&Start Test"));

  // No configuration mode at all: the channel says so and the buttons work again.
  r.Device().StopAnswering();
  const std::size_t shown = r.s.prompts.Messages().size();
  part.BtnStartLVFinalAssyTestClick();
  EXPECT_EQ(r.s.prompts.Messages().size(), shown + 2) << "the shroud, then no answer";
  EXPECT_TRUE(part.ButtonEnabled());
  EXPECT_FALSE(part.Busy());
}

TEST(LarkvaneScenario, ASilentD6FailsTheReportsVerificationButItStillPrints) {
  LarkvaneRig r;
  r.ChooseLarkvane();
  r.Inject("silent-checksums=1");
  r.service.testWindow.OKBtnClick();
  ASSERT_EQ(r.reports.printed.size(), 1u);
  EXPECT_EQ(r.Messages("Eeprom verification failure - no response from anemometer"), 1);
  const QStringList& lines = r.reports.printed[0].lines;
  EXPECT_TRUE(lines.contains(QStringLiteral("    Eeprom memory: NOT PROGRAMMED")))
      << "not programmed comes first";
  const std::string sent = r.Sent();
  const auto w32 = sent.find("W 32 30\r");
  ASSERT_NE(w32, std::string::npos);
  EXPECT_NE(sent.find("W 33 31\r", w32), std::string::npos);
  EXPECT_NE(sent.find("W 37 35\r", w32), std::string::npos);
  EXPECT_EQ(r.service.test.eepromImage[0x37], '5');
  EXPECT_EQ(r.ended, 1);
}

TEST(LarkvaneScenario, CancelAtThePrintDialogOrAFailedPrintKeepsTheWindowAndTheRun) {
  LarkvaneRig r;
  r.ChooseLarkvane();
  r.reports.confirmAnswers = {false};
  r.service.testWindow.OKBtnClick();
  EXPECT_TRUE(r.reports.printed.empty());
  EXPECT_EQ(r.ended, 0);
  EXPECT_TRUE(r.service.testWindow.View().visible);
  EXPECT_TRUE(r.service.larkvaneFinalAssembly.FinishEnabled());
  ASSERT_EQ(r.s.prompts.Messages().size(), 1u) << "no verification claimed either way";
  EXPECT_EQ(r.s.prompts.Messages()[0].text, QStringLiteral("Please enter the UUT serial number."));
  EXPECT_NE(r.Sent().find("W 6 "), std::string::npos) << "the checksum follows the serial";
  EXPECT_FALSE(r.s.session.link().channel.InConfigMode());

  r.reports.printSucceeds = false;
  r.service.testWindow.OKBtnClick();
  EXPECT_EQ(r.reports.printed.size(), 1u);
  EXPECT_EQ(r.ended, 0);
  EXPECT_TRUE(r.service.testWindow.View().visible);

  r.service.reports = nullptr;
  r.service.testWindow.OKBtnClick();
  EXPECT_EQ(r.Messages("There is no printer here: the test report cannot be printed."), 1);
}

}  // namespace
}  // namespace ventari
