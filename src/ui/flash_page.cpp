#include "ui/flash_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "service/flash_page_model.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"

namespace ventari {

FlashPage::FlashPage(FlashPageModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("FlashMemoryPage"));
  sRecordString_ = new QComboBox(this);
  sRecordString_->setObjectName(QStringLiteral("SRecordString"));
  sRecordString_->setMinimumContentsLength(32);
  targetProcString_ = new QComboBox(this);
  targetProcString_->setObjectName(QStringLiteral("TargetProcString"));
  targetProcString_->addItems(FlashPageModel::TargetProcessors());
  browse_ = new QPushButton(QStringLiteral("..."), this);
  browse_->setObjectName(QStringLiteral("browse"));
  browse_->setFixedWidth(32);
  btnProgram1_ = new QPushButton(QStringLiteral("&Program"), this);
  btnProgram1_->setObjectName(QStringLiteral("BtnProgram1"));
  btnSkip2_ = new QPushButton(QStringLiteral("Ne&xt"), this);
  btnSkip2_->setObjectName(QStringLiteral("BtnSkip2"));
  sRecordPath_ = new QLabel(this);
  sRecordPath_->setObjectName(QStringLiteral("SRecordPath"));
  sRecordPath_->hide();

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("S-record file : "), this), 0, 0);
  fields->addWidget(sRecordString_, 0, 1);
  fields->addWidget(browse_, 0, 2);
  fields->addWidget(new QLabel(QStringLiteral("Target processor : "), this), 1, 0);
  fields->addWidget(targetProcString_, 1, 1);
  fields->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnProgram1_);
  buttons->addWidget(btnSkip2_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addStretch();
  layout->addLayout(buttons);

  OnSignal(sRecordString_, &QComboBox::activated, this,
           [this](int index) { model_.SelectFile(index); });
  OnSignal(targetProcString_, &QComboBox::activated, this,
           [this](int index) { model_.SelectTarget(index); });
  OnSignal(browse_, &QPushButton::clicked, this, [this] { model_.BrowseClick(); });
  OnSignal(btnProgram1_, &QPushButton::clicked, this, [this] { model_.BtnProgram1Click(); });
  OnSignal(btnSkip2_, &QPushButton::clicked, this, [this] { model_.BtnSkip2Click(); });
  new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  Sync();
}

void FlashPage::Sync() {
  const FlashPageView& view = model_.View();
  {
    const QSignalBlocker quiet(sRecordString_);
    QStringList shown;
    for (int i = 0; i < sRecordString_->count(); ++i) shown << sRecordString_->itemText(i);
    if (shown != view.files) {
      sRecordString_->clear();
      sRecordString_->addItems(view.files);
    }
    sRecordString_->setCurrentIndex(view.file);
  }
  {
    const QSignalBlocker quiet(targetProcString_);
    targetProcString_->setCurrentIndex(view.target);
  }
  sRecordPath_->setText(model_.SRecordPath());
  if (focusRequest_ != view.focusRequest) {
    focusRequest_ = view.focusRequest;
    btnProgram1_->setFocus();
  }
}

}  // namespace ventari
