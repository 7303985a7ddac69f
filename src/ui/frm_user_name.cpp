#include "ui/frm_user_name.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/prompts.h"
#include "ui/guarded_handler.h"

namespace ventari {

TFrmUserName::TFrmUserName(Prompts& prompts, std::function<void(const QString&)> accepted,
                           QWidget* parent)
    : QDialog(parent), prompts_(prompts), accepted_(std::move(accepted)) {
  setObjectName(QStringLiteral("TFrmUserName"));
  setWindowTitle(QStringLiteral("User name"));
  userNameEdit_ = new QLineEdit(this);
  userNameEdit_->setObjectName(QStringLiteral("UserNameEdit"));
  userNameEdit_->setMaxLength(30);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  OnSignal(ok, &QPushButton::clicked, this, [this] { OkClick(); });
  OnSignal(cancel, &QPushButton::clicked, this, [this] { reject(); });
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("User name : "), this));
  row->addWidget(userNameEdit_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);
}

void TFrmUserName::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  RunGuarded(this, [this, event] {
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    userNameEdit_->clear();
    userNameEdit_->setFocus();
  });
}

void TFrmUserName::OkClick() {
  if (userNameEdit_->text().isEmpty()) {
    prompts_.ShowMessage(QStringLiteral("You MUST enter a user name!"), QStringLiteral("ERROR"));
    userNameEdit_->setFocus();
    return;
  }
  const QString name = userNameEdit_->text();
  accept();
  if (accepted_) accepted_(name);
}

}  // namespace ventari
