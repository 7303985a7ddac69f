// The user-name screen that opens the production test window in service mode.
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;

namespace ventari {

class Prompts;

class TFrmUserName : public QDialog {
  Q_OBJECT

 public:
  // `accepted` receives the name entered.
  TFrmUserName(Prompts& prompts, std::function<void(const QString&)> accepted, QWidget* parent);

  QLineEdit* UserNameEdit() const { return userNameEdit_; }
  void OkClick();

 protected:
  // Each time the screen becomes active, the field is emptied and takes the focus.
  void changeEvent(QEvent* event) override;

 private:
  Prompts& prompts_;
  std::function<void(const QString&)> accepted_;
  QLineEdit* userNameEdit_;
};

}  // namespace ventari
