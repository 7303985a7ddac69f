// The test window's "PART B - Soft&ware tests" page for a Larkvane: the instructions, the
// "Software checks" group with `LVSwTestListBox` and the "PASS" boxes, `BtnStartLVSwTest` and
// `BtnSkip12`; a view over LarkvaneSoftwareTest.
#pragma once

#include <QWidget>
#include <array>

#include "service/larkvane_software_test.h"
#include "ui/busy_cursor.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace ventari {

class LarkvaneSoftwarePage : public QWidget {
 public:
  LarkvaneSoftwarePage(LarkvaneSoftwareTest& model, QWidget* parent);
  void Sync();

 private:
  LarkvaneSoftwareTest& model_;
  QListWidget* list_;
  std::array<QCheckBox*, kLarkvaneSwCheckCount> boxes_{};
  QPushButton* start_;
  QPushButton* next_;
  BusyCursor busy_;
};

}  // namespace ventari
