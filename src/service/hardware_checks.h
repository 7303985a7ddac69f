// The hardware diagnostics page of the production test: five checks the technician makes with a
// meter and a scope and ticks when they pass, each with its instructions shown in `Memo2` while
// the mouse is over it. The ticks are kept in the production test for the report.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "base/change_notifier.h"
#include "service/production_test.h"
#include "service/test_window_model.h"

namespace ventari {

struct HardwareCheck {
  QString name;     // the check box's name: TestC54 ...
  QString caption;  // as shown; "&&" shows one ampersand
  QStringList instructions;
};

class HardwareChecks {
 public:
  // The page's heading lines.
  static const QStringList& Heading();
  static const std::array<HardwareCheck, kHardwareCheckCount>& Checks();

  // Entering the page clears the ticks and gives `BtnSkip4` the focus.
  HardwareChecks(ProductionTest& test, TestWindowModel& window);
  HardwareChecks(const HardwareChecks&) = delete;
  HardwareChecks& operator=(const HardwareChecks&) = delete;

  ChangeNotifier& Changed() { return changed_; }
  bool Checked(int index) const;
  bool AllPassed() const;
  // The lines of `Memo2`.
  const QStringList& Memo() const { return memo_; }

  void SetChecked(int index, bool checked);
  // The mouse moved over check box `index`.
  void Hover(int index);
  void BtnSkip4Click() { window_.Next(TestPage::kHardwareDiagnostics); }

 private:
  void Enter();

  ProductionTest& test_;
  TestWindowModel& window_;
  QStringList memo_;
  ChangeNotifier changed_;
};

}  // namespace ventari
