// The test window's "&Sensor type" page: the AnemometerType radio group and the buttons that set
// the type and move on, a view over the test window's model.
#pragma once

#include <QWidget>

class QButtonGroup;
class QGroupBox;

namespace ventari {

class TestWindowModel;

class SensorTypePage : public QWidget {
 public:
  SensorTypePage(TestWindowModel& model, QWidget* parent);

  void Sync();

 private:
  TestWindowModel& model_;
  QGroupBox* anemometerType_;
  QButtonGroup* items_;
};

}  // namespace ventari
