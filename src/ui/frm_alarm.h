// The alarm window: thresholds, alarm conditions, the external alarm port and the red warning
// strip. A view over the alarm's model; it also holds the player of the alarm sound.
#pragma once

#include <QWidget>

#include "displays/alarm_sound.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSoundEffect;

namespace ventari {

class AlarmWindowModel;
class LiveWindow;

class TFrmAlarm : public QWidget, private AlarmSound {
  Q_OBJECT

 public:
  explicit TFrmAlarm(AlarmWindowModel& model, QWidget* parent = nullptr);
  ~TFrmAlarm() override;

  // Mirrors the model (also done when the model announces a change, and when shown).
  void Sync();
  LiveWindow& Live() const { return *live_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool PlayFromStart() override;
  void Beep() override;
  void BuildThresholds(QWidget* group);

  AlarmWindowModel& model_;
  LiveWindow* live_ = nullptr;
  QSoundEffect* audio_;
  QLineEdit* edMagThresh_;
  QLineEdit* edDirThresh1_;
  QLineEdit* edDirThresh2_;
  QLabel* laSpeedType_;
  QRadioButton* above_;
  QRadioButton* below_;
  QCheckBox* cbAudio_;
  QCheckBox* cbVisual_;
  QCheckBox* cbWindspeed_;
  QCheckBox* cbDirection_;
  QCheckBox* cbExternal_;
  QComboBox* lbComAvail_;
  QFrame* visualAlert_;
  QLabel* warn_;
};

}  // namespace ventari
