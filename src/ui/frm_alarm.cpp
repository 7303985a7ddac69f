#include "ui/frm_alarm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSoundEffect>
#include <QUrl>
#include <QVBoxLayout>

#include "displays/alarm_window_model.h"
#include "ui/guarded_handler.h"
#include "ui/live_window.h"
#include "ui/view_refresh.h"

namespace ventari {
namespace {

constexpr QSize kClientSize(297, 369);
constexpr int kThresholdEditWidth = 40;
constexpr int kFontPointSize = 8;

QLineEdit* ThresholdEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setFixedWidth(kThresholdEditWidth);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

QCheckBox* CheckBox(const char* name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

void SetTextIfChanged(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);
}

// The alarm window first appears in the top left corner of its screen.
void TopLeftOfScreen(QWidget& window) {
  if (const QScreen* where = window.screen()) window.move(where->availableGeometry().topLeft());
}

}  // namespace

TFrmAlarm::TFrmAlarm(AlarmWindowModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      model_(model) {
  setObjectName(QStringLiteral("TFrmAlarm"));
  setFixedSize(kClientSize);
  // The fixed layout is measured for a compact, slightly narrow dialog font.
  QFont compact = font();
  compact.setPointSize(kFontPointSize);
  compact.setStretch(QFont::SemiCondensed);
  setFont(compact);

  // The controls above, the alert strip across the whole bottom edge.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  auto* layout = new QVBoxLayout;
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(4);
  outer->addLayout(layout);

  auto* thresholds = new QGroupBox(QStringLiteral("Threshold settings"), this);
  thresholds->setObjectName(QStringLiteral("GroupBox1"));
  BuildThresholds(thresholds);
  layout->addWidget(thresholds);

  auto* trigger = new QGroupBox(QStringLiteral("WindSpeed alarm trigger condition"), this);
  trigger->setObjectName(QStringLiteral("RgAboveBelow"));
  above_ = new QRadioButton(QStringLiteral("Trigger above threshold"), trigger);
  below_ = new QRadioButton(QStringLiteral("Trigger below threshold"), trigger);
  auto* triggerLayout = new QVBoxLayout(trigger);
  triggerLayout->setSpacing(2);
  triggerLayout->addWidget(above_);
  triggerLayout->addWidget(below_);
  layout->addWidget(trigger);

  cbAudio_ = CheckBox("CbAudio", QStringLiteral("Audible alert enable (speakers required)"), this);
  cbVisual_ = CheckBox("CbVisual", QStringLiteral("Visual alert enable"), this);
  cbWindspeed_ = CheckBox("CbWindspeed", QStringLiteral("Allow Windspeed alarm"), this);
  cbDirection_ = CheckBox("CbDirection", QStringLiteral("Allow Direction alarm"), this);
  cbExternal_ =
      CheckBox("CbExternal", QStringLiteral("External mode enable (DTR toggle, 5V = Alarm)"), this);
  auto* options = new QVBoxLayout;
  options->setContentsMargins(4, 2, 0, 0);
  options->setSpacing(3);
  for (QCheckBox* box : {cbAudio_, cbVisual_, cbWindspeed_, cbDirection_, cbExternal_}) {
    options->addWidget(box);
  }
  lbComAvail_ = new QComboBox(this);
  lbComAvail_->setObjectName(QStringLiteral("LbComAvail"));
  lbComAvail_->setPlaceholderText(QStringLiteral("Select Port"));
  lbComAvail_->setMinimumWidth(160);
  options->addWidget(lbComAvail_, 0, Qt::AlignLeft);
  layout->addLayout(options);
  layout->addStretch();

  visualAlert_ = new QFrame(this);
  visualAlert_->setObjectName(QStringLiteral("VisualAlert"));
  visualAlert_->setAutoFillBackground(true);
  visualAlert_->setFixedHeight(48);
  warn_ = new QLabel(QStringLiteral("Threshold violation"), visualAlert_);
  warn_->setObjectName(QStringLiteral("Warn"));
  QFont warnFont(QStringLiteral("Courier New"));
  warnFont.setStyleHint(QFont::TypeWriter);
  warnFont.setPixelSize(19);
  warnFont.setBold(true);
  warn_->setFont(warnFont);
  warn_->setWordWrap(true);
  warn_->setAlignment(Qt::AlignCenter);
  warn_->setStyleSheet(QStringLiteral("color: #0000ff; background: #ff0000;"));
  auto* alertLayout = new QVBoxLayout(visualAlert_);
  alertLayout->addWidget(warn_);
  outer->addWidget(visualAlert_);

  OnSignal(above_, &QRadioButton::clicked, this, [this] {
    model_.SelectAboveBelow(0);
    live_->SyncNow();
  });
  OnSignal(below_, &QRadioButton::clicked, this, [this] {
    model_.SelectAboveBelow(1);
    live_->SyncNow();
  });
  OnSignal(cbAudio_, &QCheckBox::clicked, this, [this](bool on) {
    model_.CbAudioClick(on);
    live_->SyncNow();
  });
  OnSignal(cbVisual_, &QCheckBox::clicked, this, [this](bool on) {
    model_.CbVisualClick(on);
    live_->SyncNow();
  });
  OnSignal(cbWindspeed_, &QCheckBox::clicked, this, [this](bool on) {
    model_.CbWindspeedClick(on);
    live_->SyncNow();
  });
  OnSignal(cbDirection_, &QCheckBox::clicked, this, [this](bool on) {
    model_.CbDirectionClick(on);
    live_->SyncNow();
  });
  OnSignal(cbExternal_, &QCheckBox::clicked, this, [this](bool on) {
    model_.CbExternalClick(on);
    live_->SyncNow();
  });
  OnSignal(lbComAvail_, &QComboBox::activated, this, [this](int index) {
    model_.LbComAvailChange(index);
    live_->SyncNow();
  });

  audio_ = new QSoundEffect(this);
  audio_->setObjectName(QStringLiteral("Audio"));
  const QString soundFile = AlarmSoundFile(QCoreApplication::applicationDirPath());
  if (!soundFile.isEmpty()) audio_->setSource(QUrl::fromLocalFile(soundFile));
  model_.AttachSound(this);
  live_ = new LiveWindow(
      *this, model_.Changed(), [this] { Sync(); }, TopLeftOfScreen, ViewRefresh::kMinIntervalMs);
  Sync();
}

TFrmAlarm::~TFrmAlarm() { model_.AttachSound(nullptr); }

void TFrmAlarm::BuildThresholds(QWidget* group) {
  edMagThresh_ = ThresholdEdit("EdMagThresh", group);
  edDirThresh1_ = ThresholdEdit("EdDirThresh1", group);
  edDirThresh2_ = ThresholdEdit("EdDirThresh2", group);
  laSpeedType_ = new QLabel(group);
  laSpeedType_->setObjectName(QStringLiteral("LaSpeedType"));
  laSpeedType_->setMinimumWidth(28);
  auto* btnSet = new QPushButton(QStringLiteral("Set"), group);
  btnSet->setObjectName(QStringLiteral("BtnSet"));
  btnSet->setFixedWidth(52);

  auto* speedRow = new QHBoxLayout;
  speedRow->addWidget(new QLabel(QStringLiteral("Windspeed threshold"), group));
  speedRow->addWidget(edMagThresh_);
  speedRow->addWidget(laSpeedType_);
  speedRow->addStretch();
  speedRow->addWidget(btnSet);
  auto* directionRow = new QHBoxLayout;
  directionRow->addWidget(new QLabel(QStringLiteral("Direction between"), group));
  directionRow->addWidget(edDirThresh1_);
  directionRow->addWidget(new QLabel(QStringLiteral("and"), group));
  directionRow->addWidget(edDirThresh2_);
  directionRow->addWidget(new QLabel(QStringLiteral("degrees"), group));
  directionRow->addStretch();
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->setSpacing(6);
  groupLayout->addLayout(speedRow);
  groupLayout->addLayout(directionRow);

  OnSignal(edMagThresh_, &QLineEdit::textEdited, this,
           [this](const QString& text) { model_.EdMagThreshChange(text); });
  OnSignal(edDirThresh1_, &QLineEdit::textEdited, this,
           [this](const QString& text) { model_.EdDirThresh1Change(text); });
  OnSignal(edDirThresh2_, &QLineEdit::textEdited, this,
           [this](const QString& text) { model_.EdDirThresh2Change(text); });
  OnSignal(btnSet, &QPushButton::clicked, this, [this] {
    model_.BtnSetClick();
    live_->SyncNow();
  });
}

void TFrmAlarm::Sync() {
  ShowTitle(*this, QStringLiteral("Alarm configuration"), model_.NoData().Text());
  const AlarmWindowView& view = model_.View();
  SetTextIfChanged(edMagThresh_, view.thresholdTexts.speed);
  SetTextIfChanged(edDirThresh1_, view.thresholdTexts.direction1);
  SetTextIfChanged(edDirThresh2_, view.thresholdTexts.direction2);
  laSpeedType_->setText(view.speedUnit);
  (view.conditions.triggerBelow ? below_ : above_)->setChecked(true);
  cbAudio_->setChecked(view.audio);
  cbVisual_->setChecked(view.visual);
  cbWindspeed_->setChecked(view.conditions.windspeed);
  cbDirection_->setChecked(view.conditions.direction);
  cbExternal_->setChecked(view.external);

  QStringList shown;
  for (int i = 0; i < lbComAvail_->count(); ++i) shown << lbComAvail_->itemText(i);
  if (shown != view.ports) {
    const QSignalBlocker blocker(lbComAvail_);
    lbComAvail_->clear();
    lbComAvail_->addItems(view.ports);
  }
  lbComAvail_->setCurrentIndex(view.selectedPort);
  lbComAvail_->setEnabled(view.portListEnabled);

  QPalette palette = visualAlert_->palette();
  palette.setColor(QPalette::Window,
                   view.alertRaised ? QColor(Qt::red) : palette.color(QPalette::Button));
  visualAlert_->setPalette(palette);
  warn_->setVisible(view.alertRaised);

  if (view.visible && isHidden()) show();
  if (!view.visible && !isHidden()) hide();
  if (view.visible && !view.minimised && isMinimized()) showNormal();
}

void TFrmAlarm::closeEvent(QCloseEvent* event) {
  RunGuarded(this, [this, event] {
    if (!model_.View().visible) return;  // closed by the application
    if (!model_.FormCloseQuery()) {
      event->ignore();
      return;
    }
    model_.FormClose();
  });
}

void TFrmAlarm::changeEvent(QEvent* event) {
  RunGuarded(this, [this, event] {
    if (event->type() == QEvent::WindowStateChange) model_.SetMinimised(isMinimized());
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) model_.FormActivate();
  });
  QWidget::changeEvent(event);
}

bool TFrmAlarm::PlayFromStart() {
  if (audio_->source().isEmpty() || audio_->status() == QSoundEffect::Error) return false;
  audio_->stop();
  audio_->play();
  return true;
}

void TFrmAlarm::Beep() { QApplication::beep(); }

}  // namespace ventari
