// The ports dialog: the list of ports and "Set". A view over the ports dialog's model. A port
// the user may not open is marked and greyed, its tooltip saying how to be allowed to.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace ventari {

class PortsDialog;

class TFrmPorts : public QDialog {
  Q_OBJECT

 public:
  TFrmPorts(PortsDialog& logic, QWidget& parent);

  // Fills the list and shows the dialog modally.
  void Execute(const QStringList& ports);

 private:
  void Sync();

  PortsDialog& logic_;
  QListWidget* lbPorts_;
  QPushButton* btnSetPort_;
};

}  // namespace ventari
