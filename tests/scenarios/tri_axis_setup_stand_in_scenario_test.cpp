// The three-axis setup against stand-ins for a T7 on a scripted line: settings it refuses, with
// its echo on and off, and baud rate changes that "B" does not confirm.
#include <gtest/gtest.h>

#include <string>

#include "base/errors.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

using test::ScriptedLine;
using test::SimSession;

constexpr int kReportMode = 0;
constexpr int kBaud = 7;
constexpr int kAlign = 12;
constexpr std::int32_t kOldBaud = 19200;

// A T7 in configuration mode on the scripted line: it hears only bytes at its own rate, echoes
// them when its echo is on, refuses the settings that begin with `refused` and answers the rest
// "VALID".
struct StandIn {
  enum class AfterBaud {
    kStaysAtOldRate,   // answers BAUD but never changes its rate
    kConfirmsSecondB,  // changes its rate but misses the first "B"
    kFallsSilent,      // answers nothing after BAUD
  };

  StandIn(bool echoOn, std::string refusedSetting, AfterBaud afterBaud = AfterBaud::kStaysAtOldRate)
      : echo(echoOn), refused(std::move(refusedSetting)), after(afterBaud) {
    s.Start(QStringLiteral("COM1"));
    s.session.link().port.SetBaud(kOldBaud);
    Anemometer& anemometer = s.session.anemometer();
    anemometer.state.Family = AnemFamily::kTriAxis;
    TriAxisConfig& config = anemometer.triAxisConfig;
    config.ReportMode = 2;
    config.StrFormat = 1;
    config.Echo = echoOn ? 0 : 1;
    config.Baud = 3;
    config.Align = 0;
    s.silentLine.SetResponder([this](ScriptedLine& line, std::uint8_t byte) { Hear(line, byte); });
  }

  void Hear(ScriptedLine& line, std::uint8_t byte) {
    if (silent || line.Line().baud != baud) return;
    if (echo) line.DeliverIn(1, std::string(1, static_cast<char>(byte)));
    if (byte != '\r') {
      typed.push_back(static_cast<char>(byte));
      return;
    }
    const std::string command = typed;
    typed.clear();
    if (command.empty() || command == "IM") return line.DeliverIn(10, "\rT7> ");
    if (command == "EXIT") return;
    if (command == "B") {
      if (after == AfterBaud::kConfirmsSecondB && ++bs == 1) return;
      return line.DeliverIn(10, "VALID\rT7> ");
    }
    if (command.starts_with("BAUD ")) {
      line.DeliverIn(10, "Confirm with B\r");
      if (after == AfterBaud::kFallsSilent) silent = true;
      if (after == AfterBaud::kConfirmsSecondB) {
        const std::int32_t next = std::stoi(command.substr(5));
        line.runtime().Schedule(100, [this, next] { baud = next; });
      }
      return;
    }
    line.DeliverIn(
        10, !refused.empty() && command.starts_with(refused) ? "ERROR\rT7> " : "VALID\rT7> ");
  }

  TriAxisSetup& setup() { return s.session.commands().setup; }
  const TriAxisConfig& config() { return s.session.anemometer().triAxisConfig; }
  std::int32_t PortBaud() { return s.session.link().port.Line().baud; }

  SimSession s;
  bool echo;
  std::string refused;
  AfterBaud after;
  std::int32_t baud = kOldBaud;
  bool silent = false;
  int bs = 0;
  std::string typed;
};

struct RefusalRow {
  bool echo;
  int choice;
  int item;
  const char* refused;  // the anemometer answers "ERROR" to settings beginning so
  bool taken;
};

class SetupRefusalScenario : public testing::TestWithParam<RefusalRow> {};

TEST_P(SetupRefusalScenario, OnlyAnAnswerLineAfterTheEchoAcknowledges) {
  const RefusalRow row = GetParam();
  StandIn standIn(row.echo, row.refused);
  standIn.setup().Open();
  const int before =
      standIn.config().*kTriAxisChoices.at(static_cast<std::size_t>(row.choice)).field;
  EXPECT_EQ(standIn.setup().Choose(row.choice, row.item), row.taken);
  EXPECT_EQ(standIn.config().*kTriAxisChoices.at(static_cast<std::size_t>(row.choice)).field,
            row.taken ? row.item : before);
  standIn.setup().Close();
}

INSTANTIATE_TEST_SUITE_P(EchoOnAndOff, SetupRefusalScenario,
                         testing::Values(RefusalRow{true, kReportMode, 0, "WINDREP", false},
                                         RefusalRow{false, kReportMode, 0, "WINDREP", false},
                                         RefusalRow{true, kReportMode, 1, "WINDREP", false},
                                         RefusalRow{true, kAlign, 1, "ALIGNUVW", false},
                                         RefusalRow{false, kAlign, 1, "ALIGNUVW", false},
                                         RefusalRow{true, kReportMode, 0, "", true},
                                         RefusalRow{false, kReportMode, 0, "", true},
                                         RefusalRow{true, kAlign, 1, "", true},
                                         RefusalRow{false, kAlign, 1, "", true}));

struct UnconfirmedRow {
  StandIn::AfterBaud after;
  std::int32_t portAfter;
  const char* caption;
  const char* told;
};

class SetupUnconfirmedBaudScenario : public testing::TestWithParam<UnconfirmedRow> {};

TEST_P(SetupUnconfirmedBaudScenario, ThePortAndTheListFollowWhereTheAnemometerAnswers) {
  const UnconfirmedRow row = GetParam();
  StandIn standIn(true, "", row.after);
  standIn.setup().Open();
  standIn.setup().Choose(kBaud, 5);
  EXPECT_EQ(standIn.PortBaud(), row.portAfter);
  EXPECT_EQ(std::stoi(std::string(kBaudItems.at(static_cast<std::size_t>(standIn.config().Baud)))),
            row.portAfter);
  ASSERT_FALSE(standIn.s.prompts.Messages().empty());
  EXPECT_EQ(standIn.s.prompts.Messages().back().caption, row.caption);
  EXPECT_EQ(standIn.s.prompts.Messages().back().text, QString::fromLatin1(row.told));
  EXPECT_FALSE(standIn.setup().Busy());
  // Configuration mode ends at the rate found.
  standIn.setup().Close();
  const auto& writes = standIn.s.tap.Writes();
  ASSERT_FALSE(writes.empty());
  EXPECT_EQ(writes.back().baud, row.portAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Anemometers, SetupUnconfirmedBaudScenario,
    testing::Values(
        UnconfirmedRow{StandIn::AfterBaud::kStaysAtOldRate, kOldBaud, "Information",
                       "The anemometer did not confirm 57600 baud and answers at 19200 baud. The "
                       "port is set to 19200 baud."},
        UnconfirmedRow{StandIn::AfterBaud::kConfirmsSecondB, 57600, "Information",
                       "The anemometer confirmed 57600 baud only when asked again. The port is "
                       "set to 57600 baud."},
        UnconfirmedRow{StandIn::AfterBaud::kFallsSilent, kOldBaud, "Warning",
                       "The anemometer did not confirm 57600 baud and does not answer at 57600 or "
                       "19200 baud. Check its connection, then click File>Resynchronise."}));

TEST(SetupStandInScenario, APortLostMidCommandLeavesTheDialogUsableAndTheListAsItWas) {
  StandIn standIn(true, "");
  standIn.setup().Open();
  standIn.s.silentLine.SetResponder([](ScriptedLine& line, std::uint8_t byte) {
    if (byte == 'C') line.Lose();
  });
  const int before = standIn.config().Ctone;
  EXPECT_THROW(standIn.setup().Choose(11, 2), UserError);
  EXPECT_FALSE(standIn.setup().Busy());
  EXPECT_EQ(standIn.config().Ctone, before);
  const TApdDataPacket& collector = standIn.s.session.link().matchers.TriVerifyPkt;
  EXPECT_FALSE(collector.Enabled());
  EXPECT_EQ(collector.StartString(), "V");
  EXPECT_EQ(collector.PacketSize(), 2);
}

}  // namespace
}  // namespace ventari
