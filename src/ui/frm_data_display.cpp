#include "ui/frm_data_display.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>

#include "displays/data_display.h"
#include "ui/fixed_pitch_lines.h"
#include "ui/guarded_handler.h"
#include "ui/live_window.h"
#include "ui/view_refresh.h"

namespace ventari {

TFrmDataDisplay::TFrmDataDisplay(DataDisplay& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("TFrmDataDisplay"));
  setFixedSize(546, 378);

  reTerminal_ = new FixedPitchLines(this);
  reTerminal_->setObjectName(QStringLiteral("ReTerminal"));
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(19);
  font.setBold(true);
  reTerminal_->setFont(font);
  reTerminal_->setFixedHeight(297);

  btnLog_ = new QPushButton(this);
  btnLog_->setObjectName(QStringLiteral("BtnLog"));
  cbSeg_ = new QCheckBox(QStringLiteral("Segmented logging"), this);
  cbSeg_->setObjectName(QStringLiteral("CbSeg"));
  cbTsd_ = new QCheckBox(QStringLiteral("Timestamp data"), this);
  cbTsd_->setObjectName(QStringLiteral("CbTsd"));
  segment_ = new QWidget(this);
  segment_->setObjectName(QStringLiteral("Segment"));
  udSegInterval_ = new QSpinBox(segment_);
  udSegInterval_->setObjectName(QStringLiteral("UdSegInterval"));
  udSegInterval_->setRange(1, 360);
  udSegInterval_->setWrapping(false);
  auto* segmentLayout = new QHBoxLayout(segment_);
  segmentLayout->setContentsMargins(0, 0, 0, 0);
  segmentLayout->addWidget(new QLabel(QStringLiteral("Segment every:"), segment_));
  segmentLayout->addWidget(udSegInterval_);
  segmentLayout->addWidget(new QLabel(QStringLiteral("minutes"), segment_));
  auto* btnClose = new QPushButton(QStringLiteral("&Close"), this);
  btnClose->setObjectName(QStringLiteral("BtnClose"));

  auto* checks = new QVBoxLayout;
  checks->addWidget(cbSeg_);
  checks->addWidget(cbTsd_);
  auto* controls = new QHBoxLayout;
  controls->addWidget(btnLog_);
  controls->addLayout(checks);
  controls->addWidget(segment_);
  controls->addStretch();
  controls->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(reTerminal_);
  layout->addLayout(controls);

  OnSignal(btnLog_, &QPushButton::clicked, this, [this] {
    model_.BtnLogClick();
    refresh_->SyncNow();
  });
  OnSignal(cbSeg_, &QCheckBox::clicked, this, [this](bool on) {
    model_.CbSegClick(on);
    refresh_->SyncNow();
  });
  OnSignal(cbTsd_, &QCheckBox::clicked, this, [this](bool on) { model_.SetTimestamped(on); });
  OnSignal(udSegInterval_, &QSpinBox::valueChanged, this,
           [this](int minutes) { model_.SetSegInterval(minutes); });
  OnSignal(btnClose, &QPushButton::clicked, this, [this] { close(); });

  refresh_ = new ViewRefresh(
      this, model_.Changed(), [this] { Sync(); }, ViewRefresh::kScrollIntervalMs);
  refresh_->HoldWhileHidden(*this);
  Sync();
}

void TFrmDataDisplay::Sync() {
  ShowTitle(*this, QStringLiteral("Data Display"), model_.NoData().Text());
  reTerminal_->Show(model_.ScreenLines(), model_.LinesShown());
  btnLog_->setText(model_.BtnLogCaption());
  cbSeg_->setChecked(model_.Segmented());
  cbTsd_->setChecked(model_.Timestamped());
  for (QWidget* w : {static_cast<QWidget*>(cbSeg_), static_cast<QWidget*>(cbTsd_),
                     static_cast<QWidget*>(udSegInterval_)}) {
    w->setEnabled(model_.SettingsEnabled());
  }
  segment_->setVisible(model_.Segmented());
  if (udSegInterval_->value() != model_.SegInterval()) {
    udSegInterval_->setValue(model_.SegInterval());
  }
}

void TFrmDataDisplay::closeEvent(QCloseEvent* event) {
  bool allowed = false;
  RunGuarded(this, [this, &allowed] { allowed = model_.FormCloseQuery(); });
  event->setAccepted(allowed);
}

void TFrmDataDisplay::reject() {
  RunGuarded(this, [this] {
    if (model_.FormCloseQuery()) QDialog::reject();
  });
}

void TFrmDataDisplay::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  RunGuarded(this, [this] { model_.SetShown(true); });
}

void TFrmDataDisplay::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  RunGuarded(this, [this] { model_.SetShown(false); });
}

}  // namespace ventari
