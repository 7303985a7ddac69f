// File > "Publish to broker...": whether the anemometer's records go to an MQTT broker, which
// broker (mqtt://host[:port], or mqtts:// with the certificate authority it is checked with),
// the topics' prefix, the QoS, the user and the file holding the password, and how much is held
// while the broker is away. A view over the application's publishing: filled from its choices
// when opened, and OK hands it the new ones; choices it cannot use are said and the dialog stays.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace ventari {

class BrokerPublishing;
class Prompts;

class TFrmPublish : public QDialog {
  Q_OBJECT

 public:
  TFrmPublish(BrokerPublishing& publishing, Prompts& prompts, QWidget* parent = nullptr);

  // Shows the choices now in force.
  void Execute();
  void OkClick();

 private:
  // A line for a file's path with its "Browse..." button.
  QWidget* FileRow(QLineEdit*& edit, const QString& name, const QString& caption);

  BrokerPublishing& publishing_;
  Prompts& prompts_;
  QCheckBox* enabled_;
  QLineEdit* url_;
  QLineEdit* caFile_;
  QLineEdit* prefix_;
  QComboBox* qos_;
  QLineEdit* user_;
  QLineEdit* passwordFile_;
  QSpinBox* holdMessages_;
  QSpinBox* holdMiB_;
};

}  // namespace ventari
