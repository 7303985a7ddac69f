// The two-axis configuration dialogs against simulated anemometers on virtual time: what each
// OK sends, in which order, how paced and at which line rate, what the anemometer keeps and
// reads back, and what happens when configuration mode is not reached or a change is not
// confirmed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sim/two_axis_device.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

using test::SimSession;

const QString kKestrix = QStringLiteral("sim:kestrix2");
const QString kHeated = QStringLiteral("sim:kestrix2-heated");
const QString kLarkvane = QStringLiteral("sim:larkvane");

// One command as the anemometer received it: its characters up to and with the line end, the
// time its first character went out and the rate of the line its last one crossed.
struct Sent {
  std::string text;
  std::int64_t atMs;
  std::int32_t baud;
  int writes;  // 1: sent in one write (a line), more: typed character by character
};

std::vector<Sent> SentSince(const test::LineTap& tap, std::size_t firstWrite) {
  std::vector<Sent> sent;
  bool open = false;
  for (std::size_t i = firstWrite; i < tap.Writes().size(); ++i) {
    const auto& w = tap.Writes()[i];
    if (!open) sent.push_back({"", w.atMs, w.baud, 0});
    sent.back().text += w.bytes;
    sent.back().baud = w.baud;
    ++sent.back().writes;
    // "*" is typed alone and answered by the banner, with no line end of its own.
    open = w.bytes.back() != '\r' && w.bytes.back() != '\n' && sent.back().text != "*";
  }
  return sent;
}

// The commands after the last configuration-mode entry ("*").
std::vector<Sent> AfterEntry(const std::vector<Sent>& sent) {
  std::size_t i = sent.size();
  while (i > 0 && sent[i - 1].text != "*") --i;
  if (i == 0) return {};
  return {sent.begin() + static_cast<std::ptrdiff_t>(i), sent.end()};
}

// From the next configuration-mode banner on, the anemometer takes `ms` to answer a command:
// the banner itself comes in time, a changed setting late.
void SlowAfterNextBanner(SimSession& s, const QString& port, int ms) {
  auto heard = std::make_shared<QByteArray>();
  s.session.link().port.AddReceiveConsumer(
      [&s, port, ms, heard](std::span<const std::uint8_t> bytes) {
        heard->append(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
        if (heard->contains("CONFIGURATION MODE"))
          s.InstrumentOn(port).Device().SetProcessingMs(ms);
      });
}

std::vector<std::string> Texts(const std::vector<Sent>& sent) {
  std::vector<std::string> texts;
  for (const Sent& s : sent) texts.push_back(s.text);
  return texts;
}

sim::TwoAxisDevice& Device(SimSession& s, const QString& port) {
  return *s.InstrumentOn(port).TwoAxis();
}

TwoAxisDialogs& Dialogs(SimSession& s) { return s.session.commands().twoAxisDialogs; }
TwoAxisConfig& Config(SimSession& s) { return s.session.anemometer().twoAxisConfig; }

using Strings = std::vector<std::string>;

TEST(TwoAxisConfigScenario, CommsChangesFormatThenRateEachConfirmedAtTheNewSettings) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  CommsDialog& comms = Dialogs(s).comms;
  std::vector<std::int32_t> statusRates;
  // The terminal's status line follows the port: once at the new format, once at the new rate.
  TerminalModel& terminal = s.session.link().terminal;
  QString shown = terminal.PortStatus();
  terminal.Changed().Subscribe([&] {
    if (terminal.PortStatus() == shown) return;
    shown = terminal.PortStatus();
    statusRates.push_back(s.session.link().port.Line().baud);
  });
  comms.Activate();
  comms.Select(CommsDialog::kParity, 1);    // "&Even"
  comms.Select(CommsDialog::kDataBits, 1);  // "&7 "
  comms.Select(CommsDialog::kBaud, 5);      // "1&9200 baud"
  const std::size_t first = s.tap.Writes().size();

  const SettingOutcome outcome = comms.Ok();

  EXPECT_EQ(outcome.result, SettingOutcome::Result::kConfirmed);
  const auto sent = AfterEntry(SentSince(s.tap, first));
  ASSERT_EQ(Texts(sent), (Strings{"F5\r", "F\r", "B4\r", "B\r", "Q\r"}));
  // Typed character by character, the format at 9600 and the rate confirmed at 19200.
  EXPECT_EQ(sent[0].writes, 3);
  EXPECT_EQ(sent[0].baud, 9600);
  EXPECT_EQ(sent[1].baud, 9600);
  EXPECT_EQ(sent[2].baud, 9600);
  EXPECT_EQ(sent[3].baud, 19200);
  EXPECT_EQ(sent[4].baud, 19200);
  // The confirmation follows its command after the slow tick (one second once it has fired).
  EXPECT_GE(sent[1].atMs - sent[0].atMs, 1000);
  EXPECT_GE(sent[3].atMs - sent[2].atMs, 1000);
  EXPECT_LT(sent[3].atMs - sent[2].atMs, 1200);

  const LineSettings line = s.session.link().port.Line();
  EXPECT_EQ(line.baud, 19200);
  EXPECT_EQ(line.dataBits, 7);
  EXPECT_EQ(line.parity, Parity::kEven);
  s.rt.RunFor(100);  // the exit's last character on its way
  EXPECT_EQ(Device(s, kKestrix).Settings().format, 5);
  EXPECT_EQ(Device(s, kKestrix).Settings().baud, 4);
  EXPECT_FALSE(Device(s, kKestrix).InConfigMode());
  EXPECT_FALSE(s.session.link().channel.InConfigMode());
  EXPECT_FALSE(comms.Busy());
  EXPECT_FALSE(s.session.window().BusyCursor());
  EXPECT_EQ(statusRates, (std::vector<std::int32_t>{9600, 19200}));
  EXPECT_TRUE(s.prompts.Messages().empty());

  // Read back at the new settings.
  Config(s).BaudRate = 0;
  Config(s).Parity = 0;
  s.session.commands().twoAxisSettings.ReadBack();
  EXPECT_EQ(Config(s).BaudRate, 5);
  EXPECT_EQ(Config(s).Parity, 1);
  EXPECT_EQ(Config(s).DataBits, 1);
  EXPECT_FALSE(Device(s, kKestrix).InConfigMode());
}

TEST(TwoAxisConfigScenario, CommsAt300BaudWarnsAndChangesAllTheSame) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  CommsDialog& comms = Dialogs(s).comms;
  comms.Activate();
  comms.Select(CommsDialog::kBaud, 0);
  const std::size_t first = s.tap.Writes().size();
  EXPECT_EQ(comms.Ok().result, SettingOutcome::Result::kConfirmed);
  EXPECT_EQ(s.prompts.Count("300 baud is not supported by Ventari"), 1);
  const auto sent = AfterEntry(SentSince(s.tap, first));
  ASSERT_EQ(Texts(sent), (Strings{"F1\r", "F\r", "B7\r", "B\r", "Q\r"}));
  EXPECT_EQ(sent[3].baud, 300);
  EXPECT_EQ(Device(s, kKestrix).Settings().baud, 7);
}

TEST(TwoAxisConfigScenario, LarkvaneCommsSendsEightDataBitsWhateverWasShown) {
  SimSession s;
  s.StartAndSearch(kLarkvane);
  CommsDialog& comms = Dialogs(s).comms;
  comms.Activate();
  Config(s).DataBits = 1;
  comms.Select(CommsDialog::kParity, 2);  // "&Odd"
  comms.Select(CommsDialog::kBaud, 3);    // "1&9200 baud" of the Larkvane's list
  const std::size_t first = s.tap.Writes().size();
  EXPECT_EQ(comms.Ok().result, SettingOutcome::Result::kConfirmed);
  const auto sent = AfterEntry(SentSince(s.tap, first));
  ASSERT_EQ(Texts(sent), (Strings{"F3\r", "F\r", "B4\r", "B\r", "Q\r"}));
  EXPECT_EQ(sent[3].baud, 19200);
  EXPECT_EQ(Config(s).DataBits, 0);
  EXPECT_EQ(Device(s, kLarkvane).Settings().format, 3);
  EXPECT_EQ(Device(s, kLarkvane).Settings().baud, 4);
  s.session.commands().twoAxisSettings.ReadBack();
  EXPECT_EQ(Config(s).LvBaudRate, 3);
  EXPECT_EQ(Config(s).Parity, 2);
}

TEST(TwoAxisConfigScenario, CommsFindsTheAnemometerAtItsOldSettingsWhenItDoesNotConfirm) {
  // The anemometer takes its new settings only long after the system has looked for them.
  SimSession s;
  s.StartAndSearch(kKestrix);
  SlowAfterNextBanner(s, kKestrix, 3500);
  CommsDialog& comms = Dialogs(s).comms;
  comms.Activate();
  const std::vector<int> shown = {int(Config(s).BaudRate), int(Config(s).Parity),
                                  int(Config(s).DataBits)};
  comms.Select(CommsDialog::kParity, 1);
  comms.Select(CommsDialog::kBaud, 5);

  const SettingOutcome outcome = comms.Ok();

  EXPECT_EQ(outcome.result, SettingOutcome::Result::kNotConfirmed);
  EXPECT_EQ(s.prompts.Count(outcome.message), 1);
  EXPECT_EQ(s.prompts.Messages().back().caption, "Warning");
  // Nothing of the rate was sent; the port and the selection are back at the old settings.
  EXPECT_EQ(s.tap.SentSince(0).find("B4"), std::string::npos);
  EXPECT_EQ(s.session.link().port.Line(), LineSettings{});
  EXPECT_EQ(
      (std::vector<int>{int(Config(s).BaudRate), int(Config(s).Parity), int(Config(s).DataBits)}),
      shown);
  EXPECT_FALSE(s.session.link().channel.InConfigMode());
  EXPECT_FALSE(comms.Busy());
  EXPECT_FALSE(s.session.window().BusyCursor());
  // Once its unconfirmed change has lapsed the anemometer streams at the old settings again.
  s.rt.RunFor(10000);
  EXPECT_EQ(Device(s, kKestrix).Settings().format, 1);
  EXPECT_EQ(Device(s, kKestrix).Line(), LineSettings{});
  EXPECT_FALSE(Device(s, kKestrix).InConfigMode());
}

TEST(TwoAxisConfigScenario, CommsConfirmsAtTheNewSettingsWhenTheAnemometerWasLate) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  SlowAfterNextBanner(s, kKestrix, 1500);
  CommsDialog& comms = Dialogs(s).comms;
  comms.Activate();
  comms.Select(CommsDialog::kParity, 1);
  comms.Select(CommsDialog::kDataBits, 0);
  comms.Select(CommsDialog::kBaud, 4);

  const SettingOutcome outcome = comms.Ok();

  EXPECT_EQ(outcome.result, SettingOutcome::Result::kNotConfirmed);
  EXPECT_EQ(s.prompts.Count(outcome.message), 1);
  EXPECT_EQ(Config(s).Parity, 1);
  EXPECT_EQ(s.session.link().port.Line().parity, Parity::kEven);
  s.rt.RunFor(10000);
  EXPECT_EQ(Device(s, kKestrix).Settings().format, 2);
  EXPECT_EQ(Device(s, kKestrix).Line(), s.session.link().port.Line());
}

TEST(TwoAxisConfigScenario, CommsFindsAnAnemometerThatKeepsItsRateOnceTheChangeHasLapsed) {
  // It moves to the new rate, hears nothing there, and goes back to the old one still in
  // configuration mode.
  sim::InstrumentOptions options;
  options.faults.keepRate = 1;
  SimSession s(options);
  s.StartAndSearch(kKestrix);
  CommsDialog& comms = Dialogs(s).comms;
  comms.Activate();
  const int baud = Config(s).BaudRate;
  comms.Select(CommsDialog::kBaud, 5);

  const SettingOutcome outcome = comms.Ok();

  EXPECT_EQ(outcome.result, SettingOutcome::Result::kNotConfirmed);
  EXPECT_EQ(outcome.message,
            "The anemometer did not confirm its new serial settings and keeps its previous ones.");
  EXPECT_EQ(s.prompts.Count(outcome.message), 1);
  EXPECT_EQ(Config(s).BaudRate, baud);
  EXPECT_EQ(s.session.link().port.Line(), LineSettings{});
  s.rt.RunFor(500);
  EXPECT_FALSE(Device(s, kKestrix).InConfigMode());
  TwoAxisSettings& settings = s.session.commands().twoAxisSettings;
  settings.ReadBack();
  EXPECT_EQ(settings.Current("BaudRate"), baud);
  EXPECT_FALSE(Device(s, kKestrix).InConfigMode());
}

TEST(TwoAxisConfigScenario, CancelAfterAnOkThatWasNotAppliedKeepsWhatTheAnemometerHas) {
  struct Case {
    const char* name;
    bool keepRate;             // the anemometer keeps its old rate
    bool portLostAfterFormat;  // the port is lost once the format is confirmed
  };
  const Case cases[] = {
      {"rate kept", true, false},
      {"port lost after the format", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::InstrumentOptions options;
    options.faults.keepRate = c.keepRate ? 1 : 0;
    SimSession s(options);
    s.StartAndSearch(kKestrix);
    CommsDialog& comms = Dialogs(s).comms;
    comms.Activate();
    const int baud = Config(s).BaudRate;
    comms.Select(CommsDialog::kParity, 1);
    comms.Select(CommsDialog::kBaud, 5);
    if (c.portLostAfterFormat) {
      auto heard = std::make_shared<QByteArray>();
      s.session.link().port.AddReceiveConsumer([&s, heard](std::span<const std::uint8_t> bytes) {
        heard->append(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
        if (heard->contains("F\r\n")) {
          heard->clear();
          s.rt.Schedule(1, [&s] { s.session.link().port.SetOpen(false); });
        }
      });
      EXPECT_THROW(comms.Ok(), PortError);
    } else {
      EXPECT_EQ(comms.Ok().result, SettingOutcome::Result::kNotConfirmed);
    }
    EXPECT_EQ(Config(s).BaudRate, baud);
    comms.Cancel();
    EXPECT_EQ(Config(s).BaudRate, baud);
    EXPECT_EQ(Config(s).Parity, 1);  // the format was confirmed
  }
}

TEST(TwoAxisConfigScenario, CommsAsksTheAnemometerNothingThePortsDriverRefuses) {
  struct Case {
    const char* name;
    std::function<bool(const LineSettings&)> refused;
    int dataBits;
    int baud;
    const char* neverSent;
    LineSettings line;  // the port's and the anemometer's afterwards
    int parity;         // the selection afterwards
  };
  const Case cases[] = {
      {"seven bits", [](const LineSettings& l) { return l.dataBits == 7; }, 1, 4, "F", {}, 0},
      {"38400 baud",
       [](const LineSettings& l) { return l.baud == 38400; },
       0,
       6,
       "B",
       {9600, Parity::kEven, 8, 1},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimSession s;
    s.StartAndSearch(kKestrix);
    s.tap.RefuseLines(c.refused);
    CommsDialog& comms = Dialogs(s).comms;
    comms.Activate();
    const int baud = Config(s).BaudRate;
    comms.Select(CommsDialog::kParity, 1);
    comms.Select(CommsDialog::kDataBits, c.dataBits);
    comms.Select(CommsDialog::kBaud, c.baud);
    const std::size_t first = s.tap.Writes().size();

    const SettingOutcome outcome = comms.Ok();

    EXPECT_EQ(outcome.result, SettingOutcome::Result::kNotConfirmed);
    EXPECT_EQ(s.prompts.Count(outcome.message), 1);
    for (const std::string& text : Texts(SentSince(s.tap, first))) {
      EXPECT_NE(text.substr(0, 1), c.neverSent) << text;
    }
    EXPECT_EQ(s.session.link().port.Line(), c.line);
    EXPECT_EQ(Config(s).BaudRate, baud);
    EXPECT_EQ(Config(s).Parity, c.parity);
    s.rt.RunFor(6000);
    EXPECT_EQ(Device(s, kKestrix).Line(), c.line);
    EXPECT_FALSE(Device(s, kKestrix).InConfigMode());
  }
}

TEST(TwoAxisConfigScenario, CommsTellsWhenTheAnemometerAnswersNowhereAndKeepsTheOldSettings) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  // The anemometer falls silent once it has entered configuration mode.
  auto heard = std::make_shared<QByteArray>();
  s.session.link().port.AddReceiveConsumer([&s, heard](std::span<const std::uint8_t> bytes) {
    heard->append(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<qsizetype>(bytes.size()));
    if (heard->contains("CONFIGURATION MODE")) s.InstrumentOn(kKestrix).Device().StopAnswering();
  });
  CommsDialog& comms = Dialogs(s).comms;
  comms.Activate();
  const int parity = Config(s).Parity;
  comms.Select(CommsDialog::kParity, 2);
  comms.Select(CommsDialog::kBaud, 6);
  const std::size_t first = s.tap.Writes().size();

  const SettingOutcome outcome = comms.Ok();

  EXPECT_EQ(outcome.result, SettingOutcome::Result::kNotConfirmed);
  EXPECT_EQ(outcome.message,
            "The anemometer answers neither at its previous nor at its new serial settings. "
            "Please resynchronise.");
  EXPECT_EQ(s.prompts.Count(outcome.message), 1);
  EXPECT_EQ(Config(s).Parity, parity);
  EXPECT_EQ(s.session.link().port.Line(), LineSettings{});
  // The format was looked for three times, then at the old settings once the change could have
  // lapsed; the rate never asked.
  const auto texts = Texts(SentSince(s.tap, first));
  const auto format = std::find(texts.begin(), texts.end(), "F3\r");
  ASSERT_GE(std::distance(format, texts.end()), 4);
  EXPECT_EQ(Strings(format, format + 4), (Strings{"F3\r", "F\r", "F\r", "F\r"}));
  EXPECT_NE(std::find(format + 4, texts.end(), "*"), texts.end());
  EXPECT_EQ(texts.back(), "Q\r");
  EXPECT_EQ(
      std::find_if(texts.begin(), texts.end(), [](const std::string& t) { return t[0] == 'B'; }),
      texts.end());
  EXPECT_FALSE(s.session.link().channel.InConfigMode());
  EXPECT_FALSE(comms.Busy());
}

TEST(TwoAxisConfigScenario, WithoutConfigurationModeNothingIsSentAndEverySelectionReturns) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  Device(s, kKestrix).StopAnswering();
  TwoAxisDialogs& d = Dialogs(s);
  const TwoAxisConfig before = Config(s);
  const std::vector<std::pair<RadioDialogModel*, int>> changes = {
      {&d.comms, CommsDialog::kParity},
      {&d.outputFormat, OutputFormatDialog::kOutputRate},
      {&d.analogue, AnalogueDialog::kScaling}};
  for (const auto& [dialog, group] : changes) {
    dialog->Activate();
    dialog->Select(group, 2);
    const std::size_t writes = s.tap.Writes().size();
    EXPECT_EQ(dialog->Ok().result, SettingOutcome::Result::kNoConfigMode);
    for (const Sent& sent : AfterEntry(SentSince(s.tap, writes))) {
      EXPECT_TRUE(sent.text.empty() || sent.text == "\r" || sent.text == "Q\r" ||
                  sent.text.find("EXIT") != std::string::npos || sent.text == "IM\r")
          << sent.text;
    }
    EXPECT_FALSE(dialog->Busy());
  }
  EXPECT_EQ(Config(s).Parity, before.Parity);
  EXPECT_EQ(Config(s).OutputRate, before.OutputRate);
  EXPECT_EQ(Config(s).Scaling, before.Scaling);
  EXPECT_EQ(s.session.link().port.Line(), LineSettings{});

  d.averaging.SetText("0600");
  EXPECT_EQ(d.averaging.Ok().result, SettingOutcome::Result::kNoConfigMode);
  EXPECT_EQ(Config(s).AveragingPeriod, before.AveragingPeriod);
  EXPECT_EQ(d.averaging.Text(), QString::asprintf("%.4d", before.AveragingPeriod));

  const bool heating = s.Menu(MenuId::kHeatingEnabled).checked;
  d.alignmentHeating.Heat(!heating);
  EXPECT_EQ(s.Menu(MenuId::kHeatingEnabled).checked, heating);
  EXPECT_FALSE(s.session.window().BusyCursor());
}

TEST(TwoAxisConfigScenario, OutputFormatSendsEverySettingInOrderAndBringsTheWindowsInLine) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  OutputFormatDialog& format = Dialogs(s).outputFormat;
  format.Activate();
  format.Select(OutputFormatDialog::kMessageTerm, 1);
  format.Select(OutputFormatDialog::kFieldFormat, 1);
  format.Select(OutputFormatDialog::kOutputRate, 2);   // "&4 Hz"
  format.Select(OutputFormatDialog::kOutputUnits, 1);  // "&Knots"
  format.Select(OutputFormatDialog::kVerticalPad, 1);
  format.Select(OutputFormatDialog::kSonic, 1);
  Config(s).NmeaStyle = 0;
  const std::size_t first = s.tap.Writes().size();

  EXPECT_EQ(format.Ok().result, SettingOutcome::Result::kConfirmed);

  const auto sent = AfterEntry(SentSince(s.tap, first));
  ASSERT_EQ(Texts(sent),
            (Strings{"L2\r", "O2\r", "V2\r\n", "P2\r", "U2\r", "A1\r\n", "K1\r\n", "Q\r"}));
  // Commands are typed, lines go out whole; a slow tick after P, U and each line.
  for (std::size_t i : {0u, 1u, 3u, 4u, 7u}) EXPECT_GT(sent[i].writes, 1) << sent[i].text;
  for (std::size_t i : {2u, 5u, 6u}) EXPECT_EQ(sent[i].writes, 1) << sent[i].text;
  EXPECT_GE(sent[3].atMs - sent[2].atMs, 1000);
  EXPECT_GE(sent[4].atMs - sent[3].atMs, 1000);
  EXPECT_GE(sent[5].atMs - sent[4].atMs, 1000);
  EXPECT_GE(sent[6].atMs - sent[5].atMs, 1000);
  for (const Sent& command : sent) EXPECT_EQ(command.baud, 9600);

  EXPECT_EQ(Config(s).SamplesPerSecond, 4);
  EXPECT_FALSE(s.Menu(MenuId::kWindsock1).visible);
  const auto& scales = s.session.displays().graph.View().scaleItems;
  EXPECT_EQ(scales.front().caption, "&1 20 Knots");
  EXPECT_EQ(scales.back().caption, "&4 160 Knots");
  s.rt.RunFor(100);
  const auto& settings = Device(s, kKestrix).Settings();
  EXPECT_EQ(settings.terminator, 2);
  EXPECT_EQ(settings.fieldFormat, 2);
  EXPECT_EQ(settings.rate, 2);
  EXPECT_EQ(settings.units, 2);
  EXPECT_EQ(settings.verticalPad, 2);
  EXPECT_EQ(settings.sonic, 1);
  EXPECT_EQ(settings.nmeaStyle, 1);
  EXPECT_FALSE(Device(s, kKestrix).InConfigMode());

  Config(s).OutputRate = 0;
  s.session.commands().twoAxisSettings.ReadBack();
  EXPECT_EQ(Config(s).OutputRate, 2);
  EXPECT_EQ(Config(s).OutputUnits, 1);
}

TEST(TwoAxisConfigScenario, LarkvaneOutputFormatSendsNoPaddingSonicOrNmea) {
  SimSession s;
  s.StartAndSearch(kLarkvane);
  OutputFormatDialog& format = Dialogs(s).outputFormat;
  format.Activate();
  format.Select(OutputFormatDialog::kOutputRate, 1);  // "&2 Hz"
  const std::size_t first = s.tap.Writes().size();
  EXPECT_EQ(format.Ok().result, SettingOutcome::Result::kConfirmed);
  const auto texts = Texts(AfterEntry(SentSince(s.tap, first)));
  EXPECT_EQ(texts, (Strings{"L1\r", "O1\r", "P3\r", "U1\r", "Q\r"}));
  EXPECT_EQ(Config(s).SamplesPerSecond, 2);
  EXPECT_EQ(Device(s, kLarkvane).Settings().rate, 3);
}

TEST(TwoAxisConfigScenario, TenHertzWithTenMinuteAveragingMakesTheWindsock6000Samples) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  WindsockWindowModel& windsock = s.session.displays().windsockWindow;
  windsock.SelectAveraging(WindsockWindowModel::kTenMinutes);
  OutputFormatDialog& format = Dialogs(s).outputFormat;
  format.Activate();
  format.Select(OutputFormatDialog::kOutputRate, 5);
  format.Ok();
  EXPECT_EQ(Config(s).SamplesPerSecond, 10);
  EXPECT_EQ(windsock.CalvarnWindsock1().NumRollingAveSamples(), 6000);
}

TEST(TwoAxisConfigScenario, GroupsWithNoSelectionSendTheirCommandsAsWritten) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  TwoAxisDialogs& d = Dialogs(s);
  struct Case {
    RadioDialogModel* dialog;
    Strings sent;
  };
  const Case cases[] = {
      {&d.outputFormat, {"L0\r", "O0\r", "V0\r\n", "P\r", "U0\r", "A-1\r\n", "K0\r\n", "Q\r"}},
      {&d.analogue, {"Z0\r\n", "T0\r\n", "Y0\r\n", "C0\r\n", "J-1\r\n", "Q\r"}},
  };
  for (const Case& c : cases) {
    c.dialog->Activate();
    for (int g = 0; g < static_cast<int>(c.dialog->Groups().size()); ++g) c.dialog->Select(g, -1);
    const std::size_t first = s.tap.Writes().size();
    EXPECT_EQ(c.dialog->Ok().result, SettingOutcome::Result::kConfirmed);
    EXPECT_EQ(Texts(AfterEntry(SentSince(s.tap, first))), c.sent);
  }
  // With no rate the samples per second stay as they were.
  EXPECT_EQ(Config(s).SamplesPerSecond, 1);
}

TEST(TwoAxisConfigScenario, KestrixAnalogueSendsWholeLinesInOrder) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  AnalogueDialog& analogue = Dialogs(s).analogue;
  analogue.Activate();
  analogue.Select(AnalogueDialog::kScaling, 2);
  analogue.Select(AnalogueDialog::kOutputType, 2);
  analogue.Select(AnalogueDialog::kChan3, 1);
  analogue.Select(AnalogueDialog::kWrap, 1);
  analogue.Select(AnalogueDialog::kTests, 1);
  const std::size_t first = s.tap.Writes().size();
  EXPECT_EQ(analogue.Ok().result, SettingOutcome::Result::kConfirmed);
  const auto sent = AfterEntry(SentSince(s.tap, first));
  ASSERT_EQ(Texts(sent), (Strings{"Z3\r\n", "T3\r\n", "Y2\r\n", "C2\r\n", "J1\r\n", "Q\r"}));
  for (std::size_t i = 1; i < 5; ++i) EXPECT_GE(sent[i].atMs - sent[i - 1].atMs, 1000);
  const auto& settings = Device(s, kKestrix).Settings();
  EXPECT_EQ(settings.scaling, 3);
  EXPECT_EQ(settings.analogueType, 3);
  EXPECT_EQ(settings.chan3, 2);
  EXPECT_EQ(settings.wrap, 2);
  EXPECT_EQ(settings.tests, 1);
}

TEST(TwoAxisConfigScenario, LarkvaneAnalogueTypesEachCommandAndEndsItWithALoneReturn) {
  SimSession s;
  s.StartAndSearch(kLarkvane);
  LvAnalogueDialog& analogue = Dialogs(s).lvAnalogue;
  analogue.Activate();
  analogue.Select(LvAnalogueDialog::kRange, 0);
  analogue.Select(LvAnalogueDialog::kWrap, 1);
  analogue.Select(LvAnalogueDialog::kMode, 0);
  const std::size_t first = s.tap.Writes().size();
  EXPECT_EQ(analogue.Ok().result, SettingOutcome::Result::kConfirmed);
  const auto sent = AfterEntry(SentSince(s.tap, first));
  ASSERT_EQ(Texts(sent), (Strings{"S9\r", "C2\r", "T1\r", "Q\r"}));
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(sent[i].writes, 3);
  EXPECT_EQ(Device(s, kLarkvane).Settings().wrap, 2);
  EXPECT_EQ(Device(s, kLarkvane).Settings().analogueRange, 9);

  // With no range selected "S" goes alone.
  analogue.Activate();
  analogue.Select(LvAnalogueDialog::kRange, -1);
  const std::size_t again = s.tap.Writes().size();
  analogue.Ok();
  EXPECT_EQ(Texts(AfterEntry(SentSince(s.tap, again)))[0], "S\r");
}

TEST(TwoAxisConfigScenario, AlignmentAndHeatingAreLinesAndCheckTheirEntries) {
  SimSession s;
  s.StartAndSearch(kHeated);
  AlignmentHeating& menu = Dialogs(s).alignmentHeating;
  const std::size_t first = s.tap.Writes().size();
  EXPECT_EQ(menu.Align(AlignmentMark::kUvOffset).result, SettingOutcome::Result::kConfirmed);
  EXPECT_EQ(menu.Heat(true).result, SettingOutcome::Result::kConfirmed);
  const auto texts = Texts(SentSince(s.tap, first));
  EXPECT_NE(std::find(texts.begin(), texts.end(), "X2\r\n"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "H2\r\n"), texts.end());
  s.rt.RunFor(100);
  EXPECT_TRUE(s.Menu(MenuId::kAlignUVOffset).checked);
  EXPECT_FALSE(s.Menu(MenuId::kAlignUV).checked);
  EXPECT_TRUE(s.Menu(MenuId::kHeatingEnabled).checked);
  EXPECT_FALSE(s.Menu(MenuId::kHeatingDisabled).checked);
  EXPECT_EQ(Device(s, kHeated).Settings().alignment, 2);
  EXPECT_EQ(Device(s, kHeated).Settings().heating, 2);
  EXPECT_FALSE(Device(s, kHeated).InConfigMode());
}

TEST(TwoAxisConfigScenario, AveragingSendsTheFourDigitsAndRefusesWhatIsNotAPeriod) {
  SimSession s;
  s.StartAndSearch(kKestrix);
  AveragingDialog& averaging = Dialogs(s).averaging;
  averaging.Activate();
  averaging.SetText("0600");
  const std::size_t first = s.tap.Writes().size();
  EXPECT_EQ(averaging.Ok().result, SettingOutcome::Result::kConfirmed);
  const auto texts = Texts(AfterEntry(SentSince(s.tap, first)));
  EXPECT_EQ(texts, (Strings{"G0600\r\n", "Q\r"}));
  EXPECT_EQ(Device(s, kKestrix).Settings().averaging, 600);
  averaging.SetText("1234");
  averaging.Cancel();
  EXPECT_EQ(averaging.Text(), "0600");

  struct Refused {
    const char* text;
    const char* message;
    const char* shownAfter;
  };
  const Refused refused[] = {
      {"3601", "Invalid entry, averaging period range is 0 to 3600 Seconds", "3601"},
      {"12  ", "Invalid averaging format, you must enter 4 digits", "0600"},
      {"____", "Invalid averaging format, you must enter 4 digits", "0600"},
  };
  for (const Refused& r : refused) {
    averaging.SetText(r.text);
    const std::size_t before = s.tap.Writes().size();
    EXPECT_EQ(averaging.Ok().message, r.message);
    EXPECT_EQ(s.tap.Writes().size(), before) << r.text;
    EXPECT_EQ(averaging.Text(), r.shownAfter);
    EXPECT_EQ(Config(s).AveragingPeriod, 600);
  }
}

}  // namespace
}  // namespace ventari
