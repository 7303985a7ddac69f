// The ports dialog: the list of ports and "Set". A view over the ports dialog's model.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace ventari {

class PortsDialog;
class TFrmMain;

class TFrmPorts : public QDialog {
  Q_OBJECT

 public:
  TFrmPorts(PortsDialog& logic, TFrmMain& main);

  // Fills the list and shows the dialog modally.
  void Execute(const QStringList& ports);

 private:
  void Sync();

  PortsDialog& logic_;
  TFrmMain& main_;
  QListWidget* lbPorts_;
  QPushButton* btnSetPort_;
};

}  // namespace ventari
