// The test window's "Ca&librate SOS" page: the bin's temperature, the theoretical and measured
// speeds of sound, the anemometer's latest output and the offsets, a view over
// `SosCalibrationModel`.
#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace ventari {

class SosCalibrationModel;

class SosPage : public QWidget {
 public:
  SosPage(SosCalibrationModel& model, QWidget* parent);

  void Sync();

 private:
  SosCalibrationModel& model_;
  QLineEdit* temperature_;
  QLineEdit* reading_;
  QLineEdit* theoretical_;
  QListWidget* list_;
  QLineEdit* upper_;
  QLineEdit* lower_;
  QPushButton* calibrate_;
  QPushButton* recalibrate_;
  QPushButton* next_;
  int focusShown_ = 0;
};

}  // namespace ventari
