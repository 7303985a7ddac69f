// The alarm window's state (TFrmAlarm): the thresholds and the alarm conditions, the check of
// every record while the window is open, and the three alerts it drives: the red panel with its
// warning, the sound every 10 seconds, and the DTR line of a second serial port that an external
// alarm device reads. The window mirrors it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "base/anem_state.h"
#include "base/change_notifier.h"
#include "base/main_menu.h"
#include "base/prompts.h"
#include "base/runtime.h"
#include "base/timer.h"
#include "displays/alarm_check.h"
#include "displays/alarm_sound.h"
#include "displays/alarm_thresholds.h"
#include "displays/no_data_notice.h"
#include "link/serial_port.h"
#include "triaxis/tri_axis_config.h"
#include "twoaxis/two_axis_config.h"

namespace ventari {

// Everything the window shows.
struct AlarmWindowView {
  ThresholdTexts thresholdTexts;              // EdMagThresh, EdDirThresh1, EdDirThresh2
  QString speedUnit = QStringLiteral("m/s");  // LaSpeedType
  AlarmConditions conditions;                 // CbWindspeed, CbDirection, RgAboveBelow
  bool audio = true;                          // CbAudio
  bool visual = true;                         // CbVisual
  bool external = false;                      // CbExternal
  QStringList ports;  // LbComAvail; shows "Select Port" while none is chosen
  int selectedPort = -1;
  bool portListEnabled = false;
  bool alertRaised = false;  // VisualAlert red with Warn shown, else button face and Warn hidden
  bool visible = false;
  bool minimised = false;
};

class AlarmWindowModel {
 public:
  static constexpr int kAudioIntervalMs = 10000;
  static constexpr int kAlarmPortBaud = 9600;

  struct Links {
    Runtime& runtime;
    Prompts& prompts;
    const AnemState& state;
    const TwoAxisConfig& twoAxisConfig;
    const TriAxisConfig& triAxisConfig;
    // The UV and polar check marks say what a two-axis record carries.
    const MainMenu& menu;
    // The anemometer's port, which is never offered as the alarm port.
    const SerialPort& anemometerPort;
    // Opens the external alarm port by its name.
    SerialBackendFactory alarmPortFactory;
    // The real serial ports of this machine, by full name.
    std::function<QStringList()> availablePorts;
    // What every live window does when it closes: the three-axis ASCII matcher disarmed when
    // no live window is left, and the anemometer's continuous output stopped.
    std::function<void()> liveWindowClosed;
  };

  explicit AlarmWindowModel(Links links);
  AlarmWindowModel(const AlarmWindowModel&) = delete;
  AlarmWindowModel& operator=(const AlarmWindowModel&) = delete;

  const AlarmWindowView& View() const { return view_; }
  // Told after every change of the view.
  ChangeNotifier& Changed() { return changed_; }
  // While the records have stopped, what the window says of it.
  NoDataNotice& NoData() { return noData_; }
  const NoDataNotice& NoData() const { return noData_; }
  // The window's player; without one (or when it cannot play) the alarm is silent.
  void AttachSound(AlarmSound* sound) { sound_ = sound; }

  // Shows the window (the main menu's "&Alarm"); from then on records are checked.
  void Show();
  // The window became active: the speed unit of a two-axis anemometer's output.
  void FormActivate();
  // Asks whether the window may close (closing disables the alarm).
  bool FormCloseQuery();
  // The window closes: records are no longer checked and the sound stops; DTR and the alarm
  // port keep their state.
  void FormClose();
  // The window was minimised or restored by the user.
  void SetMinimised(bool minimised);

  // One record: U and V for UV data, else direction and speed. Ignored while the window is
  // hidden (false). The outputs follow the latest record, without latching or delay.
  bool CheckSample(double first, double second);
  // The records carry U and V: a two-axis anemometer in UV mode, or a three-axis anemometer
  // reporting UVW or not yet known.
  bool UvData() const;

  // The user's edits and clicks.
  void EdMagThreshChange(const QString& text) { view_.thresholdTexts.speed = text; }
  void EdDirThresh1Change(const QString& text) { view_.thresholdTexts.direction1 = text; }
  void EdDirThresh2Change(const QString& text) { view_.thresholdTexts.direction2 = text; }
  void BtnSetClick();
  void SelectAboveBelow(int item);  // 0 above, 1 below
  void CbAudioClick(bool checked);
  void CbVisualClick(bool checked);
  void CbWindspeedClick(bool checked);
  void CbDirectionClick(bool checked);
  // Checked: offers the machine's ports except the anemometer's. Unchecked: closes the port.
  void CbExternalClick(bool checked);
  // Opens the chosen port; a port that does not open leaves the list without a choice.
  void LbComAvailChange(int index);

  const AlarmThresholds& Thresholds() const { return thresholds_; }
  bool ThresholdsInvalid() const { return invalid_; }
  // The last record checked violated a threshold.
  bool AlarmFlag() const { return alarm_; }
  // The sound is due every 10 seconds.
  bool AudioTimeEnabled() const { return audioTime_.IsActive(); }
  const SerialPort& ApdComPort2() const { return apdComPort2_; }

 private:
  void Raise();
  void Clear();
  void AudioTimeTimer();

  Links links_;
  AlarmWindowView view_;
  AlarmThresholds thresholds_;
  bool invalid_ = false;
  bool alarm_ = false;
  Timer audioTime_;
  SerialPort apdComPort2_;
  AlarmSound* sound_ = nullptr;
  ChangeNotifier changed_;
  NoDataNotice noData_{changed_};
};

}  // namespace ventari
