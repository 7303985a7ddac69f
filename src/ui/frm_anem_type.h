// The anemometer-type screen: software version, serial number, model and its picture.
#pragma once

#include <QDialog>

class QLabel;

namespace ventari {

struct AnemState;

class TFrmAnemType : public QDialog {
  Q_OBJECT

 public:
  TFrmAnemType(const AnemState& state, QWidget* parent);

  // Shows what is known now, modally.
  void Execute();
  void Sync();

 private:
  const AnemState& state_;
  QLabel* softwareVerLabel_;
  QLabel* serialNumberLabel_;
  QLabel* laAnemType_;
  QLabel* image1_;
};

}  // namespace ventari
