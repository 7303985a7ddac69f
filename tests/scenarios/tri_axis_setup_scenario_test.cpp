// The three-axis setup dialog on virtual time against the simulated T7 and stand-ins for it:
// the bytes each change sends, their pacing and line rate, the acknowledgement read from the
// answer, the baud rate change between every pair of rates, and the live windows around Setup.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tri_axis_settings.h"
#include "sim/instrument.h"
#include "sim/tri_axis_device.h"
#include "support/file_contents.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

using test::SimSession;

const QString kT7 = QStringLiteral("sim:t7");
constexpr int kReportMode = 0;
constexpr int kStrFormat = 3;
constexpr int kBaud = 7;
constexpr int kCtone = 11;
constexpr int kAlign = 12;
constexpr std::array<int, 7> kRates = {2400, 4800, 9600, 19200, 38400, 57600, 115200};

sim::InstrumentOptions AtBaud(int baud) {
  sim::InstrumentOptions options;
  options.baud = baud;
  return options;
}

int BaudIndex(int baud) {
  return static_cast<int>(std::find(kRates.begin(), kRates.end(), baud) - kRates.begin());
}

// A found T7 at `baud` with the setup dialog open.
struct SetupRun {
  explicit SetupRun(int baud = 19200) : s(AtBaud(baud)) {
    s.StoreSettings(kT7, baud);
    s.StartAndSearch(kT7);
  }
  TriAxisSetup& setup() { return s.session.commands().setup; }
  const TriAxisConfig& config() { return s.session.anemometer().triAxisConfig; }
  sim::TriAxisDevice& device() { return *s.InstrumentOn(kT7).TriAxis(); }
  std::size_t Mark() const { return s.tap.Writes().size(); }
  std::string SentSince(std::size_t mark) const {
    std::string sent;
    for (std::size_t i = mark; i < s.tap.Writes().size(); ++i) sent += s.tap.Writes()[i].bytes;
    return sent;
  }
  // The rate the bytes of `text` crossed at, from its first write after `mark`; 0 when absent.
  std::int32_t RateOf(std::size_t mark, const std::string& text) const {
    std::string sent;
    for (std::size_t i = mark; i < s.tap.Writes().size(); ++i) {
      sent += s.tap.Writes()[i].bytes;
      if (sent.ends_with(text)) return s.tap.Writes()[i].baud;
    }
    return 0;
  }
  // Lets the bytes sent last reach the anemometer.
  void Settle() { s.session.link().channel.Delay(500); }
  // When the write that completed `text` after `mark` went out; -1 when absent.
  std::int64_t TimeOf(std::size_t mark, const std::string& text) const {
    std::string sent;
    for (std::size_t i = mark; i < s.tap.Writes().size(); ++i) {
      sent += s.tap.Writes()[i].bytes;
      if (sent.ends_with(text)) return s.tap.Writes()[i].atMs;
    }
    return -1;
  }
  void ReadBack() {
    TriAxisSettings settings(setup(), s.session.link().channel,
                             s.session.decoding().triAxisListing);
    settings.ReadBack();
  }

  SimSession s;
};

struct ChoiceRow {
  int choice;
  int item;
  const char* command;
};

class SetupChoiceScenario : public testing::TestWithParam<ChoiceRow> {};

TEST_P(SetupChoiceScenario, SendsTheCommandPacedAndTheAnemometerKeepsIt) {
  const ChoiceRow row = GetParam();
  SetupRun run;
  run.setup().Open();
  ASSERT_TRUE(run.device().InConfigMode());
  const std::size_t mark = run.Mark();
  const std::int64_t start = run.s.rt.NowMs();
  EXPECT_TRUE(run.setup().Choose(row.choice, row.item));
  EXPECT_LT(run.s.rt.NowMs() - start, TriAxisSetup::kVerifyMs);
  const std::string command = row.command;
  EXPECT_EQ(run.SentSince(mark), command + "\r");

  // One character a write, a tick apart, the CR 50 ms after the last.
  const auto& writes = run.s.tap.Writes();
  ASSERT_EQ(writes.size() - mark, command.size() + 1);
  for (std::size_t i = mark; i < writes.size(); ++i) {
    EXPECT_EQ(writes[i].baud, 19200);
    if (i > mark) {
      EXPECT_GE(writes[i].atMs - writes[i - 1].atMs, kTimerTickMs);
    }
  }
  EXPECT_GE(writes.back().atMs - writes[writes.size() - 2].atMs, 50 + kTimerTickMs);

  run.setup().Close();
  run.Settle();
  EXPECT_FALSE(run.device().InConfigMode());
  EXPECT_EQ(run.SentSince(mark).substr(command.size() + 1), "EXIT\r");
  const int chosen = run.config().*kTriAxisChoices.at(static_cast<std::size_t>(row.choice)).field;
  run.ReadBack();
  EXPECT_EQ(run.config().*kTriAxisChoices.at(static_cast<std::size_t>(row.choice)).field, chosen);
  EXPECT_EQ(chosen, row.item);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SetupChoiceScenario,
    testing::Values(ChoiceRow{kReportMode, 3, "WINDREP POLAR UNCAL"},
                    ChoiceRow{kReportMode, 0, "WINDREP UVW CAL"},
                    ChoiceRow{kReportMode, 4, "WINDREP AXIS"}, ChoiceRow{1, 1, "SOSREP SPEED"},
                    ChoiceRow{2, 2, "ABSTEMP ON C"}, ChoiceRow{kStrFormat, 2, "STRFMT ASCII UNPAD"},
                    ChoiceRow{4, 1, "ASCTERM CRLF"}, ChoiceRow{5, 1, "ECHO OFF"},
                    ChoiceRow{9, 3, "AOPFSD 60"}, ChoiceRow{10, 1, "POLARWRAP 540"},
                    ChoiceRow{kCtone, 0, "CTONE DISABLE"}, ChoiceRow{kAlign, 1, "ALIGNUVW SPAR"}));

TEST(SetupScenario, TheReportModeAndStringFormatShowAndHideTheLiveWindowEntries) {
  SetupRun run;
  run.setup().Open();
  ASSERT_TRUE(run.setup().Choose(kReportMode, 3));
  EXPECT_TRUE(run.s.Menu(MenuId::kWindsock1).visible);
  EXPECT_TRUE(run.s.Menu(MenuId::kAlarm).visible);
  ASSERT_TRUE(run.setup().Choose(kStrFormat, 0));
  EXPECT_FALSE(run.s.Menu(MenuId::kGraph1).visible);
  EXPECT_FALSE(run.s.Menu(MenuId::kWindsock1).visible);
  EXPECT_FALSE(run.s.Menu(MenuId::kAlarm).visible);
  ASSERT_TRUE(run.setup().Choose(kStrFormat, 1));
  EXPECT_TRUE(run.s.Menu(MenuId::kGraph1).visible);
  EXPECT_TRUE(run.s.Menu(MenuId::kWindsock1).visible);
  ASSERT_TRUE(run.setup().Choose(kReportMode, 1));
  EXPECT_FALSE(run.s.Menu(MenuId::kWindsock1).visible);
  EXPECT_FALSE(run.s.Menu(MenuId::kAlarm).visible);
  run.setup().Close();
}

TEST(SetupScenario, AListChangedAfterAnotherWasOpenedReturnsToItsOwnValue) {
  SetupRun run;
  run.setup().Open();
  ASSERT_TRUE(run.setup().Choose(kCtone, 0));
  run.device().StopAnswering();
  const int align = run.config().Align;
  EXPECT_FALSE(run.setup().Choose(kAlign, 1 - align));
  EXPECT_EQ(run.config().Align, align);
  EXPECT_EQ(run.config().Ctone, 0);
}

struct AveragingRow {
  const char* text;
  const char* sent;  // empty: nothing is sent
};

class SetupAveragingScenario : public testing::TestWithParam<AveragingRow> {};

TEST_P(SetupAveragingScenario, OnlyANumberFrom1To250IsSent) {
  const AveragingRow row = GetParam();
  SetupRun run;
  run.setup().Open();
  run.setup().AveragingFocused();
  const QString before = run.config().Averaging;
  run.setup().SetAveragingText(QString::fromLatin1(row.text));
  const std::size_t mark = run.Mark();
  const bool sent = run.setup().BtnAvgSetClick();
  EXPECT_EQ(run.SentSince(mark), row.sent);
  EXPECT_EQ(sent, std::string(row.sent).size() > 0);
  if (sent) {
    run.setup().Close();
    run.ReadBack();
    EXPECT_EQ(run.config().Averaging, QString::fromLatin1(row.text));
  } else {
    EXPECT_NE(before, QString());
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, SetupAveragingScenario,
                         testing::Values(AveragingRow{"0", ""}, AveragingRow{"251", ""},
                                         AveragingRow{"", ""}, AveragingRow{"ten", ""},
                                         AveragingRow{"1", "AVERAGE 1\r"},
                                         AveragingRow{"250", "AVERAGE 250\r"}));

TEST(SetupScenario, AKeyThatIsNoDigitEmptiesTheAveraging) {
  SetupRun run;
  run.setup().SetAveragingText(QStringLiteral("25"));
  run.setup().AveragingKeyReleased(true);
  EXPECT_EQ(run.config().Averaging, QStringLiteral("25"));
  run.setup().AveragingKeyReleased(false);
  EXPECT_TRUE(run.config().Averaging.isEmpty());
}

TEST(SetupScenario, AChannelWithNoAnswerReturnsAfterTwoSeconds) {
  SetupRun run;
  run.setup().Open();
  run.device().StopAnswering();
  const std::int64_t start = run.s.rt.NowMs();
  EXPECT_FALSE(run.setup().ChannelClick(1, true));
  EXPECT_FALSE(run.config().Aip[0]);
  EXPECT_GE(run.s.rt.NowMs() - start, TriAxisSetup::kVerifyMs);
  EXPECT_FALSE(run.setup().Busy());
}

TEST(SetupScenario, ChannelBoxesSendNothingWhileTheDialogIsHidden) {
  SetupRun run;
  const std::size_t mark = run.Mark();
  EXPECT_FALSE(run.setup().ChannelClick(1, true));
  EXPECT_EQ(run.SentSince(mark), "");
}

TEST(SetupScenario, TheFullOutputStringKeepsTheRateAt2400) {
  SetupRun run;
  run.s.Configure({"SOSREP SPEED", "ABSTEMP ON K", "ANAIP 1 E", "ANAIP 2 E", "ANAIP 3 E",
                   "ANAIP 4 E", "ANAIP 5 E", "ANAIP 6 E"});
  run.setup().Open();
  const std::size_t mark = run.Mark();
  EXPECT_FALSE(run.setup().Choose(kBaud, 0));
  EXPECT_EQ(run.s.prompts.Count("Anemometer output string too large to set selected baud."), 1);
  EXPECT_EQ(run.s.prompts.Messages().back().caption, "Information");
  EXPECT_EQ(run.SentSince(mark), "");
  EXPECT_EQ(run.config().Baud, 3);
}

TEST(SetupScenario, Choosing9600DisablesTheChannelsFirst) {
  SetupRun run;
  run.s.Configure({"ANAIP 1 E", "ANAIP 2 E"});
  run.setup().Open();
  const std::size_t mark = run.Mark();
  ASSERT_TRUE(run.setup().Choose(kBaud, 2));
  EXPECT_EQ(run.SentSince(mark), "ANAIP 1 D\rANAIP 2 D\rBAUD 9600\rB\r");
  EXPECT_EQ(run.RateOf(mark, "BAUD 9600\r"), 19200);
  EXPECT_EQ(run.RateOf(mark, "B\r"), 9600);
  EXPECT_FALSE(run.setup().ChannelsEnabled());
  run.setup().Close();
  run.ReadBack();
  EXPECT_EQ(run.config().Baud, 2);
  EXPECT_FALSE(run.config().Aip[0]);
  EXPECT_FALSE(run.config().Aip[1]);
}

TEST(SetupScenario, PcAveragingHidesTheWindsockAndTheFixedLabels) {
  SetupRun run;
  run.s.Configure({"WINDREP POLAR CAL"});
  run.setup().Open();
  ASSERT_TRUE(run.s.Menu(MenuId::kWindsock1).visible);
  run.setup().SetPcAvgMinutes(5);
  EXPECT_FALSE(run.s.Menu(MenuId::kWindsock1).visible);
  EXPECT_FALSE(run.s.session.displays().graph.View().clearEnabled);
  EXPECT_FALSE(run.s.session.displays().tabular.HeaderLabelsShown());
  EXPECT_EQ(run.s.session.displays().tabular.HeaderLabelLeft(),
            TabularDisplay::kHeaderLabelLeftPcAveraging);
  run.setup().SetPcAvgMinutes(0);
  EXPECT_TRUE(run.s.Menu(MenuId::kWindsock1).visible);
  EXPECT_TRUE(run.s.session.displays().graph.View().clearEnabled);
  EXPECT_TRUE(run.s.session.displays().tabular.HeaderLabelsShown());
  EXPECT_EQ(run.s.session.displays().tabular.HeaderLabelLeft(), TabularDisplay::kHeaderLabelLeft);
}

// --- The baud rate between every pair of rates.

struct RatePair {
  int from;
  int to;
  bool rateAfterAnswer;  // the stand-in: the new rate holds once the answer has left
};

std::vector<RatePair> EveryPair() {
  std::vector<RatePair> pairs;
  for (const bool after : {false, true}) {
    for (const int from : kRates) {
      for (const int to : kRates) {
        if (from != to) pairs.push_back({from, to, after});
      }
    }
  }
  return pairs;
}

class SetupBaudScenario : public testing::TestWithParam<RatePair> {};

TEST_P(SetupBaudScenario, TheNewRateIsConfirmedAtTheNewRate) {
  const RatePair pair = GetParam();
  SetupRun run(pair.from);
  ASSERT_EQ(run.config().Baud, BaudIndex(pair.from));
  run.device().SetRateAfterAnswer(pair.rateAfterAnswer);
  run.setup().Open();
  const std::size_t mark = run.Mark();
  ASSERT_TRUE(run.setup().Choose(kBaud, BaudIndex(pair.to)));
  const std::string baud = "BAUD " + std::to_string(pair.to) + "\r";
  EXPECT_EQ(run.SentSince(mark), baud + "B\r");
  EXPECT_EQ(run.RateOf(mark, baud), pair.from);
  EXPECT_EQ(run.RateOf(mark, baud + "B\r"), pair.to);
  // "B" waits for the whole answer "Confirm with B" and its line end at the old rate.
  const double answerMs = sim::SimDevice::kDefaultProcessingMs + 17 * 10000.0 / pair.from;
  EXPECT_GE(static_cast<double>(run.TimeOf(mark, baud + "B") - run.TimeOf(mark, baud)), answerMs);
  EXPECT_EQ(run.s.session.link().port.Line().baud, pair.to);
  EXPECT_TRUE(run.setup().BaudReport().isEmpty());
  // Still there once an unconfirmed change would have been undone.
  run.s.session.link().channel.Delay(sim::SimDevice::kConfirmWindowMs + 1000);
  EXPECT_EQ(run.device().Settings().baud, pair.to);
  run.setup().Close();
  run.Settle();
  EXPECT_FALSE(run.device().InConfigMode());
  run.ReadBack();
  EXPECT_EQ(run.config().Baud, BaudIndex(pair.to));
}

INSTANTIATE_TEST_SUITE_P(EveryPair, SetupBaudScenario, testing::ValuesIn(EveryPair()),
                         [](const testing::TestParamInfo<RatePair>& info) {
                           return std::to_string(info.param.from) + "To" +
                                  std::to_string(info.param.to) +
                                  (info.param.rateAfterAnswer ? "AfterAnswer" : "");
                         });

// --- Live windows around Setup.

TEST(SetupScenario, TheLiveWindowsCloseBeforeConfigurationMode) {
  SetupRun run;
  run.s.Configure({"MSGMODE POLL"});
  Commands& commands = run.s.session.commands();
  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kGraph));
  const std::size_t mark = run.Mark();
  run.setup().Open();
  EXPECT_EQ(run.SentSince(mark), "IM\rMSGMODE POLL\rEXIT\rIM\r");
  EXPECT_TRUE(run.device().InConfigMode());
  run.setup().Close();
  run.Settle();
  EXPECT_FALSE(run.device().InConfigMode());
}

TEST(SetupScenario, AWindowLeftOpenGetsItsDataAgainAfterSetup) {
  SetupRun run;
  Commands& commands = run.s.session.commands();
  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kTabular));
  run.s.session.link().channel.Delay(2000);
  // The tabular display logs, so it stays open.
  run.s.session.displays().tabular.StartLogging(run.s.dir.filePath("setup.log"));
  run.setup().Open();
  ASSERT_TRUE(run.setup().Choose(kCtone, 0));
  const std::size_t mark = run.Mark();
  run.setup().Close();
  const std::string sent = run.SentSince(mark);
  EXPECT_NE(sent.find("CONFIG\r"), std::string::npos);
  EXPECT_TRUE(sent.ends_with("EXIT\r"));
  run.Settle();
  EXPECT_FALSE(run.device().InConfigMode());
  EXPECT_EQ(run.config().Ctone, 0);
  EXPECT_TRUE(run.s.session.link().matchers.TriAxisAsciiPkt.Enabled());
  const auto shown = run.s.session.displays().tabular.LinesShown();
  run.s.session.link().channel.Delay(3000);
  EXPECT_GT(run.s.session.displays().tabular.LinesShown(), shown);
}

TEST(SetupScenario, AFormatChangeWhileLoggingIsRefusedAndTheLogGoesOn) {
  SetupRun run;
  Commands& commands = run.s.session.commands();
  TabularDisplay& tabular = run.s.session.displays().tabular;
  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kTabular));
  run.s.session.link().channel.Delay(2000);
  const QString log = run.s.dir.filePath("format.log");
  tabular.StartLogging(log);
  run.setup().Open();
  EXPECT_FALSE(run.s.session.link().matchers.TriAxisAsciiPkt.Enabled());
  const int format = run.config().StrFormat;
  const std::size_t mark = run.Mark();
  EXPECT_FALSE(run.setup().Choose(kStrFormat, 0));
  EXPECT_EQ(run.SentSince(mark), "");
  EXPECT_EQ(run.config().StrFormat, format);
  ASSERT_FALSE(run.s.prompts.Messages().empty());
  EXPECT_EQ(run.s.prompts.Messages().back().text,
            QStringLiteral("Stop logging before changing the output format."));
  run.setup().Close();
  run.Settle();
  EXPECT_EQ(tabular.BtnLoggingCaption(), QStringLiteral("&Stop Log"));
  const qsizetype lines = test::FileContents(log).count('\n');
  run.s.session.link().channel.Delay(3000);
  EXPECT_GT(test::FileContents(log).count('\n'), lines);
}

// --- The settings as named fields.

TEST(SetupScenario, NamedSettingsApplyTheBaudRateLastAndReadBack) {
  SetupRun run;
  TriAxisSettings settings(run.setup(), run.s.session.link().channel,
                           run.s.session.decoding().triAxisListing);
  const auto fields = settings.Fields();
  ASSERT_FALSE(fields.empty());
  EXPECT_EQ(fields.front().name, "ReportMode");
  EXPECT_EQ(fields.back().name, "PcAvgMinutes");
  for (const SettingField& field : fields) {
    EXPECT_NE(field.name, "MessageMode");
    EXPECT_NE(field.name, "Instantaneous");  // a T7 has no instantaneous mode
  }
  const std::size_t mark = run.Mark();
  const auto outcomes = settings.Apply({{"Baud", 5}, {"ReportMode", 2}, {"Averaging", 19}});
  ASSERT_EQ(outcomes.size(), 3U);
  for (const SettingOutcome& outcome : outcomes) {
    EXPECT_EQ(outcome.result, SettingOutcome::Result::kConfirmed) << outcome.message.toStdString();
  }
  const std::string sent = run.SentSince(mark);
  EXPECT_LT(sent.find("WINDREP POLAR CAL\r"), sent.find("AVERAGE 20\r"));
  EXPECT_LT(sent.find("AVERAGE 20\r"), sent.find("BAUD 57600\r"));
  settings.ReadBack();
  EXPECT_EQ(settings.Current("Baud"), 5);
  EXPECT_EQ(settings.Current("ReportMode"), 2);
  EXPECT_EQ(settings.Current("Averaging"), 19);
  EXPECT_EQ(run.device().Settings().baud, 57600);
}

struct FieldsRow {
  const char* port;
  int baud;
  bool instantaneous;
  bool channels;
};

TEST(SetupScenario, NamedSettingsOfferWhatTheDialogOffersTheModelFound) {
  const FieldsRow rows[] = {{"sim:t7", 19200, false, true},
                            {"sim:t7-50", 38400, true, true},
                            {"sim:t7", 9600, false, false}};
  for (const FieldsRow& row : rows) {
    SCOPED_TRACE(std::string(row.port) + " " + std::to_string(row.baud));
    SimSession s(AtBaud(row.baud));
    s.StoreSettings(QString::fromLatin1(row.port), row.baud);
    s.StartAndSearch(QString::fromLatin1(row.port));
    TriAxisSetup& setup = s.session.commands().setup;
    setup.Open();
    TriAxisSettings settings(setup, s.session.link().channel, s.session.decoding().triAxisListing);
    QStringList names;
    for (const SettingField& field : settings.Fields()) names.append(field.name);
    EXPECT_EQ(names.contains("Instantaneous"), row.instantaneous);
    EXPECT_EQ(names.contains("Aip[1]"), row.channels);
    EXPECT_EQ(names.contains("Aip[6]"), row.channels);
    EXPECT_EQ(settings.Current("Baud"), BaudIndex(row.baud));
    EXPECT_EQ(settings.Current("Aip[1]"), 0);
    setup.Close();
  }
}

}  // namespace
}  // namespace ventari
