// The terminal's port settings dialog ("Com Port Options"): a view over PortParameters, made on
// first use and kept, filled from the port each time it shows.
#pragma once

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QListWidget;
class QSpinBox;

namespace ventari {

class PortParameters;

class ComPortOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  ComPortOptionsDialog(PortParameters& logic, QWidget* parent);

  // Fills the fields from the port.
  void Load();

 private:
  void Store();

  PortParameters& logic_;
  QListWidget* comPorts_;
  QComboBox* cbBaud_;
  QComboBox* cbParity_;
  QComboBox* cbDataBits_;
  QComboBox* cbStopBits_;
  QCheckBox* dtrDsr_;
  QCheckBox* rtsCts_;
  QCheckBox* softwareTransmit_;
  QCheckBox* softwareReceive_;
  QSpinBox* xonChar_;
  QSpinBox* xoffChar_;
};

// What the terminal's "Set parameters" calls.
class ComPortOptions {
 public:
  explicit ComPortOptions(PortParameters& logic) : logic_(logic) {}
  ~ComPortOptions();
  ComPortOptions(const ComPortOptions&) = delete;
  ComPortOptions& operator=(const ComPortOptions&) = delete;

  // Fills the dialog from the port and shows it modally; OK moves the port onto its settings.
  void SetParameters(QWidget* parent);
  // The dialog, made on first use.
  ComPortOptionsDialog& Dialog(QWidget* parent);

 private:
  PortParameters& logic_;
  QPointer<ComPortOptionsDialog> dialog_;
};

}  // namespace ventari
