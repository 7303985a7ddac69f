// The two-axis dialogs as named settings, and the comms dialog's digits and port settings,
// against simulated anemometers on virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>

#include "sim/two_axis_device.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

using test::SimSession;

const SettingField* FieldNamed(const std::vector<SettingField>& fields, const char* name) {
  const auto it = std::find_if(fields.begin(), fields.end(),
                               [name](const SettingField& f) { return f.name == name; });
  return it == fields.end() ? nullptr : &*it;
}

TEST(TwoAxisSettingsScenario, FieldsAreWhatTheDialogsOfTheModelFoundOffer) {
  struct Case {
    const char* port;
    std::vector<const char*> offered;
    std::vector<const char*> absent;
  };
  const Case cases[] = {
      {"sim:kestrix2-heated",
       {"BaudRate", "Parity", "DataBits", "MessageTerm", "FieldFormat", "OutputRate", "OutputUnits",
        "VerticalPad", "SonicOutputs", "Scaling", "AnalogueType", "AnalogueTests", "Chan3Config",
        "WrapAround", "Alignment", "Heating", "AveragingPeriod", "MessageMode"},
       {"LvBaudRate", "LvOutputRate", "Duplex", "NmeaStyle", "LvAnalogueRange"}},
      {"sim:larkvane",
       {"LvBaudRate", "Parity", "MessageTerm", "FieldFormat", "LvOutputRate", "OutputUnits",
        "LvAnalogueRange", "LvWrap", "LvAnalogueMode", "MessageMode"},
       {"BaudRate", "DataBits", "VerticalPad", "SonicOutputs", "Scaling", "Alignment", "Heating",
        "AveragingPeriod"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    SimSession s;
    s.StartAndSearch(c.port);
    const auto fields = s.session.commands().twoAxisSettings.Fields();
    for (const char* name : c.offered) EXPECT_NE(FieldNamed(fields, name), nullptr) << name;
    for (const char* name : c.absent) EXPECT_EQ(FieldNamed(fields, name), nullptr) << name;
  }
}

TEST(TwoAxisSettingsScenario, ValuesAreTheItemCaptionsAndCurrentIsWhatWasRead) {
  SimSession s;
  s.StartAndSearch("sim:kestrix2-heated");
  TwoAxisSettings& settings = s.session.commands().twoAxisSettings;
  const auto fields = settings.Fields();
  struct Case {
    const char* field;
    QStringList values;
    std::optional<int> current;
  };
  const Case cases[] = {
      {"BaudRate",
       {"300 baud", "1200 baud", "2400 baud", "4800 baud", "9600 baud", "19200 baud", "38400 baud"},
       4},
      {"Parity", {"None", "Even", "Odd"}, 0},
      {"DataBits", {"8", "7"}, 0},
      {"MessageTerm", {"CR & LF", "LF only"}, 0},
      {"OutputRate", {"1 Hz", "2 Hz", "4 Hz", "5 Hz", "8 Hz", "10 Hz"}, 0},
      {"WrapAround", {"540 degrees", "360 degrees"}, 0},
      {"Heating", {"Enabled", "Disabled"}, 0},  // the heated model heats
      {"Alignment",
       {"Align UV", "Align UV offset", "Align UV inverted", "Align UV inverted offset"},
       0},
  };
  for (const Case& c : cases) {
    const SettingField* field = FieldNamed(fields, c.field);
    ASSERT_NE(field, nullptr) << c.field;
    EXPECT_EQ(field->values, c.values) << c.field;
    EXPECT_EQ(settings.Current(c.field), c.current) << c.field;
  }
}

TEST(TwoAxisSettingsScenario, ApplyRunsEachDialogOnceWithCommsLastAndReadBackShowsTheChange) {
  SimSession s;
  s.StartAndSearch("sim:kestrix2-heated");
  TwoAxisSettings& settings = s.session.commands().twoAxisSettings;
  const std::size_t first = s.tap.Writes().size();
  const auto outcomes = settings.Apply(
      {{"BaudRate", 5}, {"OutputRate", 5}, {"Heating", 1}, {"Scaling", 3}, {"OutputUnits", 1}});
  ASSERT_EQ(outcomes.size(), 4u);
  for (const SettingOutcome& outcome : outcomes) {
    EXPECT_EQ(outcome.result, SettingOutcome::Result::kConfirmed) << outcome.message.toStdString();
  }
  std::string sent;
  for (std::size_t i = first; i < s.tap.Writes().size(); ++i) sent += s.tap.Writes()[i].bytes;
  const auto at = [&sent](const char* text) { return sent.find(text); };
  ASSERT_NE(at("H1\r\n"), std::string::npos);
  EXPECT_LT(at("H1\r\n"), at("Z4\r\n"));
  EXPECT_LT(at("Z4\r\n"), at("P6\r"));
  EXPECT_LT(at("P6\r"), at("B4\r"));
  EXPECT_EQ(sent.find("G"), std::string::npos);

  s.rt.RunFor(500);
  settings.ReadBack();
  EXPECT_EQ(settings.Current("BaudRate"), 5);
  EXPECT_EQ(settings.Current("OutputRate"), 5);
  EXPECT_EQ(settings.Current("OutputUnits"), 1);
  EXPECT_EQ(settings.Current("Scaling"), 3);
  EXPECT_EQ(settings.Current("Heating"), 1);
  EXPECT_EQ(s.session.link().port.Line().baud, 19200);
}

TEST(TwoAxisSettingsScenario, AveragingPeriodAndMessageModeAreSentAsTheirDialogAndMenuSendThem) {
  struct Case {
    const char* port;
    std::vector<std::pair<QString, int>> requests;
    std::vector<const char*> commands;
  };
  const Case cases[] = {
      {"sim:kestrix2", {{"AveragingPeriod", 60}, {"MessageMode", 1}}, {"G0060\r", "M2\r"}},
      {"sim:kestrix2", {{"AveragingPeriod", 3600}, {"MessageMode", 0}}, {"G3600\r", "M1\r"}},
      {"sim:larkvane", {{"MessageMode", 1}}, {"M2\r", "O2\r"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.commands.front());
    SimSession s;
    s.StartAndSearch(c.port);
    TwoAxisSettings& settings = s.session.commands().twoAxisSettings;
    const std::int64_t from = s.rt.NowMs();
    settings.Apply(c.requests);
    const std::string sent = s.tap.SentSince(from);
    for (const char* command : c.commands) EXPECT_NE(sent.find(command), std::string::npos) << sent;
    s.rt.RunFor(500);
    settings.ReadBack();
    for (const auto& [field, index] : c.requests) {
      EXPECT_EQ(settings.Current(field), index) << field.toStdString();
    }
  }
}

TEST(TwoAxisSettingsScenario, ReadBackConfirmsOnlyWhatTheAnemometerShowed) {
  struct Case {
    const char* name;
    const char* silentFrom;  // the anemometer falls silent once it has echoed this (now: null)
  };
  const Case cases[] = {
      {"no configuration mode", nullptr},
      {"D3 breaks off", "D3\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimSession s;
    s.StartAndSearch("sim:kestrix2-heated");
    TwoAxisSettings& settings = s.session.commands().twoAxisSettings;
    ASSERT_EQ(settings.Apply({{"OutputRate", 5}, {"Heating", 1}}).size(), 2u);
    s.rt.RunFor(500);
    sim::SimDevice& device = s.InstrumentOn("sim:kestrix2-heated").Device();
    auto heard = std::make_shared<QByteArray>();
    s.session.link().port.AddReceiveConsumer(
        [&device, heard, c](std::span<const std::uint8_t> bytes) {
          heard->append(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<qsizetype>(bytes.size()));
          if (c.silentFrom == nullptr || heard->contains(c.silentFrom)) device.StopAnswering();
        });
    if (c.silentFrom == nullptr) device.StopAnswering();
    settings.ReadBack();
    EXPECT_EQ(settings.Current("OutputRate"), std::nullopt);
    EXPECT_EQ(settings.Current("Heating"), std::nullopt);
  }
}

TEST(TwoAxisSettingsScenario, CommsDigitsAndThePortSettingsTheyLeave) {
  struct Case {
    int parity;
    int dataBits;
    int baud;
    const char* format;
    const char* rate;
    LineSettings line;
  };
  const Case cases[] = {
      {0, 0, 3, "F1\r", "B2\r", {4800, Parity::kNone, 8, 1}},
      {2, 1, 6, "F6\r", "B5\r", {38400, Parity::kOdd, 7, 1}},
      {1, 0, 1, "F2\r", "B6\r", {1200, Parity::kEven, 8, 1}},
      {0, 1, 2, "F4\r", "B1\r", {2400, Parity::kNone, 7, 1}},
      {0, 0, -1, "F1\r", "B3\r", {9600, Parity::kNone, 8, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format + std::string(c.rate));
    SimSession s;
    s.StartAndSearch("sim:kestrix2");
    CommsDialog& comms = s.session.commands().twoAxisDialogs.comms;
    comms.Activate();
    comms.Select(CommsDialog::kParity, c.parity);
    comms.Select(CommsDialog::kDataBits, c.dataBits);
    comms.Select(CommsDialog::kBaud, c.baud);
    const std::size_t first = s.tap.Writes().size();
    EXPECT_EQ(comms.Ok().result, SettingOutcome::Result::kConfirmed);
    std::string sent;
    for (std::size_t i = first; i < s.tap.Writes().size(); ++i) sent += s.tap.Writes()[i].bytes;
    EXPECT_NE(sent.find(std::string("*") + c.format + "F\r" + c.rate + "B\rQ\r"), std::string::npos)
        << sent;
    EXPECT_EQ(s.session.link().port.Line(), c.line);
    s.rt.RunFor(6000);
    EXPECT_EQ(s.InstrumentOn("sim:kestrix2").Device().Line(), c.line);
  }
}

TEST(TwoAxisSettingsScenario, APortErrorEndsTheExchangeWithTheDialogAndCursorIdle) {
  SimSession s;
  s.StartAndSearch("sim:kestrix2");
  OutputFormatDialog& format = s.session.commands().twoAxisDialogs.outputFormat;
  format.Activate();
  s.rt.Schedule(4000, [&s] { s.session.link().port.SetOpen(false); });
  EXPECT_THROW(format.Ok(), PortError);
  EXPECT_FALSE(format.Busy());
  EXPECT_FALSE(s.session.window().BusyCursor());
  EXPECT_FALSE(s.session.link().channel.InConfigMode());
}

}  // namespace
}  // namespace ventari
