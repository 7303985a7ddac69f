// The "Extended downcounts tests" window: a view over ExtTestsModel, not modal, centred. It
// shows and hides itself as the model says.
#pragma once

#include <QWidget>
#include <array>

#include "service/ext_tests_model.h"

class QLabel;
class QPushButton;

namespace ventari {

class ViewRefresh;

class TFrmExtTests : public QWidget {
 public:
  TFrmExtTests(ExtTestsModel& model, QWidget* parent);

  void Sync();

  // StdDevAxis1 ... AveAxis3.
  QLabel& ValueLabel(ExtTestsRow row, int axis);
  // The samples of this test and its bad lines.
  QLabel& Counts() { return *counts_; }
  QPushButton& BtnOKExtDwncnts() { return *ok_; }

 protected:
  // The close box hides the window; collecting goes on.
  void closeEvent(QCloseEvent* event) override;

 private:
  ExtTestsModel& model_;
  std::array<std::array<QLabel*, kDowncountAxes>, kExtTestsRows> values_{};
  QLabel* counts_;
  QPushButton* ok_;
  ViewRefresh* refresh_;
  bool placed_ = false;
};

}  // namespace ventari
