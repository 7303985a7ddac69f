#include "ui/frm_averaging.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "twoaxisconfig/averaging_dialog.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"

namespace ventari {
namespace {

constexpr int kEditPixels = 32;

}  // namespace

TFrmAveraging::TFrmAveraging(AveragingDialog& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("TFrmAveraging"));
  setWindowTitle(model_.Caption());
  setModal(true);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("AveragingPeriod"));
  edit_->setInputMask(QStringLiteral("0000;_"));  // four optional digits, blanks shown as "_"
  edit_->setMaxLength(4);
  QFont font = edit_->font();
  font.setPixelSize(kEditPixels);
  edit_->setFont(font);
  edit_->setAlignment(Qt::AlignCenter);
  edit_->setToolTip(model_.Hint());
  OnSignal(edit_, &QLineEdit::textEdited, this,
           [this](const QString&) { model_.SetText(edit_->displayText()); });

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
  ok_->setObjectName(QStringLiteral("BitBtn1"));
  ok_->setDefault(true);
  cancel_ = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
  cancel_->setObjectName(QStringLiteral("BitBtn2"));
  OnSignal(ok_, &QPushButton::clicked, this, [this] { OkClick(); });
  OnSignal(cancel_, &QPushButton::clicked, this, [this] { reject(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  refresh_ = new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
}

void TFrmAveraging::Sync() {
  // The edit shows its blanks as "_"; the model holds them as they are typed.
  if (edit_->displayText() != model_.Text())
    edit_->setText(QString(model_.Text()).replace('_', ' '));
  ok_->setEnabled(!model_.Busy());
  cancel_->setEnabled(!model_.Busy());
}

void TFrmAveraging::Execute() {
  model_.Activate();
  refresh_->SyncNow();
  exec();
}

void TFrmAveraging::OkClick() {
  ok_->setEnabled(false);
  RunGuarded(this, [this] { model_.Ok(); });
  refresh_->SyncNow();
  accept();
}

void TFrmAveraging::reject() {
  RunGuarded(this, [this] {
    if (model_.Busy()) return;
    model_.Cancel();
    QDialog::reject();
  });
}

}  // namespace ventari
