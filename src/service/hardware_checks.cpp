#include "service/hardware_checks.h"

#include <algorithm>

namespace ventari {
namespace {

bool InRange(int index) { return index >= 0 && index < kHardwareCheckCount; }

}  // namespace

const QStringList& HardwareChecks::Heading() {
  static const QStringList lines = {
      QStringLiteral("PERFORM THE FOLLOWING HARDWARE TESTS CHECKING THE ASSOCIATED CHECKBOX UPON "),
      QStringLiteral("SUCCESSFUL COMPLETION OF THE TEST ONLY. FAILURE TO COMPLY WITH ALL TESTS "
                     "WILL RESULT"),
      QStringLiteral("IN FAILURE OF THE UUT.")};
  return lines;
}

const std::array<HardwareCheck, kHardwareCheckCount>& HardwareChecks::Checks() {
  // The two waveform checks share the set-up of the scope.
  static const QStringList scope = {
      QStringLiteral("Connect scope Channel A to monitor TP1 wrt TP3. Connect scope Channel B to "
                     "capacitor lead nearest"),
      QStringLiteral("PCB edge of capacitors C1, C7, C5 and C9 in turn (steps d & e). Set scope "
                     "to 50uS timebase (reduce"),
      QStringLiteral("slightly to fit both waveforms). Set Channel A to 0.5VAC. Set Channel B to "
                     "20VAC. Trigger on")};
  static const std::array<HardwareCheck, kHardwareCheckCount> checks = {{
      {QStringLiteral("TestC54"),
       QStringLiteral("Check +5V rail directly across C54. Measured voltage must be +5V +/- 0.2V"),
       {QStringLiteral("Measure the DC voltage across capacitor C54 using a digital voltmeter.")}},
      {QStringLiteral("TestC60"),
       QStringLiteral("Check +5VA rail directly across C60. Measured voltage must be +5V +/- 0.2V"),
       {QStringLiteral("Measure the DC voltage across capacitor C60 using a digital voltmeter.")}},
      {QStringLiteral("TestC56"),
       QStringLiteral("Check +8V rail directly across C56. Measured voltage must be +8V +/- 0.2V"),
       {QStringLiteral("Measure the DC voltage across capacitor C56 using a digital voltmeter.")}},
      {QStringLiteral("TestTxWav"),
       QStringLiteral("Check transmit waveforms for correct amplitude and shape"),
       scope +
           QStringList{
               QStringLiteral("Channel B. For each capacitor, the Tx pulse observed on Channel B "
                              "must be > 30VAC. Check"),
               QStringLiteral("wiring integrity by applying pressure to the front and sides of "
                              "the corresponding transducer"),
               QStringLiteral("face. The Tx pulse should be seen to distort and return to its "
                              "normal shape when pressure is removed.")}},
      {QStringLiteral("TestRxWav"),
       QStringLiteral("Check receive waveforms for correct amplitude, shape, ringing && noise"),
       scope + QStringList{QStringLiteral("Channel B. For each capacitor, the Rx pulse observed "
                                          "on Channel B must show a double envelope"),
                           QStringLiteral("> 400mV p-p, crossover mid-point < 40% of maximum "
                                          "amplitude and no signal with noise < 20mV for"),
                           QStringLiteral("approximately 300uS between end of TX pulse and start "
                                          "of Rx pulse.")}},
  }};
  return checks;
}

HardwareChecks::HardwareChecks(ProductionTest& test, TestWindowModel& window)
    : test_(test), window_(window) {
  window_.AddEnterHook(TestPage::kHardwareDiagnostics, [this] { Enter(); });
}

bool HardwareChecks::Checked(int index) const {
  return InRange(index) && test_.hardwareChecks[static_cast<std::size_t>(index)];
}

bool HardwareChecks::AllPassed() const {
  return std::all_of(test_.hardwareChecks.begin(), test_.hardwareChecks.end(),
                     [](bool checked) { return checked; });
}

void HardwareChecks::SetChecked(int index, bool checked) {
  if (!InRange(index) || Checked(index) == checked) return;
  test_.hardwareChecks[static_cast<std::size_t>(index)] = checked;
  changed_.Notify();
}

void HardwareChecks::Hover(int index) {
  if (!InRange(index)) return;
  memo_ = Checks()[static_cast<std::size_t>(index)].instructions;
  changed_.Notify();
}

void HardwareChecks::Enter() {
  test_.hardwareChecks.fill(false);
  window_.RequestFocus(QStringLiteral("BtnSkip4"));
  changed_.Notify();
}

}  // namespace ventari
