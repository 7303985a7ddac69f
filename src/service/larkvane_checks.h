// The Larkvane's check-box pages of the production test: the test selection ("Se&lect test" with
// `Tests`), the head test (Part A), the assembly checks (Part B) and the waveform check (Part B
// hardware). The technician ticks each check as it passes; the instructions of the check under
// the mouse fill its page's memo. The ticks are kept for the Larkvane report.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "base/change_notifier.h"
#include "service/test_window_model.h"

namespace ventari {

enum class LarkvaneCheck {
  kWiring,         // WiringCheckBox, Part A
  kSupplyCurrent,  // CheckSupplyCurrent, Part B assembly
  kSupplyRails1,   // CheckSupplyRails1
  kSupplyRails2,   // CheckSupplyRails2
  kMidRail,        // CheckMidRail
  kWaveforms,      // WvfrmsCheck, Part B hardware
};
inline constexpr int kLarkvaneCheckCount = 6;

struct LarkvaneCheckBox {
  QString name;
  QString caption;
  QStringList instructions;
  TestPage page;
};

class LarkvaneChecks {
 public:
  static const std::array<LarkvaneCheckBox, kLarkvaneCheckCount>& Boxes();
  static const LarkvaneCheckBox& Box(LarkvaneCheck check);
  // The items of `Tests` and the pages they lead to.
  static const QStringList& TestItems();
  // The memo of a page: Memo6 (Part A), Memo4 (Part B assembly), Memo5 (Part B hardware).
  static QString MemoName(TestPage page);

  explicit LarkvaneChecks(TestWindowModel& window) : window_(window) {}
  LarkvaneChecks(const LarkvaneChecks&) = delete;
  LarkvaneChecks& operator=(const LarkvaneChecks&) = delete;

  ChangeNotifier& Changed() { return changed_; }

  // "Se&lect test".
  int SelectedTest() const { return selectedTest_; }
  void TestsClick(int index);
  // `BtnSkip8`: the page of the test chosen; nothing without a choice.
  void BtnSkip8Click();

  bool Checked(LarkvaneCheck check) const { return checked_[Index(check)]; }
  void SetChecked(LarkvaneCheck check, bool checked);
  void Hover(LarkvaneCheck check);
  // A new unit: no test chosen, no box ticked.
  void ForgetUnit() {
    selectedTest_ = -1;
    checked_.fill(false);
    changed_.Notify();
  }
  const QStringList& Memo(TestPage page) const;

  bool PartAPassed() const { return Checked(LarkvaneCheck::kWiring); }
  bool AssemblyPassed() const;
  bool HardwarePassed() const { return Checked(LarkvaneCheck::kWaveforms); }

  // `BtnSkip9`, `BtnSkip11`, `BtnSkip13`.
  void Next(TestPage from) { window_.Next(from); }

 private:
  static std::size_t Index(LarkvaneCheck check) { return static_cast<std::size_t>(check); }

  TestWindowModel& window_;
  int selectedTest_ = -1;
  std::array<bool, kLarkvaneCheckCount> checked_{};
  QStringList memoA_, memoB_, memoHardware_;
  ChangeNotifier changed_;
};

}  // namespace ventari
