// The test window's "Se&lect test" page for a Larkvane: the radio group `Tests` and `BtnSkip8`,
// a view over LarkvaneChecks.
#pragma once

#include <QWidget>

class QButtonGroup;

namespace ventari {

class LarkvaneChecks;

class LarkvaneSelectPage : public QWidget {
 public:
  LarkvaneSelectPage(LarkvaneChecks& model, QWidget* parent);
  void Sync();

 private:
  LarkvaneChecks& model_;
  QButtonGroup* tests_;
};

}  // namespace ventari
