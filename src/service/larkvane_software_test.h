// The Larkvane's "PART B - Soft&ware tests" page: `BtnStartLVSwTest` reads the four checksums
// into `LVSwTestListBox`, then lets the data stream scroll through the same list until the
// technician stops it, and the check boxes the technician ticks for the report. The button's
// caption says which step comes next.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

#include "base/change_notifier.h"
#include "service/larkvane_checksums.h"
#include "service/service_link.h"
#include "service/test_window_model.h"

namespace ventari {

enum class LarkvaneSwCheck { kDataScroll, kRomCsum, kEngCsum, kFactCsum, kCalCsum };
inline constexpr int kLarkvaneSwCheckCount = 5;

struct LarkvaneSwCheckBox {
  const char* name;
  const char* caption;
};
inline constexpr std::array<LarkvaneSwCheckBox, kLarkvaneSwCheckCount> kLarkvaneSwCheckBoxes{{
    {"DataScroll", "Data scrolling with no error codes"},
    {"RomCsum", "ROM checksum"},
    {"EngCsum", "Engineering parameters checksum"},
    {"FactCsum", "Factory parameters checksum"},
    {"CalCsum", "Calibration parameters checksum"},
}};

class LarkvaneSoftwareTest {
 public:
  // The list keeps the newest lines only: data scroll through it for as long as the test runs.
  static constexpr int kMaxLines = 200;

  LarkvaneSoftwareTest(ServiceLink& link, TestWindowModel& window, LarkvaneChecksums& checksums);
  LarkvaneSoftwareTest(const LarkvaneSoftwareTest&) = delete;
  LarkvaneSoftwareTest& operator=(const LarkvaneSoftwareTest&) = delete;

  ChangeNotifier& Changed() { return changed_; }
  const QStringList& List() const { return list_; }
  const QString& Caption() const { return caption_; }
  bool ButtonEnabled() const { return buttonEnabled_; }
  bool NextEnabled() const { return nextEnabled_; }
  bool Busy() const { return busy_; }

  bool Checked(LarkvaneSwCheck check) const { return checked_[static_cast<std::size_t>(check)]; }
  void SetChecked(LarkvaneSwCheck check, bool checked);
  // All five boxes ticked: the report prints the checksums.
  bool AllPassed() const;
  // A new unit: no box ticked.
  void ForgetUnit() {
    checked_.fill(false);
    changed_.Notify();
  }

  void BtnStartLVSwTestClick();
  // `BtnSkip12`.
  void BtnSkip12Click() { window_.Next(TestPage::kPartBSoftware); }
  // Every two-axis data message, as the data display gets it: listed while the test streams.
  void OnDataText(const QByteArray& text);

 private:
  void StartTest();
  void NextTest();
  void StopTest();
  void Append(const QString& line);
  void SetBusy(bool busy);

  ServiceLink& link_;
  TestWindowModel& window_;
  LarkvaneChecksums& checksums_;
  QStringList list_;
  QString caption_ = QStringLiteral("&Start Test");
  bool buttonEnabled_ = true;
  bool nextEnabled_ = true;
  bool busy_ = false;
  std::array<bool, kLarkvaneSwCheckCount> checked_{};
  ChangeNotifier changed_;
};

}  // namespace ventari
