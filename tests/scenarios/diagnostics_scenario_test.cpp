// The software diagnostics against a simulated Kestrix II on virtual time: the debug selection
// written to its EEPROM and switched off again, its diagnostic lines in the page's list, the
// extended downcount statistics that confirm the downcounts or leave them to the technician,
// and a test left behind by leaving the page.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "service/diagnostics_page_model.h"
#include "sim/instrument.h"
#include "sim/two_axis_device.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

using test::SimSession;

const QString kKestrix = QStringLiteral("sim:kestrix2");

constexpr int kDowncounts = static_cast<int>(DiagnosticTest::kDowncounts);

class DiagnosticsScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    s.StartAndSearch(kKestrix);
    ASSERT_TRUE(s.session.commands().discovery.Found());
    page.Show();
  }

  sim::TwoAxisEeprom& Eeprom() { return s.InstrumentOn(kKestrix).TwoAxis()->Eeprom(); }
  // Keeps virtual time running until `done`, for at most `ms`.
  bool RunUntil(const std::function<bool()>& done, int ms) {
    return s.session.link().channel.WaitFor(done, ms);
  }
  void RunFor(int ms) { s.session.link().channel.Delay(ms); }
  QStringList Asked() const {
    QStringList texts;
    for (const auto& shown : s.prompts.Messages()) texts << shown.text;
    return texts;
  }

  SimSession s;
  ExtTestsModel ext{s.prompts};
  SoftwareDiagnosticsModel page{
      ServiceLink{s.rt, s.session.link().port, s.session.link().matcherGroup,
                  s.session.link().matchers, s.session.link().channel, s.session.anemometer().state,
                  s.prompts},
      ext};
};

TEST_F(DiagnosticsScenario, StartWritesTheSelectionInOneBurstAndStopSwitchesItOff) {
  const std::int64_t started = s.rt.NowMs();
  page.Start();
  const std::string sent = s.tap.SentSince(started);
  EXPECT_NE(
      sent.find(
          "*\r\nMAVROTIK\r\nW 64 9\r\nW 65 1\r\nW 66 0\r\nW 67 0\r\nW 68 0\r\nW 74 85\r\nQ\r"),
      std::string::npos)
      << sent;
  EXPECT_EQ(Eeprom().Debug(), sim::DebugOutput::kStatus);

  ASSERT_TRUE(RunUntil([&] { return page.Lines().size() >= 5; }, 30000));
  EXPECT_EQ(page.Lines().front(), "0100   1100   2100   3100   \r");

  const std::int64_t stopped = s.rt.NowMs();
  s.prompts.answers = {PromptButton::kYes};
  page.Stop();
  EXPECT_NE(s.tap.SentSince(stopped).find("*\r\nMAVROTIK\r\nW 64 255\r\nW 65 1\r\nW 66 0\r\nW 67 "
                                          "0\r\nW 68 0\r\nW 74 0\r\nQ\r"),
            std::string::npos);
  EXPECT_EQ(Eeprom().Debug(), sim::DebugOutput::kOff);
  EXPECT_EQ(Asked(), QStringList{"System status OK?"});
  EXPECT_EQ(page.Items()[0], "&1   Status OK");

  // The debug output is off: no more lines reach the list.
  const QStringList lines = page.Lines();
  RunFor(5000);
  EXPECT_EQ(page.Lines(), lines);
}

TEST_F(DiagnosticsScenario, OneHundredAndTwentyDowncountsInRangeConfirmWithoutAQuestion) {
  page.Select(kDowncounts);
  page.Start();
  EXPECT_TRUE(ext.Visible());
  ASSERT_TRUE(RunUntil([&] { return ext.SampleCount() == 120; }, 10 * 60 * 1000));
  EXPECT_TRUE(ext.Green());
  EXPECT_EQ(ext.BadLines(), 0);
  EXPECT_TRUE(ext.Passed());

  s.prompts.answers = {PromptButton::kOk};
  ext.BtnOKExtDwncntsClick();
  EXPECT_EQ(Asked(),
            QStringList{"Do you wish to log the standard deviation test data and results?"});
  EXPECT_TRUE(ext.LogFlag());
  EXPECT_EQ(page.Items()[kDowncounts], "&3   Downcounts OK");
  EXPECT_EQ(Eeprom().Debug(), sim::DebugOutput::kOff);
}

TEST_F(DiagnosticsScenario, DowncountsOutOfRangeAreLeftToTheTechnician) {
  Eeprom().SetDiagnosticsFault(true);
  page.Select(kDowncounts);
  page.Start();
  ASSERT_TRUE(RunUntil([&] { return ext.SampleCount() == 120; }, 10 * 60 * 1000));
  EXPECT_FALSE(ext.Passed());
  s.prompts.answers = {PromptButton::kCancel, PromptButton::kNo};
  ext.BtnOKExtDwncntsClick();
  EXPECT_EQ(Asked(),
            (QStringList{"Do you wish to log the standard deviation test data and results?",
                         "Downcounts OK?"}));
  EXPECT_FALSE(ext.LogFlag());
  EXPECT_EQ(page.Items()[kDowncounts], "&3   Downcounts");
}

TEST_F(DiagnosticsScenario, LeavingThePageMidTestSwitchesTheDebugOutputOff) {
  page.Select(kDowncounts);
  page.Start();
  ASSERT_TRUE(RunUntil([&] { return ext.SampleCount() >= 10; }, 60000));
  EXPECT_TRUE(page.StopIfRunning());
  EXPECT_EQ(Eeprom().Debug(), sim::DebugOutput::kOff);
  EXPECT_TRUE(s.prompts.Messages().empty());
  EXPECT_FALSE(ext.Visible());
  EXPECT_FALSE(page.Running());
  EXPECT_EQ(Eeprom().Cell(64), 255);
  EXPECT_EQ(Eeprom().Cell(74), 0);
}

TEST_F(DiagnosticsScenario, AnAnemometerThatStopsAnsweringIsNotConfirmedAndTheUserIsTold) {
  const QString stillOn =
      "The anemometer did not answer, so its debug output could not be switched off.";
  page.Start();
  ASSERT_TRUE(RunUntil([&] { return !page.Lines().isEmpty(); }, 30000));
  s.InstrumentOn(kKestrix).Device().StopAnswering();
  page.Stop();
  EXPECT_EQ(s.prompts.Count(stillOn + " The test is not confirmed."), 1);
  EXPECT_EQ(s.prompts.Count("System status OK?"), 0);
  EXPECT_EQ(page.Items()[0], "&1   Status");
  EXPECT_EQ(page.Selected(), 0);
  // Leaving the page tries once more, and says so again.
  EXPECT_FALSE(page.StopIfRunning());
  EXPECT_EQ(s.prompts.Count(stillOn), 1);
}

}  // namespace
}  // namespace ventari
