// The Kestrix II test report against a simulated anemometer on virtual time: a unit taken through
// its sequence (type and serial number, EEPROM programmed, hardware checks, software diagnostics
// with logged downcounts, path lengths and speed of sound), then OK: the identity written into
// the EEPROM, the read-back, and the pages printed. Also a second unit in the same run, which
// inherits nothing of the first, the test window held on its page during the EEPROM run, a
// cancelled print dialog, an anemometer that does not answer, a print that fails and no printer
// at all.
#include <gtest/gtest.h>

#include <QLocale>
#include <functional>
#include <string>

#include "service/report_paging.h"
#include "sim/instrument.h"
#include "sim/two_axis_device.h"
#include "support/captured_pages.h"
#include "support/recorded_reports.h"
#include "support/sim_session.h"
#include "support/srecord_text.h"

namespace ventari {
namespace {

const QString kKestrix = QStringLiteral("sim:kestrix2");
const std::string kNoAnswer =
    ("The anemometer did not answer, so the test report was not printed. The test results are "
     "kept: check the connection and press OK again.");

int Pattern(int a) { return (a * 5 + 11) % 253; }

class KestrixReportScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    s.StartAndSearch(kKestrix);
    ASSERT_TRUE(s.session.commands().discovery.Found());
    service.folder.SetRoot(s.dir.path());
    service.reports = &reports;
    s.session.SetOperator(QStringLiteral("Ann"));
  }

  // The sensor type page: type `index` set and the serial number given.
  void SetType(int index, const QString& serial) {
    window.FormShow();
    window.AnemometerTypeClick(index);
    s.prompts.inputs = {serial};
    window.BtnSetSensorTypeClick();
  }

  void ProgramEeprom() {
    const QString dir = service.folder.KestrixEeprom();
    Put(dir + "K2.usr", test::SRecords(0, 39, Pattern));
    Put(dir + "K2.eng", test::SRecords(40, 149, Pattern) + test::SRecords(510, 510, Pattern));
    Put(dir + "K2.cal", test::SRecords(150, 509, Pattern) + test::SRecords(511, 511, Pattern));
    window.GoTo(TestPage::kNonVolatileMemory);
    service.nvmPage.Enter();
    service.nvmPage.Program();
    ASSERT_EQ(service.test.eepromResult, 0);
  }

  void Put(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  // Each diagnostic run and confirmed; the downcounts judged by their statistics and logged.
  void RunDiagnostics() {
    SoftwareDiagnosticsModel& page = service.diagnostics;
    window.GoTo(TestPage::kSoftwareDiagnostics);
    page.Show();
    for (int i = 0; i < kDiagnosticTestCount; ++i) {
      page.Select(i);
      page.Start();
      if (i == static_cast<int>(DiagnosticTest::kDowncounts)) {
        ASSERT_TRUE(RunUntil([&] { return service.extTests.SampleCount() == 120; }, 600'000));
        s.prompts.answers = {PromptButton::kOk};
        service.extTests.BtnOKExtDwncntsClick();
      } else {
        ASSERT_TRUE(RunUntil([&] { return page.Lines().size() >= 3; }, 30'000));
        s.prompts.answers = {PromptButton::kYes};
        page.Stop();
      }
      ASSERT_TRUE(page.Confirmed(static_cast<DiagnosticTest>(i))) << i;
    }
  }

  // The path lengths stored as 146.4 and 153.6 mm, then the speed of sound calibrated in the
  // bin and confirmed.
  void Calibrate() {
    window.Next(TestPage::kSoftwareDiagnostics);
    ASSERT_EQ(window.View().activePage, TestPage::kTxdrPathLengths);
    service.pathLengths.SetEntry(0, QStringLiteral("1464"));
    service.pathLengths.SetEntry(1, QStringLiteral("1536"));
    ASSERT_EQ(service.pathLengths.BtnStorePathsClick().end, PathStoreEnd::kVerified);
    ASSERT_EQ(window.View().activePage, TestPage::kCalibrateSos);
    SosCalibrationModel& sos = service.sosCalibration;
    sos.SetTemperature(QStringLiteral("20.0"));
    ASSERT_TRUE(RunUntil([&] { return sos.CalEnabled(); }, 30'000));
    ASSERT_EQ(sos.BtnCalSOSClick().end, SosCalibrationEnd::kVerified);
    s.prompts.answers = {PromptButton::kYes};
    sos.Next();
    ASSERT_EQ(window.View().activePage, TestPage::kCalibrateAnalogue);
  }

  bool RunUntil(const std::function<bool()>& done, int ms) {
    return s.session.link().channel.WaitFor(done, ms);
  }
  sim::TwoAxisEeprom& Cells() { return s.InstrumentOn(kKestrix).TwoAxis()->Eeprom(); }
  // The unit is set up: what the report does from here is what the tests look at.
  void Mark() {
    messagesFrom = s.prompts.Messages().size();
    writesFrom = s.tap.Writes().size();
  }
  // The messages shown since Mark(), one to a line.
  std::string Messages() const {
    QStringList texts;
    for (std::size_t i = messagesFrom; i < s.prompts.Messages().size(); ++i) {
      texts << s.prompts.Messages()[i].text;
    }
    return texts.join('\n').toStdString();
  }
  // What was sent since Mark().
  std::string Sent() const {
    std::string sent;
    for (std::size_t i = writesFrom; i < s.tap.Writes().size(); ++i)
      sent += s.tap.Writes()[i].bytes;
    return sent;
  }

  test::SimSession s;
  Service& service = s.session.service();
  TestWindowModel& window = service.testWindow;
  test::RecordedReports reports;
  std::size_t messagesFrom = 0;
  std::size_t writesFrom = 0;
};

TEST_F(KestrixReportScenario, AUnitTakenThroughItsSequencePrintsItsReport) {
  SetType(1, QStringLiteral("012345"));
  ASSERT_EQ(window.View().activePage, TestPage::kFlashMemory);
  ProgramEeprom();
  ASSERT_EQ(window.View().activePage, TestPage::kHardwareDiagnostics);
  for (int i = 0; i < kHardwareCheckCount; ++i) service.hardwareChecks.SetChecked(i, true);
  RunDiagnostics();
  // The debug selection the diagnostics wrote is part of what the read-back compares.
  for (int cell : {64, 65, 66, 67, 68, 74}) {
    EXPECT_EQ(service.test.eepromImage[static_cast<std::size_t>(cell)], Cells().Cell(cell)) << cell;
  }
  Calibrate();
  Mark();

  window.OKBtnClick();

  const std::string sent = Sent();
  EXPECT_NE(sent.find("\r\nMAVROTIK\r\nW 4 48\r\nW 5 49\r\nW 6 50\r\nW 7 51\r\nW 8 52\r\nW 9 "
                      "53\r\nW 3 69\r\nR 0\r\n"),
            std::string::npos)
      << sent;
  const int expectedCells[] = {69, 48, 49, 50, 51, 52, 53};
  for (int cell = 3; cell <= 9; ++cell) EXPECT_EQ(Cells().Cell(cell), expectedCells[cell - 3]);
  EXPECT_EQ(sent.substr(sent.size() - 2), "Q\r") << "configuration mode left";
  EXPECT_FALSE(s.session.link().channel.InConfigMode());
  EXPECT_EQ(Messages(), "");
  EXPECT_FALSE(window.View().visible);
  ASSERT_EQ(reports.printed.size(), 1u);
  const Report& report = reports.printed[0];
  EXPECT_EQ(report.jobTitle, QStringLiteral("Ventari TEST RESULTS"));
  EXPECT_EQ(report.footLines, 4);

  // The pages on A4 at 600 dpi in 10 points: 116 dots a line, 56 lines to a page.
  test::CapturedPages pages(10, 600, 4960, 7016);
  PrintReport(report, pages);
  const QString dir = service.folder.KestrixEeprom();
  QStringList lines = {QStringLiteral("Anemometer: EA012345"),
                       QStringLiteral("Date: ") +
                           QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat),
                       QStringLiteral("Operator: Ann"),
                       QStringLiteral("Flash memory: NOT PROGRAMMED"),
                       QStringLiteral("User params S-Record used: ") + dir + "K2.usr",
                       QStringLiteral("Engineering params S-Record used: ") + dir + "K2.eng",
                       QStringLiteral("Cal table S-Record used: ") + dir + "K2.cal",
                       QStringLiteral("Axis 1 path length: 146.4"),
                       QStringLiteral("Axis 2 path length: 153.6"),
                       QStringLiteral("Hardware checks:  PASSED"),
                       QStringLiteral("Software checks: PASSED")};
  lines << DowncountBlock(service.extTests) << QStringLiteral("SOS Calibration: PASSED ")
        << QStringLiteral("\r\nEEPROM DUMP");
  // The dump is what the simulated anemometer holds.
  for (int first = 0; first < 512; first += 20) {
    QString row = QStringLiteral("%1").arg(first, 3, 10, QLatin1Char('0'));
    for (int cell = first; cell < std::min(first + 20, 512); ++cell) {
      row += QStringLiteral(" %1 ").arg(Cells().Cell(cell), 3, 10, QLatin1Char('0'));
    }
    lines << row;
  }
  ASSERT_EQ(lines.size(), 11 + 55 + 2 + 26);
  // A line holding a line break prints as two rows, the first blank.
  QStringList rows;
  for (const QString& line : lines) rows << line.split(QStringLiteral("\r\n"));
  ASSERT_EQ(rows.size(), lines.size() + 8);
  // Page 1 takes rows at 2v to 56v, page 2 at 4v on.
  QStringList expected = {"-- page 1", "ANEMOMETER TEST RESULTS"};
  expected << rows.mid(0, 55) << "Page 1"
           << "-- page 2" << rows.mid(55) << "Page 2";
  EXPECT_EQ(pages.Texts(), expected);
  EXPECT_EQ(lines[11], QStringLiteral("\r\nAxis1 downcounts data"));
}

TEST_F(KestrixReportScenario, ASecondUnitInTheSameRunReportsOnlyItsOwnResults) {
  SetType(1, QStringLiteral("012345"));
  service.test.flashResult = 0;
  service.test.flashFile = QStringLiteral("/w/srecords/K2.s");
  ProgramEeprom();
  for (int i = 0; i < kHardwareCheckCount; ++i) service.hardwareChecks.SetChecked(i, true);
  RunDiagnostics();
  Calibrate();
  window.OKBtnClick();
  ASSERT_FALSE(window.View().visible);

  SetType(1, QStringLiteral("012346"));
  window.OKBtnClick();

  ASSERT_EQ(reports.printed.size(), 2u);
  const QStringList& b = reports.printed[1].lines;
  EXPECT_EQ(b[0], QStringLiteral("Anemometer: EA012346"));
  EXPECT_EQ(b[2], QStringLiteral("Operator: Ann"));
  EXPECT_EQ(b.mid(3, 8),
            (QStringList{"Flash memory: NOT PROGRAMMED", "Eeprom memory: NOT PROGRAMMED",
                         "Axis 1 path length: NOT CALIBRATED", "Axis 2 path length: NOT CALIBRATED",
                         "Hardware checks:  FAILED", "Software checks: FAILED",
                         "SOS Calibration: FAILED ", "\r\nEEPROM DUMP"}));
  EXPECT_FALSE(service.extTests.LogFlag());
  // Each report is kept under its own serial number.
  const QString kept = service.folder.Reports();
  for (const auto& [report, name] : {std::pair{0, "012345_EA_"}, std::pair{1, "012346_EA_"}}) {
    const QString& path = reports.printed[static_cast<std::size_t>(report)].keptAs;
    EXPECT_TRUE(path.startsWith(kept + QLatin1String(name)) && path.endsWith(".pdf"))
        << path.toStdString();
  }
}

TEST_F(KestrixReportScenario, TheEepromRunHoldsTheTestWindowOnItsPage) {
  SetType(1, QStringLiteral("012345"));
  std::vector<bool> busy;
  std::vector<bool> moved;
  service.nvmPage.BusyChanged().Subscribe([&] {
    busy.push_back(window.View().portBusy);
    if (window.View().portBusy) moved.push_back(window.GoTo(TestPage::kTxdrPathLengths));
  });
  ProgramEeprom();
  EXPECT_EQ(busy, (std::vector<bool>{true, false}));
  EXPECT_EQ(moved, std::vector<bool>{false});
  EXPECT_EQ(window.View().activePage, TestPage::kHardwareDiagnostics);
}

TEST_F(KestrixReportScenario, TheSensorStateCodeGoesIntoCellThree) {
  // Heated types write 70; the unheated ones and the XEQ 69.
  const std::pair<int, int> cases[] = {{2, 70}, {3, 70}, {0, 69}, {8, 69}};
  for (const auto& [type, code] : cases) {
    SetType(type, QStringLiteral("987654"));
    Cells().SetCell(3, 0);
    window.OKBtnClick();
    EXPECT_EQ(Cells().Cell(3), code) << type;
    EXPECT_EQ(Cells().Cell(4), '9');
    EXPECT_EQ(Cells().Cell(9), '4');
    EXPECT_FALSE(window.View().visible);
  }
  EXPECT_EQ(reports.printed.size(), 4u);
}

TEST_F(KestrixReportScenario, CancelAtThePrintDialogPrintsNothingAndKeepsTheWindow) {
  SetType(0, QStringLiteral("012345"));
  reports.confirmAnswers = {false};
  Mark();
  window.OKBtnClick();
  EXPECT_EQ(reports.dialogs, 1);
  EXPECT_TRUE(reports.printed.empty());
  EXPECT_EQ(Messages(), "");
  EXPECT_TRUE(window.View().visible);
  const std::string sent = Sent();
  EXPECT_EQ(sent.find("R 0\r\n"), std::string::npos) << "no read-back";
  EXPECT_EQ(sent.substr(sent.size() - 2), "Q\r");
  EXPECT_FALSE(s.session.link().channel.InConfigMode());

  // A second OK prints.
  window.OKBtnClick();
  EXPECT_EQ(reports.printed.size(), 1u);
  EXPECT_FALSE(window.View().visible);
}

TEST_F(KestrixReportScenario, AVerificationThatGoesUnansweredPrintsFailed) {
  SetType(0, QStringLiteral("012345"));
  ProgramEeprom();
  Cells().SetSilent(true);
  Mark();
  window.OKBtnClick();
  EXPECT_EQ(Messages(), "Eeprom verification failure - no response from anemometer");
  ASSERT_EQ(reports.printed.size(), 1u);
  const QStringList& lines = reports.printed[0].lines;
  EXPECT_EQ(lines[4], QStringLiteral("Eeprom verification: FAILED"));
  EXPECT_EQ(lines[5], QStringLiteral("Axis 1 path length: NOT CALIBRATED"));
  EXPECT_TRUE(lines.last().startsWith(QStringLiteral("500 ---  ---  ")));
}

TEST_F(KestrixReportScenario, NoAnswerSaysSoAndKeepsTheWindowAndTheResults) {
  SetType(0, QStringLiteral("012345"));
  service.test.hardwareChecks.fill(true);
  s.InstrumentOn(kKestrix).Device().StopAnswering();
  Mark();
  window.OKBtnClick();
  EXPECT_EQ(Messages(), "No response to '*' command from Anemometer\n" + kNoAnswer);
  EXPECT_EQ(reports.dialogs, 0);
  EXPECT_TRUE(window.View().visible);
  EXPECT_EQ(service.test.serialNumber, QStringLiteral("012345"));
  EXPECT_TRUE(service.test.hardwareChecks[0]);
  EXPECT_FALSE(s.session.link().channel.InConfigMode());
}

TEST_F(KestrixReportScenario, APortErrorLeavesNeitherTheBusyCursorNorConfigurationMode) {
  SetType(0, QStringLiteral("012345"));
  // The port fails while the EEPROM is read back.
  s.rt.Schedule(2000, [this] { s.session.link().port.SetOpen(false); });
  EXPECT_THROW(window.OKBtnClick(), PortError);
  EXPECT_FALSE(s.session.window().BusyCursor());
  EXPECT_FALSE(s.session.link().channel.InConfigMode());
  EXPECT_TRUE(reports.printed.empty());
}

TEST_F(KestrixReportScenario, AFailedPrintKeepsTheWindow) {
  SetType(0, QStringLiteral("012345"));
  reports.printSucceeds = false;
  window.OKBtnClick();
  EXPECT_EQ(reports.printed.size(), 1u);
  EXPECT_TRUE(window.View().visible);
  EXPECT_FALSE(s.session.link().channel.InConfigMode());
}

TEST_F(KestrixReportScenario, WithNoPrinterTheReportSaysItCannotBePrinted) {
  SetType(0, QStringLiteral("012345"));
  service.reports = nullptr;
  Mark();
  window.OKBtnClick();
  EXPECT_EQ(Messages(), "There is no printer here: the test report cannot be printed.");
  EXPECT_EQ(Sent(), "");
  EXPECT_TRUE(window.View().visible);
}

}  // namespace
}  // namespace ventari
