#include "service/larkvane_software_test.h"

#include <algorithm>

#include "displays/data_display.h"

namespace ventari {
namespace {

const QString kStart = QStringLiteral("&Start Test");
const QString kNext = QStringLiteral("&Next Test");
const QString kStop = QStringLiteral("&Stop Test");
const QString kFocus = QStringLiteral("BtnStartLVSwTest");

}  // namespace

LarkvaneSoftwareTest::LarkvaneSoftwareTest(ServiceLink& link, TestWindowModel& window,
                                           LarkvaneChecksums& checksums)
    : link_(link), window_(window), checksums_(checksums) {
  window_.AddEnterHook(TestPage::kPartBSoftware, [this] { window_.RequestFocus(kFocus); });
}

void LarkvaneSoftwareTest::SetChecked(LarkvaneSwCheck check, bool checked) {
  checked_[static_cast<std::size_t>(check)] = checked;
  changed_.Notify();
}

bool LarkvaneSoftwareTest::AllPassed() const {
  return std::all_of(checked_.begin(), checked_.end(), [](bool checked) { return checked; });
}

void LarkvaneSoftwareTest::Append(const QString& line) {
  list_ << line;
  if (list_.size() > kMaxLines) list_.erase(list_.begin(), list_.end() - kMaxLines);
  changed_.Notify();
}

void LarkvaneSoftwareTest::SetBusy(bool busy) {
  busy_ = busy;
  buttonEnabled_ = !busy;
  changed_.Notify();
}

void LarkvaneSoftwareTest::OnDataText(const QByteArray& text) {
  // Only the stream this test asked for, as the data display shows it.
  if (caption_ == kStop) Append(DataDisplay::Trim(text));
}

void LarkvaneSoftwareTest::BtnStartLVSwTestClick() {
  if (!buttonEnabled_) return;
  if (caption_ == kStart) {
    StartTest();
  } else if (caption_ == kNext) {
    NextTest();
  } else {
    StopTest();
  }
}

void LarkvaneSoftwareTest::StartTest() {
  list_.clear();
  Append(QStringLiteral("Initialising..."));
  nextEnabled_ = false;
  SetBusy(true);
  const ChecksumReading reading = checksums_.Read([this] {
    list_.clear();
    changed_.Notify();
  });
  // With "ROM checksum" already ticked the values are the report's to read: the list stays as
  // it is and the test does not move on.
  const bool forReport = Checked(LarkvaneSwCheck::kRomCsum);
  if (reading.configMode && !forReport) {
    for (std::size_t i = 0; i < kLarkvaneChecksums.size(); ++i) {
      if (reading.values[i]) Append(ChecksumLine(kLarkvaneChecksums[i], reading.values[i]));
    }
  }
  if (!reading.configMode) {
    // The channel has said that the anemometer did not answer; the test can be started again.
    nextEnabled_ = true;
  } else if (!reading.complete) {
    link_.prompts.ShowMessage(
        QStringLiteral("The anemometer did not answer a checksum read: the test stopped."),
        QStringLiteral("PART B - Software tests"));
    nextEnabled_ = true;
  } else if (!forReport) {
    Append(QStringLiteral("Click 'Next Test' to continue!"));
    caption_ = kNext;
  } else {
    // Read for the report: the page is left through Next.
    nextEnabled_ = true;
  }
  SetBusy(false);
  window_.RequestFocus(kFocus);
}

void LarkvaneSoftwareTest::NextTest() {
  list_.clear();
  Append(QStringLiteral("Click 'Stop Test' if scrolling data is visible, wait.."));
  SetBusy(true);
  caption_ = kStop;
  link_.matchers.DataPacket.SetEnabled(true);
  SetBusy(false);
  window_.RequestFocus(kFocus);
}

void LarkvaneSoftwareTest::StopTest() {
  SetBusy(true);
  caption_ = kStart;
  link_.matchers.DataPacket.SetEnabled(false);
  list_.clear();
  Append(QStringLiteral("Tests complete!"));
  nextEnabled_ = true;
  SetBusy(false);
}

}  // namespace ventari
