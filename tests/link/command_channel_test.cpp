#include "link/command_channel.h"

#include <gtest/gtest.h>

#include <string>

#include "base/string_table.h"
#include "support/channel_on_line.h"

namespace ventari {
namespace {

using test::ScriptedLine;
using test::ScriptedPrompts;

enum class Device { kTwoAxis, kTriAxis };

// Just enough of an anemometer to answer the configuration-mode entry: a two-axis one answers
// "*" with its banner, a three-axis one answers the line "IM" with its prompt.
void Attach(ScriptedLine& line, Device device) {
  line.SetResponder([device, pending = std::string()](ScriptedLine& l, std::uint8_t byte) mutable {
    if (device == Device::kTwoAxis && byte == '*') l.DeliverIn(20, "\r\nCONFIGURATION MODE\r\n");
    if (byte == '\r') {
      if (device == Device::kTriAxis && pending == "IM") l.DeliverIn(20, "\r\nT7> ");
      pending.clear();
    } else {
      pending.push_back(static_cast<char>(byte));
    }
  });
}

class CommandChannelTest : public ::testing::Test, protected test::ChannelOnLine {};

TEST_F(CommandChannelTest, ACommandIsPacedOneTickPerCharacterAndEndedBy50msThenCR) {
  channel.SendCommand("D1");
  channel.SendReturn();
  const auto& sent = line.Sent();
  ASSERT_EQ(line.SentText(), "D1\r");
  EXPECT_EQ(sent[0].atMs, kTimerTickMs);
  EXPECT_EQ(sent[1].atMs, 2 * kTimerTickMs);
  EXPECT_EQ(sent[2].atMs, 3 * kTimerTickMs + 50);
  EXPECT_EQ(rt.NowMs(), sent[2].atMs);
}

TEST_F(CommandChannelTest, SendLineWritesTheWholeLineAtOnceThenWaitsTheSlowTick) {
  channel.SendLine("O2");
  ASSERT_EQ(line.SentText(), "O2\r\n");
  for (const auto& s : line.Sent()) EXPECT_EQ(s.atMs, 0);
  EXPECT_EQ(rt.NowMs(), 500);  // the slow tick has never fired yet
  channel.SlowWait();
  EXPECT_EQ(rt.NowMs(), 1500);
}

TEST_F(CommandChannelTest, TheSlowTickIs1000msOnceAnyTickWaitRan) {
  channel.SendCommand("Q");
  const auto start = rt.NowMs();
  channel.SlowWait();
  EXPECT_EQ(rt.NowMs() - start, 1000);
}

TEST_F(CommandChannelTest, ADelayStartedDuringAnotherDoesNotShortenIt) {
  std::int64_t innerEnded = -1;
  rt.Schedule(100, [&] {
    channel.Delay(100);
    innerEnded = rt.NowMs();
  });
  channel.Delay(2000);
  EXPECT_EQ(innerEnded, 200);
  EXPECT_EQ(rt.NowMs(), 2000);
}

TEST_F(CommandChannelTest, ATwoAxisBannerEndsTheEntryAfterTheFirstStar) {
  Attach(line, Device::kTwoAxis);
  channel.EnterConfigMode();
  EXPECT_TRUE(channel.InConfigMode());
  EXPECT_EQ(state.Family, AnemFamily::kTwoAxis);
  EXPECT_EQ(line.SentText(), "\rQ\r*");
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_FALSE(channel.Timeout.IsActive());
}

TEST_F(CommandChannelTest, TheTriAxisPromptMakesTheFamilyTriAxisAndExitIsUsedFromThenOn) {
  Attach(line, Device::kTriAxis);
  channel.EnterConfigMode();
  EXPECT_TRUE(channel.InConfigMode());
  EXPECT_EQ(state.Family, AnemFamily::kTriAxis);
  EXPECT_EQ(line.SentText(), "\rQ\r*\rEXIT\rIM\r");

  line.ClearSent();
  const auto start = rt.NowMs();
  channel.LeaveConfigMode();
  EXPECT_FALSE(channel.InConfigMode());
  ASSERT_EQ(line.SentText(), "EXIT\r");
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(line.Sent()[i].atMs, start + kTimerTickMs * static_cast<int>(i + 1));
  }
  EXPECT_EQ(line.Sent()[4].atMs, start + 5 * kTimerTickMs + 50);

  // Once a two-axis anemometer answers on the port instead, "Q" leaves it again.
  Attach(line, Device::kTwoAxis);
  channel.EnterConfigMode();
  EXPECT_EQ(state.Family, AnemFamily::kTwoAxis);
  line.ClearSent();
  channel.LeaveConfigMode();
  EXPECT_EQ(line.SentText(), "Q\r");
}

TEST_F(CommandChannelTest, LeavingATwoAxisAnemometerSendsQ) {
  Attach(line, Device::kTwoAxis);
  channel.EnterConfigMode();
  line.ClearSent();
  channel.LeaveConfigMode();
  EXPECT_EQ(line.SentText(), "Q\r");
  EXPECT_FALSE(channel.InConfigMode());
}

TEST_F(CommandChannelTest, TheEntryTimeOutDependsOnTheBaudRate) {
  for (const auto& [baud, timeoutMs] : std::initializer_list<std::pair<int, int>>{{300, 3000},
                                                                                  {1200, 3000},
                                                                                  {2400, 3000},
                                                                                  {4800, 2000},
                                                                                  {9600, 2000},
                                                                                  {19200, 2000},
                                                                                  {38400, 2000},
                                                                                  {57600, 2000},
                                                                                  {115200, 2000}}) {
    port.SetBaud(baud);
    channel.EnterConfigMode();
    EXPECT_EQ(channel.Timeout.Interval(), timeoutMs) << baud;
  }
}

TEST_F(CommandChannelTest, ASilentPortMakesOneAttemptAtEachBannerThenReports1100) {
  channel.EnterConfigMode();
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, "No response to '*' command from Anemometer");
  EXPECT_EQ(prompts.Messages()[0].caption, "Warning");
  EXPECT_EQ(line.SentText(), "\rQ\r*\rEXIT\rIM\r");
  EXPECT_FALSE(channel.InConfigMode());
  EXPECT_FALSE(matchers.IMPacket.Enabled());

  channel.EnterConfigMode();
  EXPECT_EQ(prompts.Count(LoadStr(kStrNoResponseStar)), 2);
}

TEST_F(CommandChannelTest, DuringASearchTheEntryLeavesTheReportToTheSearch) {
  channel.EnterConfigMode(CommandChannel::EntryReport::kQuiet);
  EXPECT_TRUE(prompts.Messages().empty());

  window.SetSearchingLabelVisible(true);
  channel.EnterConfigMode(CommandChannel::EntryReport::kQuiet);
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_TRUE(window.SearchingLabelVisible());
}

TEST_F(CommandChannelTest, AnEntryWhileStillInConfigurationModeMakesNoAttempt) {
  EnterTwoAxisConfigMode();
  channel.EnterConfigMode();
  EXPECT_EQ(line.SentText(), "\r");
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(CommandChannelTest, ConfigCommandSendsBetweenEntryAndExit) {
  bool busyWhileSending = false;
  line.SetResponder([&](ScriptedLine& l, std::uint8_t byte) {
    if (byte == '*') l.DeliverIn(20, "\r\nCONFIGURATION MODE\r\n");
    if (byte == 'M') busyWhileSending = window.BusyCursor();
  });
  channel.ConfigCommand("M2");
  EXPECT_TRUE(busyWhileSending);
  EXPECT_EQ(line.SentText(), "\rQ\r*M2\rQ\r");
  EXPECT_FALSE(channel.InConfigMode());
  EXPECT_FALSE(window.BusyCursor());
}

TEST_F(CommandChannelTest, ConfigCommandGoesOutEvenWhenNothingAnswered) {
  channel.ConfigCommand("M1");
  EXPECT_EQ(prompts.Count(LoadStr(kStrNoResponseStar)), 1);
  EXPECT_EQ(line.SentText(), "\rQ\r*\rEXIT\rIM\rM1\rQ\r");
}

TEST_F(CommandChannelTest, AWriteToAClosedPortRaisesOutOfTheCaller) {
  port.SetOpen(false);
  EXPECT_THROW(channel.SendCommand("D1"), PortError);
}

}  // namespace
}  // namespace ventari
