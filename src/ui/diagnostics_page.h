// The "Software &diagnostics" page of the test window: a view over SoftwareDiagnosticsModel.
// The test window puts it in its page control and connects "Ne&xt" to the next page.
#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace ventari {

class SoftwareDiagnosticsModel;
class ViewRefresh;

class DiagnosticsPage : public QWidget {
 public:
  DiagnosticsPage(SoftwareDiagnosticsModel& model, QWidget* parent);
  ~DiagnosticsPage() override;

  void Sync();

  QGroupBox& SoftwareDiagnostics() { return *group_; }
  QPushButton& BtnStartTest1() { return *start_; }
  QPushButton& BtnStopTest1() { return *stop_; }
  QListWidget& DbgListBox() { return *list_; }
  QPlainTextEdit& Lines() { return *memo_; }
  QCheckBox& ExtTests() { return *extTests_; }
  QPushButton& BtnSkip5() { return *next_; }

 protected:
  // Showing the page selects the first test and gives "Sta&rt test" the focus.
  void showEvent(QShowEvent* event) override;

 private:
  void ShowBusy(bool busy);

  SoftwareDiagnosticsModel& model_;
  QGroupBox* group_;
  QButtonGroup* items_;
  QPushButton* start_;
  QPushButton* stop_;
  QListWidget* list_;
  QPlainTextEdit* memo_;
  QCheckBox* extTests_;
  QPushButton* next_;
  ViewRefresh* refresh_;
  bool busyShown_ = false;
  // The focus the model asked for last, applied once per change.
  int focusShown_ = -1;
};

}  // namespace ventari
