// The "Flash &memory" page of the production test window: the S-record file, the target
// processor, "..." to choose another file, "&Program" and "Ne&xt". A view over FlashPageModel
// that the test window holds as one of its tabs.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace ventari {

class FlashPageModel;

class FlashPage : public QWidget {
  Q_OBJECT

 public:
  explicit FlashPage(FlashPageModel& model, QWidget* parent = nullptr);

  QComboBox* SRecordString() const { return sRecordString_; }
  QComboBox* TargetProcString() const { return targetProcString_; }
  QPushButton* Browse() const { return browse_; }
  QPushButton* BtnProgram1() const { return btnProgram1_; }
  QPushButton* BtnSkip2() const { return btnSkip2_; }

  void Sync();

 private:
  FlashPageModel& model_;
  QComboBox* sRecordString_;
  QComboBox* targetProcString_;
  QPushButton* browse_;
  QPushButton* btnProgram1_;
  QPushButton* btnSkip2_;
  QLabel* sRecordPath_;
  int focusRequest_ = 0;
};

}  // namespace ventari
