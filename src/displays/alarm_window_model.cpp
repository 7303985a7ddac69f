#include "displays/alarm_window_model.h"

#include "link/qt_serial_port.h"

namespace ventari {
namespace {

// By OutputUnits: m/s, knots, mph, km/h, feet per minute.
constexpr const char* kSpeedUnits[] = {"m/s", "Kts", "Mph", "Kph", "Fpm"};

bool IsTwoAxisTypeCode(const QString& typeCode) {
  return typeCode == QLatin1String("E") || typeCode == QLatin1String("F") ||
         typeCode == QLatin1String("Y");
}

// Two names of the same device ("COM1" and /dev/ttyS0 on Linux) are the same port.
bool SamePort(const QString& a, const QString& b) {
  return QtSerialPort::DeviceFor(a) == QtSerialPort::DeviceFor(b);
}

}  // namespace

AlarmWindowModel::AlarmWindowModel(Links links)
    : links_(std::move(links)),
      audioTime_(links_.runtime, kAudioIntervalMs, /*periodic=*/true),
      apdComPort2_(links_.runtime, links_.alarmPortFactory) {
  audioTime_.SetHandler([this] { AudioTimeTimer(); });
  apdComPort2_.SetDtrOnOpen(false);
  apdComPort2_.SetDtr(false);
  apdComPort2_.SetBaud(kAlarmPortBaud);
}

void AlarmWindowModel::Show() {
  view_.visible = true;
  view_.minimised = false;
  changed_.Notify();
}

void AlarmWindowModel::FormActivate() {
  if (!IsTwoAxisTypeCode(links_.state.TypeCode)) {
    view_.speedUnit = QStringLiteral("m/s");
  } else if (const int units = links_.twoAxisConfig.OutputUnits; units >= 0) {
    view_.speedUnit = QString::fromLatin1(kSpeedUnits[units]);
  }
  changed_.Notify();
}

bool AlarmWindowModel::FormCloseQuery() {
  return links_.prompts.Ask(
             QStringLiteral("Closing this window will disable the alarm feature. Ok?"),
             QStringLiteral("Warning"),
             {PromptButton::kOk, PromptButton::kCancel}) == PromptButton::kOk;
}

void AlarmWindowModel::FormClose() {
  view_.visible = false;
  if (links_.liveWindowClosed) links_.liveWindowClosed();
  audioTime_.Stop();
  changed_.Notify();
}

void AlarmWindowModel::SetMinimised(bool minimised) {
  if (minimised == view_.minimised) return;
  view_.minimised = minimised;
  changed_.Notify();
}

bool AlarmWindowModel::UvData() const {
  if (links_.state.Family == AnemFamily::kTriAxis) {
    return links_.triAxisConfig.ReportsUvw() || links_.triAxisConfig.ReportMode < 0;
  }
  return links_.menu.IsChecked(MenuId::kUVcontinuous);
}

bool AlarmWindowModel::CheckSample(double first, double second) {
  if (!view_.visible) return false;
  const WindReading reading = UvData() ? ReadingFromUv(first, second) : WindReading{second, first};
  alarm_ = ViolatesThresholds(reading, thresholds_, view_.conditions);
  if (alarm_ && !invalid_) {
    Raise();
  } else {
    Clear();
  }
  changed_.Notify();
  return true;
}

void AlarmWindowModel::Raise() {
  view_.alertRaised = view_.visual;
  if (view_.visual) view_.minimised = false;
  if (!view_.audio) {
    audioTime_.Stop();
  } else if (!audioTime_.IsActive()) {
    audioTime_.Start();
  }
  if (view_.external && apdComPort2_.IsOpen()) apdComPort2_.SetDtr(true);
}

void AlarmWindowModel::Clear() {
  apdComPort2_.SetDtr(false);
  view_.alertRaised = false;
  audioTime_.Stop();
}

void AlarmWindowModel::AudioTimeTimer() {
  // A player that cannot play takes the beep of its tick with it.
  if (sound_ && sound_->PlayFromStart()) sound_->Beep();
}

void AlarmWindowModel::BtnSetClick() {
  alarm_ = false;
  const ThresholdVerdict verdict = SetThresholds(view_.thresholdTexts, thresholds_);
  invalid_ = verdict.invalid;
  for (const QString& message : verdict.messages) {
    links_.prompts.ShowMessage(message, QStringLiteral("Error"));
  }
  changed_.Notify();
}

void AlarmWindowModel::SelectAboveBelow(int item) {
  view_.conditions.triggerBelow = item == 1;
  changed_.Notify();
}

void AlarmWindowModel::CbAudioClick(bool checked) {
  view_.audio = checked;
  changed_.Notify();
}

void AlarmWindowModel::CbVisualClick(bool checked) {
  view_.visual = checked;
  changed_.Notify();
}

void AlarmWindowModel::CbWindspeedClick(bool checked) {
  view_.conditions.windspeed = checked;
  changed_.Notify();
}

void AlarmWindowModel::CbDirectionClick(bool checked) {
  view_.conditions.direction = checked;
  changed_.Notify();
}

void AlarmWindowModel::CbExternalClick(bool checked) {
  view_.external = checked;
  view_.portListEnabled = checked;
  view_.selectedPort = -1;
  if (checked) {
    QStringList ports = links_.availablePorts ? links_.availablePorts() : QStringList{};
    ports.removeIf(
        [this](const QString& name) { return SamePort(name, links_.anemometerPort.Name()); });
    view_.ports = ports;
    apdComPort2_.SetDtr(false);
  } else {
    apdComPort2_.SetOpen(false);
  }
  changed_.Notify();
}

void AlarmWindowModel::LbComAvailChange(int index) {
  if (index < 0 || index >= view_.ports.size()) return;
  view_.selectedPort = index;
  try {
    apdComPort2_.SetName(view_.ports[index]);  // reopens a port that is open
    apdComPort2_.SetOpen(true);
  } catch (const PortError&) {
    // An alarm port that does not open stays closed and its DTR is never raised.
    view_.selectedPort = -1;
  }
  changed_.Notify();
}

}  // namespace ventari
