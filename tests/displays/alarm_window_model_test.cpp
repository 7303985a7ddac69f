// The alarm window's model: per-record alarms, thresholds, sound, visual alert and the external
// alarm port, on virtual time.
#include "displays/alarm_window_model.h"

#include <gtest/gtest.h>

#include "base/virtual_runtime.h"
#include "link/qt_serial_port.h"
#include "support/scripted_line.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

using test::ScriptedLine;
using test::ScriptedPrompts;

class CountingSound : public AlarmSound {
 public:
  bool PlayFromStart() override {
    if (!playable) return false;
    plays.push_back(clock());
    return true;
  }
  void Beep() override { ++beeps; }

  std::function<std::int64_t()> clock;
  bool playable = true;
  std::vector<std::int64_t> plays;
  int beeps = 0;
};

class AlarmWindowModelTest : public ::testing::Test {
 protected:
  AlarmWindowModelTest() {
    sound.clock = [this] { return rt.NowMs(); };
    alarm.AttachSound(&sound);
    anemometerPort.SetName(QStringLiteral("/dev/ttyUSB0"));
    menu.Check(MenuId::kPolarcontinuous);
    state.TypeCode = QStringLiteral("E");
  }

  // Shows the window and sets the thresholds.
  void ShowWith(const char* speed, const char* first, const char* second) {
    alarm.Show();
    alarm.EdMagThreshChange(speed);
    alarm.EdDirThresh1Change(first);
    alarm.EdDirThresh2Change(second);
    alarm.BtnSetClick();
  }

  // Checks the external mode box and chooses the machine's port `name`.
  void ChooseAlarmPort(const QString& name) {
    alarm.CbExternalClick(true);
    alarm.LbComAvailChange(alarm.View().ports.indexOf(name));
  }

  bool Raised() const { return alarm.View().alertRaised; }

  VirtualRuntime rt;
  ScriptedPrompts prompts{[this] { return rt.NowMs(); }};
  ScriptedLine anemometerLine{rt};
  ScriptedLine alarmLine{rt};
  AnemState state;
  TwoAxisConfig twoAxisConfig;
  TriAxisConfig triAxisConfig;
  MainMenu menu;
  SerialPort anemometerPort{rt, anemometerLine.Factory()};
  QStringList machinePorts{"/dev/ttyS0", "/dev/ttyUSB0", "COM12"};
  int liveWindowCloses = 0;
  CountingSound sound;
  AlarmWindowModel alarm{{rt, prompts, state, twoAxisConfig, triAxisConfig, menu, anemometerPort,
                          alarmLine.Factory(), [this] { return machinePorts; },
                          [this] { ++liveWindowCloses; }}};
};

TEST_F(AlarmWindowModelTest, StartsWithTheWindowsDefaults) {
  const AlarmWindowView& view = alarm.View();
  EXPECT_EQ(view.thresholdTexts.speed, "40");
  EXPECT_EQ(alarm.Thresholds().speed, 40);
  EXPECT_EQ(alarm.Thresholds().direction1, 90);
  EXPECT_EQ(alarm.Thresholds().direction2, 180);
  EXPECT_TRUE(view.audio && view.visual && view.conditions.windspeed);
  EXPECT_FALSE(view.conditions.direction || view.external || view.portListEnabled);
  EXPECT_FALSE(view.conditions.triggerBelow);
  EXPECT_EQ(view.speedUnit, "m/s");
  EXPECT_FALSE(view.visible);
}

TEST_F(AlarmWindowModelTest, EveryPolarRecordRaisesOrClearsOnItsOwn) {
  ShowWith("10", "90", "180");
  alarm.CheckSample(45, 10.5);  // direction, speed
  EXPECT_TRUE(alarm.AlarmFlag());
  EXPECT_TRUE(Raised());
  EXPECT_TRUE(alarm.AudioTimeEnabled());
  alarm.CheckSample(45, 10);  // equal to the threshold
  EXPECT_FALSE(alarm.AlarmFlag());
  EXPECT_FALSE(Raised());
  EXPECT_FALSE(alarm.AudioTimeEnabled());

  alarm.SelectAboveBelow(1);
  alarm.CheckSample(45, 10);
  EXPECT_FALSE(Raised());
  alarm.CheckSample(45, 9.99);
  EXPECT_TRUE(Raised());
}

TEST_F(AlarmWindowModelTest, TheDirectionWindowExcludesItsBounds) {
  ShowWith("40", "90", "180");
  alarm.CbWindspeedClick(false);
  alarm.CbDirectionClick(true);
  for (const auto& [direction, raised] :
       {std::pair{90, false}, std::pair{91, true}, std::pair{179, true}, std::pair{180, false}}) {
    alarm.CheckSample(direction, 99);
    EXPECT_EQ(Raised(), raised) << direction;
  }
}

TEST_F(AlarmWindowModelTest, UvRecordsAreJudgedBySpeedAndBearing) {
  menu.Check(MenuId::kPolarcontinuous, false);
  menu.Check(MenuId::kUVcontinuous);
  ASSERT_TRUE(alarm.UvData());
  ShowWith("4.9", "30", "40");
  alarm.CbDirectionClick(true);
  alarm.CheckSample(3, 4);  // 5 m/s from 36.87 degrees: both alarms
  EXPECT_TRUE(Raised());
  alarm.CbWindspeedClick(false);
  alarm.CheckSample(3, 4);
  EXPECT_TRUE(Raised());

  // A westerly pair reads 359, outside even the widest direction window.
  ShowWith("4.9", "0", "359");
  alarm.CheckSample(-3, -4);
  EXPECT_FALSE(Raised());
  alarm.CheckSample(3, -4);
  EXPECT_TRUE(Raised());
}

TEST_F(AlarmWindowModelTest, TriAxisRecordsAreUvUntilTheReportModeSaysPolar) {
  state.Family = AnemFamily::kTriAxis;
  EXPECT_TRUE(alarm.UvData());
  triAxisConfig.ReportMode = 1;
  EXPECT_TRUE(alarm.UvData());
  triAxisConfig.ReportMode = 2;
  EXPECT_FALSE(alarm.UvData());
  // A two-axis anemometer in neither mode sends polar records as far as the alarm knows.
  state.Family = AnemFamily::kTwoAxis;
  menu.Check(MenuId::kPolarcontinuous, false);
  EXPECT_FALSE(alarm.UvData());
}

TEST_F(AlarmWindowModelTest, BadThresholdsAreReportedAndSilenceTheAlarmUntilAGoodSet) {
  ShowWith("10", "200", "100");
  EXPECT_EQ(prompts.Count("First direction value must be less than second direction value."), 1);
  EXPECT_EQ(prompts.Messages().back().caption, "Error");
  EXPECT_TRUE(alarm.ThresholdsInvalid());
  alarm.CheckSample(0, 50);
  EXPECT_TRUE(alarm.AlarmFlag());
  EXPECT_FALSE(Raised());
  EXPECT_FALSE(alarm.AudioTimeEnabled());

  ShowWith("10", "90", "north");
  EXPECT_EQ(prompts.Count("Invalid threshold value entered."), 1);
  EXPECT_EQ(alarm.Thresholds().direction1, 90);
  EXPECT_EQ(alarm.Thresholds().direction2, 100);  // kept from the attempt before
  alarm.CheckSample(0, 50);
  EXPECT_FALSE(Raised());

  ShowWith("0", "90", "180");
  EXPECT_EQ(prompts.Count("Out of range threshold value entered."), 1);
  alarm.CheckSample(0, 50);
  EXPECT_FALSE(Raised());

  ShowWith("10", "90", "180");
  EXPECT_FALSE(alarm.ThresholdsInvalid());
  EXPECT_FALSE(alarm.AlarmFlag());
  alarm.CheckSample(0, 50);
  EXPECT_TRUE(Raised());
}

TEST_F(AlarmWindowModelTest, EditingTheBoxesChangesNothingUntilSet) {
  ShowWith("10", "90", "180");
  alarm.EdMagThreshChange("60");
  alarm.CheckSample(0, 50);
  EXPECT_TRUE(Raised());
  alarm.BtnSetClick();
  alarm.CheckSample(0, 50);
  EXPECT_FALSE(Raised());
}

TEST_F(AlarmWindowModelTest, TheSoundPlaysEveryTenSecondsWhileRaisedThenBeeps) {
  ShowWith("10", "90", "180");
  alarm.CheckSample(0, 50);
  rt.RunFor(5000);
  alarm.CheckSample(0, 51);  // a raised alarm does not restart the cycle
  rt.RunFor(16000);
  EXPECT_EQ(sound.plays, (std::vector<std::int64_t>{10000, 20000}));
  EXPECT_EQ(sound.beeps, 2);
  alarm.CheckSample(0, 5);
  rt.RunFor(30000);
  EXPECT_EQ(sound.plays.size(), 2u);
}

TEST_F(AlarmWindowModelTest, AudioSwitchedOffStopsTheSoundAtTheNextAlarmRecord) {
  ShowWith("10", "90", "180");
  alarm.CheckSample(0, 50);
  alarm.CbAudioClick(false);
  EXPECT_TRUE(alarm.AudioTimeEnabled());
  alarm.CheckSample(0, 50);
  EXPECT_FALSE(alarm.AudioTimeEnabled());
  EXPECT_TRUE(Raised());
  rt.RunFor(30000);
  EXPECT_TRUE(sound.plays.empty());
}

TEST_F(AlarmWindowModelTest, APlayerThatCannotPlayTakesTheBeepWithIt) {
  sound.playable = false;
  ShowWith("10", "90", "180");
  alarm.CheckSample(0, 50);
  rt.RunFor(25000);
  EXPECT_EQ(sound.beeps, 0);
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(AlarmWindowModelTest, TheVisualAlertRestoresAMinimisedWindowOnlyWhenEnabled) {
  ShowWith("10", "90", "180");
  alarm.SetMinimised(true);
  alarm.CbVisualClick(false);
  alarm.CheckSample(0, 50);
  EXPECT_FALSE(Raised());
  EXPECT_TRUE(alarm.View().minimised);
  EXPECT_TRUE(alarm.AudioTimeEnabled());
  alarm.CbVisualClick(true);
  alarm.CheckSample(0, 50);
  EXPECT_TRUE(Raised());
  EXPECT_FALSE(alarm.View().minimised);
}

TEST_F(AlarmWindowModelTest, RecordsAreIgnoredWhileTheWindowIsClosed) {
  alarm.CheckSample(0, 99);
  EXPECT_FALSE(alarm.AlarmFlag());
  EXPECT_FALSE(Raised());

  ShowWith("10", "90", "180");
  ChooseAlarmPort("COM12");
  alarm.CheckSample(0, 50);
  prompts.answers = {PromptButton::kCancel};
  EXPECT_FALSE(alarm.FormCloseQuery());
  EXPECT_EQ(prompts.Count("Closing this window will disable the alarm feature. Ok?"), 1);
  EXPECT_EQ(prompts.Messages().back().caption, "Warning");
  EXPECT_TRUE(alarm.FormCloseQuery());
  alarm.FormClose();
  EXPECT_EQ(liveWindowCloses, 1);
  EXPECT_FALSE(alarm.View().visible);
  EXPECT_FALSE(alarm.AudioTimeEnabled());
  // The external alarm stays as it was, and a calm record no longer clears it.
  EXPECT_TRUE(alarmLine.Dtr());
  alarm.CheckSample(0, 1);
  EXPECT_TRUE(alarmLine.Dtr());
  EXPECT_TRUE(alarm.AlarmFlag());
}

TEST_F(AlarmWindowModelTest, TheAlarmPortIsAnyOtherPortOfTheMachineByItsFullName) {
  alarm.CbExternalClick(true);
  EXPECT_TRUE(alarm.View().portListEnabled);
  EXPECT_EQ(alarm.View().ports, (QStringList{"/dev/ttyS0", "COM12"}));
  EXPECT_EQ(alarm.View().selectedPort, -1);
  EXPECT_FALSE(alarm.ApdComPort2().IsOpen());

  alarm.LbComAvailChange(1);
  ASSERT_TRUE(alarm.ApdComPort2().IsOpen());
  EXPECT_EQ(alarmLine.OpenedName(), "COM12");
  EXPECT_EQ(alarmLine.Line().baud, 9600);
  EXPECT_FALSE(alarmLine.Dtr());

  alarm.LbComAvailChange(0);
  EXPECT_EQ(alarmLine.OpenedName(), "/dev/ttyS0");
  EXPECT_EQ(alarm.ApdComPort2().Name(), "/dev/ttyS0");

  alarm.CbExternalClick(false);
  EXPECT_FALSE(alarm.View().portListEnabled);
  EXPECT_FALSE(alarm.ApdComPort2().IsOpen());
}

TEST_F(AlarmWindowModelTest, TheAnemometersPortIsNotOfferedUnderAnyOfItsNames) {
  anemometerPort.SetName(QStringLiteral("COM1"));
  machinePorts = {QtSerialPort::DeviceFor("COM1"), "COM12"};
  alarm.CbExternalClick(true);
  EXPECT_EQ(alarm.View().ports, QStringList{"COM12"});
}

TEST_F(AlarmWindowModelTest, DtrFollowsEveryRecordInExternalMode) {
  ShowWith("10", "90", "180");
  alarm.CheckSample(0, 50);
  ChooseAlarmPort("COM12");
  EXPECT_FALSE(alarmLine.Dtr());  // checking the box switches it off
  alarm.CheckSample(0, 50);
  EXPECT_TRUE(alarmLine.Dtr());
  alarm.CheckSample(0, 5);
  EXPECT_FALSE(alarmLine.Dtr());

  alarm.CbVisualClick(false);
  alarm.CbAudioClick(false);
  alarm.CheckSample(0, 50);
  EXPECT_TRUE(alarmLine.Dtr());
}

TEST_F(AlarmWindowModelTest, AnAlarmPortThatDoesNotOpenLeavesExternalModeInert) {
  ShowWith("10", "90", "180");
  alarmLine.FailOpen(true);
  ChooseAlarmPort("COM12");
  EXPECT_FALSE(alarm.ApdComPort2().IsOpen());
  EXPECT_EQ(alarm.View().selectedPort, -1);
  EXPECT_TRUE(prompts.Messages().empty());
  alarm.CheckSample(0, 50);
  EXPECT_TRUE(Raised());
  EXPECT_FALSE(alarmLine.Dtr());

  alarmLine.FailOpen(false);
  alarm.LbComAvailChange(1);
  alarm.CheckSample(0, 50);
  EXPECT_TRUE(alarmLine.Dtr());
}

TEST_F(AlarmWindowModelTest, TheSpeedUnitFollowsATwoAxisAnemometersOutput) {
  alarm.FormActivate();
  EXPECT_EQ(alarm.View().speedUnit, "m/s");  // output unit not yet read
  for (const auto& [units, text] :
       {std::pair{1, "Kts"}, std::pair{2, "Mph"}, std::pair{3, "Kph"}, std::pair{4, "Fpm"}}) {
    twoAxisConfig.OutputUnits = units;
    alarm.FormActivate();
    EXPECT_EQ(alarm.View().speedUnit, text);
  }
  twoAxisConfig.OutputUnits = -1;
  alarm.FormActivate();
  EXPECT_EQ(alarm.View().speedUnit, "Fpm");
  state.TypeCode = QStringLiteral("MZ");
  alarm.FormActivate();
  EXPECT_EQ(alarm.View().speedUnit, "m/s");
}

}  // namespace
}  // namespace ventari
