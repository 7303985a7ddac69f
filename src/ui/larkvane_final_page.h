// The test window's "PART &C - Final assembly tests" page for a Larkvane: the instructions, the
// radio group `FinalAssemblyChecks`, `LVFinalAssyListBox`, `BtnStartLVFinalAssyTest` and
// `BtnFinish`; a view over LarkvaneFinalAssembly (and the report's busy state).
#pragma once

#include <QWidget>

#include "ui/busy_cursor.h"

class QButtonGroup;
class QListWidget;
class QPushButton;

namespace ventari {

class LarkvaneFinalAssembly;
class LarkvaneReport;

class LarkvaneFinalPage : public QWidget {
 public:
  LarkvaneFinalPage(LarkvaneFinalAssembly& model, LarkvaneReport& report, QWidget* parent);
  void Sync();

 private:
  LarkvaneFinalAssembly& model_;
  LarkvaneReport& report_;
  QButtonGroup* checks_;
  QListWidget* list_;
  QPushButton* start_;
  QPushButton* finish_;
  BusyCursor busy_;
};

}  // namespace ventari
