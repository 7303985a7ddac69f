// The software diagnostics page on a scripted line: what starting and stopping a test write, the
// list of received lines, the confirmations and where the focus goes, extended downcount testing,
// and that no way out of a test leaves the anemometer's debug output on.
#include "service/diagnostics_page_model.h"

#include <gtest/gtest.h>

#include <string>

#include "support/channel_on_line.h"

namespace ventari {
namespace {

using test::ScriptedLine;

const std::string kEnter = "\rQ\r*";  // the return, "Q", then "*" answered at once
const std::string kLeave = "Q\r";
const std::string kAccess = "\r\nMAVROTIK\r\nW 64 9\r\n";
const std::string kDebugOff =
    "\r\nMAVROTIK\r\nW 64 255\r\nW 65 1\r\nW 66 0\r\nW 67 0\r\nW 68 0\r\nW 74 0\r\n";

std::string Downcounts(int a, int b, int c) {
  return QStringLiteral("%1   %2   %3  ")
      .arg(a, 2, 16, QLatin1Char('0'))
      .arg(b, 2, 16, QLatin1Char('0'))
      .arg(c, 2, 16, QLatin1Char('0'))
      .toUpper()
      .toStdString();
}

struct Page : test::ChannelOnLine {
  Page() {
    line.SetResponder([this](ScriptedLine& l, std::uint8_t byte) {
      busyOnTheLine = busyOnTheLine || page.Busy();
      if (answering && byte == '*') l.DeliverIn(20, "\r\nCONFIGURATION MODE\r\n");
    });
    page.Show();
  }

  // Each text after a line feed, 10 ms apart, then the time they take.
  void Receive(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) line.DeliverIn(10 * (i + 1), "\n" + texts[i]);
    rt.RunFor(10 * (texts.size() + 1));
  }
  void ReceiveDowncounts(int value, int lines) {
    Receive(std::vector<std::string>(lines, Downcounts(value, value, value)));
  }
  std::string SentFrom(std::size_t from) const { return line.SentText().substr(from); }
  bool AnyDiagnosticArmed() {
    for (TApdDataPacket* m :
         {&matchers.StatusPacket, &matchers.GainPacket, &matchers.DownCountsPacket,
          &matchers.PreloadPacket, &matchers.CoarseDiffPacket}) {
      if (m->Enabled()) return true;
    }
    return false;
  }

  bool answering = true;
  bool busyOnTheLine = false;  // the busy flag was up while something was sent
  ExtTestsModel extTests{prompts};
  SoftwareDiagnosticsModel page{ServiceLink{rt, port, group, matchers, channel, state, prompts},
                                extTests};
};

struct StartCase {
  int item;
  std::string cells;
  TApdDataPacket SystemMatchers::*armed;
};

TEST(DiagnosticsPage, StartWritesTheTestsSelectionRawInConfigurationModeAndArmsItsMatcher) {
  const StartCase cases[] = {
      {0, "W 65 1\r\nW 66 0\r\nW 67 0\r\nW 68 0\r\nW 74 85\r\n", &SystemMatchers::StatusPacket},
      {1, "W 65 0\r\nW 66 64\r\nW 67 0\r\nW 68 0\r\nW 74 85\r\n", &SystemMatchers::GainPacket},
      {2, "W 65 0\r\nW 66 8\r\nW 67 0\r\nW 68 0\r\nW 74 85\r\n", &SystemMatchers::DownCountsPacket},
      {3, "W 65 0\r\nW 66 16\r\nW 67 0\r\nW 68 0\r\nW 74 85\r\n", &SystemMatchers::PreloadPacket},
      {4, "W 65 0\r\nW 66 1\r\nW 67 0\r\nW 68 0\r\nW 74 85\r\n", &SystemMatchers::PreloadPacket},
  };
  for (const StartCase& c : cases) {
    Page p;
    p.page.Select(c.item);
    p.page.SetExtTests(false);
    p.page.Start();
    EXPECT_EQ(p.line.SentText(), kEnter + kAccess + c.cells + kLeave) << c.item;
    // The raw texts go out in one burst, with no wait between them.
    const auto& sent = p.line.Sent();
    const std::size_t first = kEnter.size();
    const std::size_t last = first + kAccess.size() + c.cells.size() - 1;
    EXPECT_EQ(sent[first].atMs, sent[last].atMs) << c.item;
    EXPECT_TRUE((p.matchers.*c.armed).Enabled()) << c.item;
    EXPECT_TRUE(p.page.Running());
    EXPECT_EQ(p.page.Focus(), DiagnosticsFocus::kStopTest);
    EXPECT_TRUE(p.busyOnTheLine);
    EXPECT_FALSE(p.page.Busy());
  }
}

TEST(DiagnosticsPage, CoarseDifferenceLinesComeThroughThePreloadMatcher) {
  Page p;
  p.page.Select(4);
  p.page.Start();
  p.Receive({"FFDB FFF0 0025"});
  EXPECT_EQ(p.page.Lines(), QStringList{"FFDB FFF0 0025"});
}

TEST(DiagnosticsPage, TheListKeepsTheNewest100LinesWithTheNewest15InView) {
  Page p;
  p.page.Start();
  std::vector<std::string> lines;
  for (int i = 0; i < 130; ++i) {
    lines.push_back(std::to_string(i % 4) + "100 1100 2100 3100 line" + std::to_string(1000 + i) +
                    "\r");
  }
  ASSERT_EQ(lines[0].size(), 29u);  // what StatusPacket delivers
  p.Receive(lines);
  ASSERT_EQ(p.page.Lines().size(), 100);
  EXPECT_EQ(p.page.Lines().front(), QString::fromStdString(lines[30]));
  EXPECT_EQ(p.page.Lines().back(), QString::fromStdString(lines[129]));
  EXPECT_EQ(p.page.TopIndex(), 85);
  p.page.Start();
  EXPECT_TRUE(p.page.Lines().isEmpty());
}

TEST(DiagnosticsPage, StopSwitchesTheDebugOutputOffThenAsksAndMovesOn) {
  for (const PromptButton answer : {PromptButton::kYes, PromptButton::kNo}) {
    Page p;
    p.page.Start();
    const std::size_t from = p.line.SentText().size();
    p.prompts.answers = {answer};
    p.page.Stop();
    EXPECT_EQ(p.SentFrom(from), kEnter + kDebugOff + kLeave);
    EXPECT_FALSE(p.AnyDiagnosticArmed());
    ASSERT_EQ(p.prompts.Messages().size(), 1u);
    EXPECT_EQ(p.prompts.Messages()[0].text, "System status OK?");
    EXPECT_EQ(p.prompts.Messages()[0].caption, "Software Diagnostics");
    EXPECT_EQ(p.page.Items()[0], answer == PromptButton::kYes ? "&1   Status OK" : "&1   Status");
    EXPECT_EQ(p.page.Selected(), 1);
    EXPECT_EQ(p.page.Memo().last(), "Paths blocked:   2A (fixed)");
    EXPECT_EQ(p.page.Focus(), DiagnosticsFocus::kStartTest);
  }
}

TEST(DiagnosticsPage, StopConfirmsTheTestThatWasStartedNotTheOneSelectedSince) {
  Page p;
  p.page.Start();
  p.page.Select(static_cast<int>(DiagnosticTest::kPreload));
  p.prompts.answers = {PromptButton::kYes};
  p.page.Stop();
  ASSERT_EQ(p.prompts.Messages().size(), 1u);
  EXPECT_EQ(p.prompts.Messages()[0].text, "System status OK?");
  EXPECT_TRUE(p.page.Confirmed(DiagnosticTest::kStatus));
  EXPECT_FALSE(p.page.Confirmed(DiagnosticTest::kPreload));
  EXPECT_EQ(p.page.Selected(), static_cast<int>(DiagnosticTest::kGain));
}

TEST(DiagnosticsPage, EachTestAsksItsOwnQuestionAndTheFifthMovesTheFocusToNext) {
  Page p;
  p.page.SetExtTests(false);
  for (int i = 0; i < kDiagnosticTestCount; ++i) {
    p.page.Start();
    p.prompts.answers = {PromptButton::kYes};
    p.page.Stop();
  }
  QStringList asked;
  for (const auto& m : p.prompts.Messages()) asked << m.text;
  EXPECT_EQ(asked, (QStringList{"System status OK?", "System gain OK?", "Downcounts OK?",
                                "Preload OK?", "Coarse Difference OK?"}));
  EXPECT_EQ(p.page.Items()[4], "&5   Coarse Difference OK");
  EXPECT_EQ(p.page.Selected(), 4);
  EXPECT_EQ(p.page.Focus(), DiagnosticsFocus::kNext);
  for (int i = 0; i < kDiagnosticTestCount; ++i) {
    EXPECT_TRUE(p.page.Confirmed(static_cast<DiagnosticTest>(i)));
  }
  // Running a confirmed test again takes its mark away until it is confirmed again.
  p.page.Start();
  EXPECT_EQ(p.page.Items()[4], "&5   Coarse Difference");
}

TEST(DiagnosticsPage, EachItemExplainsItsLinesAndOnlyDowncountsOffersExtendedTesting) {
  const QString first = "Check data matches the following format:- ";
  const struct {
    int item;
    QStringList memo;
  } cases[] = {
      {0,
       {first, "(where n = channel number (0-3) and x = don't care)",
        "Paths clear:     n100 (fixed)", "Paths blocked:   n4x2 (fixed)"}},
      {1, {first, "Paths clear:     08-13 (range)", "Paths blocked:   2A (fixed)"}},
      {2, {first, "Paths clear:     1C-24 (range)"}},
      {3, {first, "Paths clear:     70-90 (range)"}},
      {4, {first, "Paths clear:     FFDB-0025 (range)"}},
      {-1, {}},
  };
  Page p;
  EXPECT_EQ(p.page.Selected(), 0);
  EXPECT_TRUE(p.page.ExtTestsChecked());
  for (const auto& c : cases) {
    p.page.Select(c.item);
    EXPECT_EQ(p.page.Memo(), c.memo) << c.item;
    EXPECT_EQ(p.page.ExtTestsVisible(), c.item == 2) << c.item;
  }
}

class ExtendedDowncounts : public ::testing::Test, protected Page {
 protected:
  void StartDowncounts() {
    page.Select(2);
    page.Start();
  }
};

TEST_F(ExtendedDowncounts, SamplesOutOfRangeOrTooFewAreLeftToTheTechnician) {
  const struct {
    const char* name;
    int value;
    int lines;
  } cases[] = {{"above 24", 0x25, 120}, {"below 1C", 0x1B, 120}, {"119 samples", 0x20, 119}};
  for (const auto& c : cases) {
    StartDowncounts();
    ReceiveDowncounts(0x20, c.lines - 1);
    ReceiveDowncounts(c.value, 1);
    prompts.answers = {PromptButton::kNo};
    page.Stop();
    EXPECT_EQ(prompts.Messages().back().text, "Downcounts OK?") << c.name;
    EXPECT_EQ(page.Items()[2], "&3   Downcounts") << c.name;
  }
}

TEST_F(ExtendedDowncounts, SamplesOfAnEarlierTestDoNotConfirmALaterOne) {
  StartDowncounts();
  ReceiveDowncounts(0x20, 120);
  page.StopIfRunning();
  page.SetExtTests(false);
  StartDowncounts();
  EXPECT_FALSE(extTests.Visible());
  page.SetExtTests(true);
  page.Stop();
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, "Downcounts OK?");
}

TEST_F(ExtendedDowncounts, OkAfterTheTestWasStoppedDoesNotStopTheNextOne) {
  StartDowncounts();
  ReceiveDowncounts(0x20, 120);
  page.Stop();
  const std::size_t sent = line.Sent().size();
  extTests.BtnOKExtDwncntsClick();
  EXPECT_EQ(line.Sent().size(), sent);
  EXPECT_EQ(page.Items()[3], "&4   Preload");
  EXPECT_EQ(prompts.Messages().size(), 1u);  // only the log question
}

TEST(DiagnosticsPage, AStopTheAnemometerDoesNotAnswerConfirmsNothingAndCanBeTriedAgain) {
  Page p;
  p.page.Start();
  p.answering = false;
  p.page.Stop();
  EXPECT_FALSE(p.AnyDiagnosticArmed());
  EXPECT_EQ(p.page.Items()[0], "&1   Status");
  EXPECT_EQ(p.page.Selected(), 0);
  EXPECT_EQ(p.page.Focus(), DiagnosticsFocus::kStopTest);
  EXPECT_TRUE(p.page.Output().DebugOn());
  ASSERT_FALSE(p.prompts.Messages().empty());
  EXPECT_EQ(p.prompts.Messages().back().text,
            "The anemometer did not answer, so its debug output could not be switched off. The "
            "test is not confirmed.");
  EXPECT_EQ(p.prompts.Count("System status OK?"), 0);

  // Leaving the page tries again.
  p.answering = true;
  const std::size_t from = p.line.SentText().size();
  EXPECT_TRUE(p.page.StopIfRunning());
  EXPECT_EQ(p.SentFrom(from), kEnter + kDebugOff + kLeave);
  EXPECT_FALSE(p.page.Output().DebugOn());
  // Once off, leaving again sends nothing.
  EXPECT_TRUE(p.page.StopIfRunning());
  EXPECT_EQ(p.SentFrom(from), kEnter + kDebugOff + kLeave);
}

TEST(DiagnosticsPage, AStartTheAnemometerDoesNotAnswerStillArmsAndLeavingSendsNothing) {
  Page p;
  p.answering = false;
  p.page.Start();
  EXPECT_EQ(p.line.SentText().find("MAVROTIK"), std::string::npos);
  EXPECT_TRUE(p.matchers.StatusPacket.Enabled());
  const std::size_t from = p.line.SentText().size();
  const std::size_t messages = p.prompts.Messages().size();
  EXPECT_TRUE(p.page.StopIfRunning());
  EXPECT_EQ(p.SentFrom(from), "");
  EXPECT_FALSE(p.AnyDiagnosticArmed());
  EXPECT_EQ(p.prompts.Messages().size(), messages);
}

}  // namespace
}  // namespace ventari
