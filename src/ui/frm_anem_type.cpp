#include "ui/frm_anem_type.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "base/anem_state.h"
#include "ui/guarded_handler.h"
#include "ui/pictures.h"

namespace ventari {

TFrmAnemType::TFrmAnemType(const AnemState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setObjectName(QStringLiteral("TFrmAnemType"));
  setWindowTitle(QStringLiteral("Anemometer type"));
  setModal(true);
  softwareVerLabel_ = new QLabel(this);
  softwareVerLabel_->setObjectName(QStringLiteral("SoftwareVerLabel"));
  serialNumberLabel_ = new QLabel(this);
  serialNumberLabel_->setObjectName(QStringLiteral("SerialNumberLabel"));
  laAnemType_ = new QLabel(this);
  laAnemType_->setObjectName(QStringLiteral("LaAnemType"));
  image1_ = new QLabel(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setFixedSize(180, 200);
  image1_->setFrameShape(QFrame::StyledPanel);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Software version number:"), softwareVerLabel_);
  form->addRow(QStringLiteral("Anemometer serial number:"), serialNumberLabel_);
  form->addRow(QStringLiteral("Anemometer type:"), laAnemType_);
  auto* row = new QHBoxLayout;
  row->addLayout(form, 1);
  row->addWidget(image1_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  OnSignal(buttons, &QDialogButtonBox::accepted, this, [this] { accept(); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

void TFrmAnemType::Sync() {
  softwareVerLabel_->setText(state_.SoftwareVersion);
  serialNumberLabel_->setText(state_.SerialNumber);
  laAnemType_->setText(state_.ModelCaption);
  image1_->setPixmap(ModelPicture(state_.PictureFile, state_.ModelCaption, image1_->size()));
}

void TFrmAnemType::Execute() {
  Sync();
  exec();
}

}  // namespace ventari
