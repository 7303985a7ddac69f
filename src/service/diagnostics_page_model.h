// The "Software &diagnostics" page of the test window (the view is a page widget): the five
// diagnostics with their " OK" marks, the memo that explains the selected one, the list of
// received lines, "Extended testing", where the focus goes, and starting and stopping a test.
// The test report reads the marks; leaving the page, closing the test window and quitting call
// StopIfRunning() so no anemometer is left streaming debug lines.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

#include "base/change_notifier.h"
#include "service/diagnostic_output.h"
#include "service/ext_tests_model.h"
#include "service/service_link.h"

namespace ventari {

enum class DiagnosticsFocus { kStartTest, kStopTest, kNext };

class SoftwareDiagnosticsModel {
 public:
  static constexpr int kMaxLines = 100;
  static constexpr int kLinesInView = 15;
  static constexpr int kNone = -1;

  // Takes over the diagnostic matchers' handlers and `extTests`' OK.
  SoftwareDiagnosticsModel(ServiceLink link, ExtTestsModel& extTests);
  SoftwareDiagnosticsModel(const SoftwareDiagnosticsModel&) = delete;
  SoftwareDiagnosticsModel& operator=(const SoftwareDiagnosticsModel&) = delete;

  // The page is shown: the first item is selected and "Sta&rt test" has the focus.
  void Show();
  // Selects an item (kNone: none) and fills the memo with what its lines must look like.
  void Select(int index);
  void SetExtTests(bool checked);
  // "Sta&rt test".
  void Start();
  // "Sto&p test": the debug output off, then the test that was started confirmed (not the one
  // selected since) and the next one selected. When it cannot be switched off the user is told
  // and nothing is confirmed.
  void Stop();
  // Leaving the page, the test window or the application: a running test's debug output is
  // switched off, without a question; the user is told when that failed. Returns whether the
  // debug output is off.
  bool StopIfRunning();
  // A new unit: no test confirmed, no line received.
  void ForgetUnit();

  // The items' texts, with " OK" on each confirmed test.
  const std::array<QString, kDiagnosticTestCount>& Items() const { return items_; }
  bool Confirmed(DiagnosticTest test) const;
  int Selected() const { return selected_; }
  const QStringList& Memo() const { return memo_; }
  bool ExtTestsChecked() const { return extTests_; }
  // Only while "&3   Downcounts" is selected.
  bool ExtTestsVisible() const;
  // The newest 100 lines received, oldest first; TopIndex() the first one in view.
  const QStringList& Lines() const { return lines_; }
  int TopIndex() const;
  DiagnosticsFocus Focus() const { return focus_; }
  bool Busy() const { return busy_; }
  // From "Sta&rt test" to "Sto&p test": the test's matcher is armed.
  bool Running() const { return running_; }

  DiagnosticOutput& Output() { return output_; }
  ChangeNotifier& Changed() { return changed_; }

 private:
  void OnLine(const QByteArray& line);
  // The question of `test`, or the downcounts' own judgement under extended testing.
  bool Confirm(DiagnosticTest test);

  ServiceLink link_;
  ExtTestsModel& extTestsWindow_;
  DiagnosticOutput output_;
  std::array<QString, kDiagnosticTestCount> items_;
  int selected_ = kNone;
  int started_ = kNone;  // the test the last start switched on, until it is stopped
  QStringList memo_;
  bool extTests_ = true;
  QStringList lines_;
  DiagnosticsFocus focus_ = DiagnosticsFocus::kStartTest;
  bool busy_ = false;
  bool running_ = false;
  // Whether the last start collected downcount statistics.
  bool collectedThisTest_ = false;
  ChangeNotifier changed_;
};

}  // namespace ventari
