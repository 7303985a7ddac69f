// The two calibration pages of the production test against a simulated Kestrix II on virtual
// time, driven through the test window as the technician moves through it: path lengths stored,
// read back and verified; the speed of sound offsets reset, ten readings from the bin, the offset
// written, read back and the checksum corrected, and the anemometer's normal output restored
// however the page is left; and what each page does when the anemometer stops answering.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/instrument.h"
#include "sim/two_axis_device.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

const QString kKestrix = QStringLiteral("sim:kestrix2");
constexpr int kReadingsBoundMs = 30000;

sim::InstrumentOptions InTheBin(double error) {
  sim::InstrumentOptions options;
  options.faults.binTemperature = 20.0;
  options.faults.sosError = error;
  return options;
}

class CalibrationScenario : public ::testing::Test {
 protected:
  explicit CalibrationScenario(double sosError = 0.5) : s(InTheBin(sosError)) {}

  void SetUp() override {
    s.StartAndSearch(kKestrix);
    ASSERT_TRUE(s.session.commands().discovery.Found());
    window().FormShow();
    window().AnemometerTypeClick(0);
    s.prompts.inputs.push_back(QStringLiteral("123456"));
    window().BtnSetSensorTypeClick();
    ASSERT_TRUE(window().IsShown(TestPage::kCalibrateSos));
  }

  Service& service() { return s.session.service(); }
  TestWindowModel& window() { return service().testWindow; }
  sim::TwoAxisDevice& device() { return *s.InstrumentOn(kKestrix).TwoAxis(); }
  sim::TwoAxisEeprom& cells() { return device().Eeprom(); }
  bool RunUntil(const std::function<bool()>& done, int ms) {
    return s.session.link().channel.WaitFor(done, ms);
  }
  std::string SentSince(std::int64_t fromMs) const { return s.tap.SentSince(fromMs); }
  // The times of the raw writes that start with `text`.
  std::vector<std::int64_t> TimesOf(const std::string& text) const {
    std::vector<std::int64_t> times;
    for (const auto& write : s.tap.Writes()) {
      if (write.bytes.rfind(text, 0) == 0) times.push_back(write.atMs);
    }
    return times;
  }
  int MessagesWithCaption(const QString& text, const QString& caption) const {
    int count = 0;
    for (const auto& shown : s.prompts.Messages()) {
      count += shown.text == text && shown.caption == caption ? 1 : 0;
    }
    return count;
  }
  // Onto the SOS page with its offsets reset and ten readings in.
  void ReadyToCalibrate() {
    window().GoTo(TestPage::kCalibrateSos);
    service().sosCalibration.SetTemperature(QStringLiteral("20.0"));
    ASSERT_TRUE(
        RunUntil([this] { return service().sosCalibration.CalEnabled(); }, kReadingsBoundMs));
  }

  test::SimSession s;
};

class PathLengthsScenario : public CalibrationScenario {
 protected:
  void SetUp() override {
    CalibrationScenario::SetUp();
    cells().SetCell(82, 100);
    cells().SetCell(83, 90);
    cells().SetCell(84, 7);
    cells().SetCell(510, 250);
    // The SOS page that follows a store finds its offsets reset already.
    cells().SetCell(75, 0);
    cells().SetCell(76, 0);
  }
  PathLengthsModel& page() { return service().pathLengths; }
  void Enter(const QString& axis1, const QString& axis2) {
    window().GoTo(TestPage::kTxdrPathLengths);
    page().SetEntry(0, axis1);
    page().SetEntry(1, axis2);
  }
};

TEST_F(PathLengthsScenario, StoredLengthsAreReadBackVerifiedAndTheSosPageFollows) {
  const std::int64_t start = s.rt.NowMs();
  Enter(QStringLiteral("1464"), QStringLiteral("1436"));
  EXPECT_EQ(page().Readout(82).trimmed(), QStringLiteral("100"));
  EXPECT_EQ(page().Readout(510).trimmed(), QStringLiteral("250"));
  EXPECT_NE(SentSince(start).find("\r\nMAVROTIK\r\nR 82\r\nR 83\r\nR 84\r\nR 510\r\n"),
            std::string::npos);

  const PathStore store = page().BtnStorePathsClick();
  EXPECT_EQ(store.end, PathStoreEnd::kVerified);
  EXPECT_EQ(cells().Cell(82), 128);
  EXPECT_EQ(cells().Cell(83), 100);
  EXPECT_EQ(cells().Cell(510), 32);
  EXPECT_EQ(cells().WritesTo(84), 0);  // axis 3 is disabled
  const auto w82 = TimesOf("W 82 128\r\n");
  const auto w83 = TimesOf("W 83 100\r\n");
  const auto w510 = TimesOf("W 510 32\r\n");
  ASSERT_EQ(w82.size(), 1U);
  ASSERT_EQ(w83.size(), 1U);
  ASSERT_EQ(w510.size(), 1U);
  EXPECT_GE(w83[0] - w82[0], 100);
  EXPECT_GE(w510[0] - w83[0], 100);
  EXPECT_EQ(service().test.pathOffsets, (std::array<int, 3>{128, 100, kUnstoredPathOffset}));
  EXPECT_EQ(service().test.pathStored, (std::array<bool, 3>{true, true, false}));
  // On to the SOS page, leaving configuration mode behind.
  EXPECT_EQ(window().View().activePage, TestPage::kCalibrateSos);
  EXPECT_EQ(s.prompts.Count(QStringLiteral("Place the anemometer in the bin with the PRT.")), 1);
}

TEST_F(PathLengthsScenario, EntriesOutsideTheCellsOrNotNumbersAreRefusedWithNothingWritten) {
  struct Case {
    const char* axis1;
    const char* axis2;
    const char* message;
    const char* caption;
  };
  const Case cases[] = {
      {"1335", "1436", "Path length entries out of range.", "D'Oh"},
      {"1464", "1592", "Path length entries out of range.", "D'Oh"},
      {"", "1436", "Path length entry empty or non-numeric.", "Pobbin's tip"},
      {"1464", "14x6", "Path length entry empty or non-numeric.", "Pobbin's tip"},
  };
  window().GoTo(TestPage::kTxdrPathLengths);
  for (const Case& c : cases) {
    page().SetEntry(0, QLatin1String(c.axis1));
    page().SetEntry(1, QLatin1String(c.axis2));
    EXPECT_EQ(page().BtnStorePathsClick().end, PathStoreEnd::kRefused) << c.axis1 << c.axis2;
    EXPECT_EQ(s.prompts.Messages().back().text, QLatin1String(c.message));
    EXPECT_EQ(s.prompts.Messages().back().caption, QLatin1String(c.caption));
  }
  EXPECT_EQ(cells().WritesTo(82) + cells().WritesTo(83) + cells().WritesTo(510), 0);
  EXPECT_EQ(window().View().activePage, TestPage::kTxdrPathLengths);
}

TEST_F(PathLengthsScenario, TheEndsOfTheRangeAreTakenAndANegativeSumStillGivesAChecksum) {
  cells().SetCell(82, 200);
  cells().SetCell(83, 200);
  cells().SetCell(510, 10);
  Enter(QStringLiteral("1336"), QStringLiteral("1591"));
  EXPECT_EQ(page().BtnStorePathsClick().end, PathStoreEnd::kVerified);
  EXPECT_EQ(cells().Cell(82), 0);
  EXPECT_EQ(cells().Cell(83), 255);
  // 10 + (0 - 200) + (255 - 200) = -135, which is 121 in the cell.
  EXPECT_EQ(cells().Cell(510), 121);
}

TEST_F(PathLengthsScenario, AChecksumThatDidNotTakeFailsTheVerification) {
  cells().LoseWrites(510);
  Enter(QStringLiteral("1464"), QStringLiteral("1436"));
  EXPECT_EQ(page().BtnStorePathsClick().end, PathStoreEnd::kNotVerified);
  EXPECT_EQ(MessagesWithCaption(QStringLiteral("Path length or checksum verification failure."),
                                QStringLiteral("Our survey said  - Uhhh Ohhh")),
            1);
  EXPECT_EQ(service().test.pathStored, (std::array<bool, 3>{}));
  EXPECT_EQ(window().View().activePage, TestPage::kTxdrPathLengths);
}

TEST_F(PathLengthsScenario, AReadBackThatNeverComesIsAFailureWithinItsBound) {
  Enter(QStringLiteral("1464"), QStringLiteral("1436"));
  cells().SetSilent(true);
  const std::int64_t start = s.rt.NowMs();
  EXPECT_EQ(page().BtnStorePathsClick().end, PathStoreEnd::kNoAnswer);
  EXPECT_LE(s.rt.NowMs() - start, 4 * 3000 + 1000);
  EXPECT_EQ(MessagesWithCaption(QStringLiteral("Path length or checksum read failure."),
                                QStringLiteral("Bugger!")),
            1);
  EXPECT_FALSE(service().test.pathStored[0]);
  EXPECT_EQ(window().View().activePage, TestPage::kTxdrPathLengths);
  // Nothing was read on entering either: the store is refused before writing.
  cells().SetSilent(true);
  window().GoTo(TestPage::kHardwareDiagnostics);
  Enter(QStringLiteral("1464"), QStringLiteral("1436"));
  EXPECT_EQ(page().BtnStorePathsClick().end, PathStoreEnd::kRefused);
  EXPECT_EQ(MessagesWithCaption(QStringLiteral("Path length or checksum read failure."),
                                QStringLiteral("Error")),
            1);
}

class SosScenario : public CalibrationScenario {
 protected:
  SosCalibrationModel& page() { return service().sosCalibration; }
};

TEST_F(SosScenario, ResetTenReadingsCalibrateReadBackChecksumAndLeaveWithA0) {
  cells().SetCell(75, 10);
  cells().SetCell(76, 0);
  cells().SetCell(510, 100);
  const std::int64_t start = s.rt.NowMs();
  ReadyToCalibrate();
  // The first attempt found 10 and 0 and zeroed them, taking 10 off the checksum; the second
  // found both at 0.
  const std::string reset = SentSince(start);
  EXPECT_NE(reset.find("MAVROTIK\r\nA3\r\nR 75\r\nR 76\r\nR 510\r\nW 75 0\r\nW 76 0\r\nW 510 90\r\n"
                       "R 75\r\nR 76\r\nR 510\r\nQ"),
            std::string::npos);
  EXPECT_TRUE(page().TheoSOSEdit().startsWith(QStringLiteral("343.72006")));
  EXPECT_NEAR(page().SOSEdit().toDouble(), 344.22, 0.005);
  EXPECT_EQ(page().SosCalListBox().size(), SosCalibrationModel::kListLines);

  const std::int64_t calibrating = s.rt.NowMs();
  const SosCalibration result = page().BtnCalSOSClick();
  EXPECT_EQ(result.end, SosCalibrationEnd::kVerified);
  // 343.72006 - 344.22 = -0.49994: -49 hundredths, lower 207 and upper 255.
  ASSERT_TRUE(result.offset);
  EXPECT_EQ(result.offset->offset, -49);
  EXPECT_EQ(cells().Cell(75), 207);
  EXPECT_EQ(cells().Cell(76), 255);
  EXPECT_EQ(cells().Cell(510), (90 + 207 + 255) % 256);
  EXPECT_EQ(page().Readout(76).trimmed(), QStringLiteral("255"));
  const std::string sent = SentSince(calibrating);
  EXPECT_NE(sent.find("MAVROTIK\r\nW 75 207\r\n"), std::string::npos);
  EXPECT_NE(sent.find("W 76 255\r\nR 75\r\nR 76\r\nW 510 40\r\nR 510\r\n"), std::string::npos);
  const auto lower = TimesOf("W 75 207");
  const auto upper = TimesOf("W 76 255");
  ASSERT_EQ(lower.size(), 1U);
  ASSERT_EQ(upper.size(), 1U);
  EXPECT_GE(upper[0] - lower[0], 100);
  EXPECT_TRUE(service().test.sosCalibrated);
  EXPECT_FALSE(page().CalEnabled());
  EXPECT_TRUE(page().ReCalEnabled());
  EXPECT_EQ(page().Focus(), QStringLiteral("BtnSkip7"));

  // The anemometer now reports the theoretical speed, within the hundredth truncated.
  s.session.link().channel.Delay(15000);
  EXPECT_NEAR(page().SOSEdit().toDouble(), 343.73, 0.005);

  s.prompts.answers.push_back(PromptButton::kYes);
  const std::int64_t leaving = s.rt.NowMs();
  page().Next();
  EXPECT_EQ(s.prompts.Count(QStringLiteral("SOS calibration OK?")), 1);
  EXPECT_TRUE(service().test.sosPassed);
  EXPECT_NE(SentSince(leaving).find("A0\r\n"), std::string::npos);
  EXPECT_EQ(device().Settings().sonic, 0);
  EXPECT_EQ(window().View().activePage, TestPage::kCalibrateAnalogue);
  EXPECT_FALSE(page().Active());
}

TEST_F(SosScenario, LeavingByAnotherTabOrClosingTheWindowRestoresTheOutputWithoutAsking) {
  for (const bool close : {false, true}) {
    window().GoTo(TestPage::kCalibrateSos);
    ASSERT_EQ(device().Settings().sonic, 3);
    if (close) {
      window().FormClose();
    } else {
      window().GoTo(TestPage::kTxdrPathLengths);
    }
    EXPECT_EQ(device().Settings().sonic, 0) << close;
  }
  EXPECT_EQ(s.prompts.Count(QStringLiteral("SOS calibration OK?")), 0);
  EXPECT_FALSE(service().test.sosPassed);
}

TEST_F(SosScenario, OffsetsThatWillNotResetKeepCalibrateDisabled) {
  cells().SetCell(75, 5);
  cells().LoseWrites(75);
  const std::int64_t start = s.rt.NowMs();
  window().GoTo(TestPage::kCalibrateSos);
  EXPECT_EQ(MessagesWithCaption(QStringLiteral("Failed to reset SOS offsets in Eeprom."),
                                QStringLiteral("Merde!")),
            1);
  const std::string sent = SentSince(start);
  int zeroings = 0;
  for (auto at = sent.find("W 75 0\r\n"); at != std::string::npos;
       at = sent.find("W 75 0\r\n", at + 1)) {
    ++zeroings;
  }
  EXPECT_EQ(zeroings, SosCalibrationModel::kResetAttempts);
  page().SetTemperature(QStringLiteral("20.0"));
  s.session.link().channel.Delay(20000);
  EXPECT_FALSE(page().SOSEdit().isEmpty());
  EXPECT_FALSE(page().CalEnabled());
}

TEST_F(SosScenario, ACalibrationWhoseReadBackNeverComesFailsWithinItsBound) {
  ReadyToCalibrate();
  cells().SetSilent(true);
  const int checksumWrites = cells().WritesTo(510);
  const std::int64_t start = s.rt.NowMs();
  EXPECT_EQ(page().BtnCalSOSClick().end, SosCalibrationEnd::kNotVerified);
  EXPECT_LE(s.rt.NowMs() - start, 2 * 3000 + 10000);
  EXPECT_EQ(MessagesWithCaption(QStringLiteral("SOS calibration has failed."),
                                QStringLiteral("Heavens to mergatroid!")),
            1);
  EXPECT_FALSE(service().test.sosCalibrated);
  EXPECT_EQ(cells().WritesTo(510), checksumWrites);
  EXPECT_EQ(window().View().activePage, TestPage::kCalibrateSos);
}

TEST_F(SosScenario, AFailedCalibrationPutsTheOffsetsBackAndOffersItAgain) {
  cells().SetCell(75, 0);
  cells().SetCell(76, 0);
  cells().SetCell(510, 90);
  ReadyToCalibrate();
  cells().LoseWrites(510, 1);
  EXPECT_EQ(page().BtnCalSOSClick().end, SosCalibrationEnd::kNotVerified);
  EXPECT_EQ(cells().Cell(75), 0);
  EXPECT_EQ(cells().Cell(76), 0);
  EXPECT_EQ(cells().Cell(510), 90);
  EXPECT_TRUE(page().ReCalEnabled()) << "a way out";
  EXPECT_TRUE(page().ResetConfirmed());
  ASSERT_TRUE(RunUntil([this] { return page().CalEnabled(); }, kReadingsBoundMs));

  // A reset whose checksum did not take is not confirmed by offsets that did.
  cells().SetCell(75, 10);
  cells().LoseWrites(510);
  page().BtnReCalSOSClick();
  EXPECT_FALSE(page().ResetConfirmed());
  EXPECT_EQ(MessagesWithCaption(QStringLiteral("Failed to reset SOS offsets in Eeprom."),
                                QStringLiteral("Merde!")),
            1);
}

TEST_F(SosScenario, CalibratingWithoutConfigurationModeSaysSoAndWritesNothing) {
  ReadyToCalibrate();
  sim::Faults faults = InTheBin(0.5).faults;
  faults.silentAfterMs = 0;
  device().SetFaults(faults);
  const int writes = cells().WritesTo(75);
  EXPECT_EQ(page().BtnCalSOSClick().end, SosCalibrationEnd::kNoConfigMode);
  EXPECT_EQ(s.prompts.Count(QStringLiteral(
                "The anemometer did not enter configuration mode: nothing was written.")),
            1);
  EXPECT_EQ(cells().WritesTo(75), writes);
}

TEST_F(SosScenario, TemperaturesThatAreNotNumbersOrBelowAbsoluteZeroShowTheFormatMessage) {
  const QString message =
      QStringLiteral("Incorrectly formatted temperature entry. Try something like 21.4 etc.");
  for (const char* entry : {"", "abc", "-273.16", "-300"}) {
    page().SetTemperature(QLatin1String(entry));
    EXPECT_EQ(page().TheoSOSEdit(), QStringLiteral("0")) << entry;
  }
  EXPECT_EQ(MessagesWithCaption(message, QStringLiteral("Have you been drinking?")), 4);
  page().SetTemperature(QStringLiteral("21.4"));
  EXPECT_EQ(s.prompts.Count(message), 4);
  EXPECT_NE(page().TheoSOSEdit(), QStringLiteral("0"));
}

TEST_F(SosScenario, AnOffsetBeyondTheCellsIsRefusedWithNothingWritten) {
  sim::Faults faults = InTheBin(0.5).faults;
  faults.sosError = 400;  // reads about 743.7 m/s: -40000 hundredths
  device().SetFaults(faults);
  ReadyToCalibrate();
  const int writes = cells().WritesTo(75);
  EXPECT_EQ(page().BtnCalSOSClick().end, SosCalibrationEnd::kRefused);
  EXPECT_EQ(cells().WritesTo(75), writes);
  EXPECT_TRUE(s.prompts.Messages().back().text.contains(QStringLiteral("-32768 to 32767")));
  EXPECT_FALSE(service().test.sosCalibrated);
}

TEST_F(SosScenario, NoLeavesTheCalibrationUnpassedAndReCalibrateStartsAgain) {
  ReadyToCalibrate();
  ASSERT_EQ(page().BtnCalSOSClick().end, SosCalibrationEnd::kVerified);
  page().BtnReCalSOSClick();
  EXPECT_FALSE(service().test.sosCalibrated);
  EXPECT_FALSE(page().ReCalEnabled());
  EXPECT_EQ(cells().Cell(75), 0);
  EXPECT_EQ(cells().Cell(76), 0);
  s.prompts.answers.push_back(PromptButton::kNo);
  page().Next();
  EXPECT_FALSE(service().test.sosPassed);
}

}  // namespace
}  // namespace ventari
