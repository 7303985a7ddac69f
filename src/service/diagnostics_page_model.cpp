#include "service/diagnostics_page_model.h"

#include <algorithm>

#include "base/while_busy.h"

namespace ventari {
namespace {

const QString kOkMark = QStringLiteral(" OK");

QString DebugStillOn() {
  return QStringLiteral(
      "The anemometer did not answer, so its debug output could not be switched off.");
}

int Index(DiagnosticTest test) { return static_cast<int>(test); }

}  // namespace

SoftwareDiagnosticsModel::SoftwareDiagnosticsModel(ServiceLink link, ExtTestsModel& extTests)
    : link_(link), extTestsWindow_(extTests), output_(link) {
  ForgetUnit();
  output_.SetLineListener([this](const QByteArray& line) { OnLine(line); });
  // OK in the statistics window stops the downcounts test it collected for, and nothing else:
  // once that test was stopped the selection has moved on to the next one.
  extTestsWindow_.SetStopTest([this] {
    if (running_ && collectedThisTest_) Stop();
  });
}

void SoftwareDiagnosticsModel::ForgetUnit() {
  for (int i = 0; i < kDiagnosticTestCount; ++i) {
    items_[static_cast<std::size_t>(i)] =
        QLatin1String(InfoOf(static_cast<DiagnosticTest>(i)).item);
  }
  lines_.clear();
  changed_.Notify();
}

bool SoftwareDiagnosticsModel::Confirmed(DiagnosticTest test) const {
  return items_[static_cast<std::size_t>(Index(test))].endsWith(kOkMark);
}

bool SoftwareDiagnosticsModel::ExtTestsVisible() const {
  return selected_ == Index(DiagnosticTest::kDowncounts);
}

int SoftwareDiagnosticsModel::TopIndex() const {
  return std::max<int>(0, static_cast<int>(lines_.size()) - kLinesInView);
}

void SoftwareDiagnosticsModel::Show() {
  Select(0);
  focus_ = DiagnosticsFocus::kStartTest;
  changed_.Notify();
}

void SoftwareDiagnosticsModel::Select(int index) {
  selected_ = index >= 0 && index < kDiagnosticTestCount ? index : kNone;
  memo_ =
      selected_ == kNone ? QStringList() : DiagnosticMemo(static_cast<DiagnosticTest>(selected_));
  changed_.Notify();
}

void SoftwareDiagnosticsModel::SetExtTests(bool checked) {
  extTests_ = checked;
  changed_.Notify();
}

void SoftwareDiagnosticsModel::Start() {
  WhileBusy(busy_, changed_, [this] {
    lines_.clear();
    changed_.Notify();
    collectedThisTest_ = false;
    if (selected_ == kNone) return;
    const auto test = static_cast<DiagnosticTest>(selected_);
    started_ = selected_;
    output_.SwitchOn(test);
    items_[static_cast<std::size_t>(selected_)] = QLatin1String(InfoOf(test).item);
    running_ = true;
    collectedThisTest_ = test == DiagnosticTest::kDowncounts && extTests_;
  });
  focus_ = DiagnosticsFocus::kStopTest;
  changed_.Notify();
  if (collectedThisTest_) extTestsWindow_.StartCollection();
}

void SoftwareDiagnosticsModel::OnLine(const QByteArray& line) {
  if (lines_.size() >= kMaxLines) lines_.removeFirst();
  lines_.append(QString::fromLatin1(line));
  if (extTestsWindow_.Collecting()) extTestsWindow_.AddLine(line);
  changed_.Notify();
}

bool SoftwareDiagnosticsModel::Confirm(DiagnosticTest test) {
  // Extended testing judges the downcounts by their statistics: 120 samples of this test, all
  // in range. Anything less is for the technician to judge, as without it.
  if (test == DiagnosticTest::kDowncounts && extTests_ && collectedThisTest_ &&
      extTestsWindow_.Passed()) {
    return true;
  }
  return link_.prompts.Ask(QLatin1String(InfoOf(test).question), QLatin1String(kDiagnosticsCaption),
                           {PromptButton::kYes, PromptButton::kNo}) == PromptButton::kYes;
}

void SoftwareDiagnosticsModel::Stop() {
  running_ = false;
  const bool off = WhileBusy(busy_, changed_, [this] { return output_.SwitchOff(); });
  if (!off) {
    // Confirming now would pass a test whose anemometer still streams debug lines; the stop can
    // be tried again.
    link_.prompts.ShowMessage(DebugStillOn() + QStringLiteral(" The test is not confirmed."),
                              QLatin1String(kDiagnosticsCaption));
    focus_ = DiagnosticsFocus::kStopTest;
    changed_.Notify();
    return;
  }
  // The test that ran is judged, whatever was selected since.
  const int stopped = started_;
  started_ = kNone;
  if (stopped != kNone && Confirm(static_cast<DiagnosticTest>(stopped))) {
    items_[static_cast<std::size_t>(stopped)] += kOkMark;
  }
  if (stopped == kDiagnosticTestCount - 1) {
    focus_ = DiagnosticsFocus::kNext;
    changed_.Notify();
  } else {
    focus_ = DiagnosticsFocus::kStartTest;
    Select(stopped + 1);
  }
}

bool SoftwareDiagnosticsModel::StopIfRunning() {
  if (extTestsWindow_.Collecting() || extTestsWindow_.Visible()) extTestsWindow_.EndCollection();
  started_ = kNone;  // a test left this way is not confirmed
  if (!running_ && !output_.DebugOn()) return true;
  running_ = false;
  if (!output_.DebugOn()) {
    // The start found no anemometer to switch on: nothing to switch off.
    output_.Disarm();
    changed_.Notify();
    return true;
  }
  const bool off = WhileBusy(busy_, changed_, [this] { return output_.SwitchOff(); });
  if (!off) link_.prompts.ShowMessage(DebugStillOn(), QLatin1String(kDiagnosticsCaption));
  return off;
}

}  // namespace ventari
