// One of the Larkvane's check pages of the test window ("PART &A - Head tests", "PART &B -
// Assembly tests", "PART B - Ha&rdware tests"): the "Hardware checks" or "Transducer checks"
// group with the heading and the page's check boxes, the memo that shows the instructions of
// the box under the mouse, and the page's "&Next"; a view over LarkvaneChecks.
#pragma once

#include <QWidget>
#include <utility>
#include <vector>

#include "service/larkvane_checks.h"

class QCheckBox;
class QPlainTextEdit;

namespace ventari {

class LarkvaneCheckPage : public QWidget {
 public:
  LarkvaneCheckPage(LarkvaneChecks& model, TestPage page, QWidget* parent);
  void Sync();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  LarkvaneChecks& model_;
  TestPage page_;
  std::vector<std::pair<LarkvaneCheck, QCheckBox*>> boxes_;
  QPlainTextEdit* memo_;
};

}  // namespace ventari
