// The averaging period dialog: a four-digit edit in a large face, with its hint, OK and Cancel.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace ventari {

class AveragingDialog;
class ViewRefresh;

class TFrmAveraging : public QDialog {
 public:
  TFrmAveraging(AveragingDialog& model, QWidget* parent);

  // Shows the dialog modally until OK or Cancel closes it.
  void Execute();
  void Sync();

  QLineEdit& Edit() { return *edit_; }
  QPushButton& OkButton() { return *ok_; }

  // Cancel, Escape and the close box: the last accepted period is shown again.
  void reject() override;

 private:
  void OkClick();

  AveragingDialog& model_;
  QLineEdit* edit_;
  QPushButton* ok_;
  QPushButton* cancel_;
  ViewRefresh* refresh_;
};

}  // namespace ventari
