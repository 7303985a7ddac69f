#include "service/larkvane_checks.h"

namespace ventari {
namespace {

constexpr TestPage kTestPages[] = {TestPage::kPartA, TestPage::kPartB, TestPage::kPartC};

}  // namespace

const std::array<LarkvaneCheckBox, kLarkvaneCheckCount>& LarkvaneChecks::Boxes() {
  static const std::array<LarkvaneCheckBox, kLarkvaneCheckCount> boxes = {{
      {QStringLiteral("WiringCheckBox"),
       QStringLiteral("Check transducer wiring"),
       {QStringLiteral("1. Check for correct polarity between transducers and transducer board."),
        QStringLiteral("2. Check quality of all solder joints."),
        QStringLiteral("3. Check for short/open circuits on wiring.")},
       TestPage::kPartA},
      {QStringLiteral("CheckSupplyCurrent"),
       QStringLiteral("Apply +15V DC to anemometer and ensure supply current is 30 - 40mA."),
       {QStringLiteral("1. Connect main pcb to assembled head unit."),
        QStringLiteral("2. Power anemometer directly from PSU using a suitable cable."),
        QStringLiteral("3. Read overall current consumption from PSU.")},
       TestPage::kPartB},
      {QStringLiteral("CheckSupplyRails1"),
       QStringLiteral("Check supply rail at TP3. Ensure voltage is +5V +/- 0.2V."),
       {QStringLiteral("1. Refer to schematic/layout, locate TP3 and suitable ground referance "
                       "point (TP2)."),
        QStringLiteral("2. Connect a multimeter (voltage mode) across TP3 and ground.")},
       TestPage::kPartB},
      {QStringLiteral("CheckSupplyRails2"),
       QStringLiteral("Check supply rail at TP6. Ensure voltage is +4.6V +/- 0.1V."),
       {QStringLiteral("1. Refer to schematic/layout, locate TP6 and suitable ground referance "
                       "point (TP2)."),
        QStringLiteral("2. Connect a multimeter (voltage mode) across TP6 and ground.")},
       TestPage::kPartB},
      {QStringLiteral("CheckMidRail"),
       QStringLiteral("Check mid-rail between R1 and Z1. Ensure voltage is +2.5V +/- 0.1V."),
       {QStringLiteral("1. Refer to schematic/layout, locate junction of R1 and Z1 and suitable "
                       "ground reference point (TP2)."),
        QStringLiteral("2. Connect a multimeter (voltage mode) across the junction and ground.")},
       TestPage::kPartB},
      {QStringLiteral("WvfrmsCheck"),
       QStringLiteral("Check waveforms are within limits."),
       {QStringLiteral("Connect scope Channel A to monitor TP8 (RX) wrt TP2. Connect scope "
                       "Channel B to J3[2] (TX)"),
        QStringLiteral("Set scope to 50uS timebase. Set Channel A to 1VAC. Set Channel B to "
                       "20VAC. Trigger on"),
        QStringLiteral("Channel B. For J3[2,4,5,7], the Rx pulse observed on Channel B must show "
                       "a double envelope"),
        QStringLiteral("> 1.5V pk-pk, crossover mid-point < 40% of maximum amplitude and no "
                       "signal with noise < 50mV for"),
        QStringLiteral("approximately 200uS between end of TX pulse and start of Rx pulse.")},
       TestPage::kPartBHardware},
  }};
  return boxes;
}

const LarkvaneCheckBox& LarkvaneChecks::Box(LarkvaneCheck check) { return Boxes()[Index(check)]; }

const QStringList& LarkvaneChecks::TestItems() {
  static const QStringList items = {QStringLiteral("&1    PART A - Head test"),
                                    QStringLiteral("&2    PART B - Assembly"),
                                    QStringLiteral("&3    PART C - Final assembly")};
  return items;
}

QString LarkvaneChecks::MemoName(TestPage page) {
  switch (page) {
    case TestPage::kPartA:
      return QStringLiteral("Memo6");
    case TestPage::kPartB:
      return QStringLiteral("Memo4");
    default:
      break;
  }
  return QStringLiteral("Memo5");
}

void LarkvaneChecks::TestsClick(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kTestPages))) return;
  selectedTest_ = index;
  changed_.Notify();
}

void LarkvaneChecks::BtnSkip8Click() {
  if (selectedTest_ < 0) return;
  window_.GoTo(kTestPages[selectedTest_]);
}

void LarkvaneChecks::SetChecked(LarkvaneCheck check, bool checked) {
  if (Checked(check) == checked) return;
  checked_[Index(check)] = checked;
  changed_.Notify();
}

void LarkvaneChecks::Hover(LarkvaneCheck check) {
  const LarkvaneCheckBox& box = Box(check);
  QStringList& memo = box.page == TestPage::kPartA   ? memoA_
                      : box.page == TestPage::kPartB ? memoB_
                                                     : memoHardware_;
  memo = box.instructions;
  changed_.Notify();
}

const QStringList& LarkvaneChecks::Memo(TestPage page) const {
  return page == TestPage::kPartA ? memoA_ : page == TestPage::kPartB ? memoB_ : memoHardware_;
}

bool LarkvaneChecks::AssemblyPassed() const {
  return Checked(LarkvaneCheck::kSupplyCurrent) && Checked(LarkvaneCheck::kSupplyRails1) &&
         Checked(LarkvaneCheck::kSupplyRails2) && Checked(LarkvaneCheck::kMidRail);
}

}  // namespace ventari
