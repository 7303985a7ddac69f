#include "ui/frm_3axis_config.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "triaxisconfig/tri_axis_setup.h"
#include "ui/arrow_spin_box.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"
#include "ui/window_placement.h"

namespace ventari {
namespace {

// The name and label of each list, in the order of kTriAxisChoices.
struct ListText {
  const char* name;
  const char* label;
};
constexpr std::array<ListText, kTriAxisChoices.size()> kLists = {{
    {"CbReportMode", "Report Mode"},
    {"CbSosMode", "Speed of Sound Mode"},
    {"CbAbsTempMode", "Absolute Temp Mode"},
    {"CbStrFormat", "String Format"},
    {"CbTerminator", "ASCII Terminator Type"},
    {"CbEcho", "Echo Mode"},
    {"CbMessageMode", "Message Mode"},
    {"CbBaud", "Baud Rate"},
    {"CbInstantaneous", "Instantaneous Mode"},
    {"CbFsDef", "Full Scale Deflect"},
    {"CbDirWrap", "Direction Wrap Mode"},
    {"CbCtone", "Confidence Tone"},
    {"CbAlign", "Alignment"},
}};
constexpr int kMessageMode = 6;
constexpr int kInstantaneous = 8;

bool DigitOrEnter(const QKeyEvent& key) {
  return (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9) || key.key() == Qt::Key_Return ||
         key.key() == Qt::Key_Enter;
}

}  // namespace

TFrm3AxisConfig::TFrm3AxisConfig(TriAxisSetup& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("TFrm3AxisConfig"));
  setWindowTitle(QStringLiteral("Setup"));
  setModal(true);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  Build();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  refresh_ = new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  Sync();
}

void TFrm3AxisConfig::Build() {
  for (std::size_t i = 0; i < kLists.size(); ++i) {
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(kLists.at(i).name));
    for (const std::string_view item : kTriAxisChoices.at(i).items) {
      list->addItem(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
    }
    list->setMinimumContentsLength(12);
    labels_.at(i) = new QLabel(QString::fromLatin1(kLists.at(i).label), this);
    lists_.at(i) = list;
    const int choice = static_cast<int>(i);
    OnSignal(list, &QComboBox::activated, this, [this, choice](int item) {
      Talk([this, choice, item] { model_.Choose(choice, item); });
    });
  }
  const auto group = [this](const char* caption, std::initializer_list<int> choices) {
    auto* box = new QGroupBox(QString::fromLatin1(caption), this);
    auto* form = new QFormLayout(box);
    for (const int choice : choices) {
      form->addRow(labels_.at(static_cast<std::size_t>(choice)),
                   lists_.at(static_cast<std::size_t>(choice)));
    }
    return std::pair{box, form};
  };

  auto [gbData, dataForm] = group("Data Reported", {0, 1, 2});
  auto [gbFormat, formatForm] = group("Meaurement Mode String Format", {3, 4, 5, 6});

  auto [gbSpeed, speedForm] = group("Reporting Speed", {});
  auto* averagingPanel = new QGroupBox(QStringLiteral("Averaging (1 to 250)"), gbSpeed);
  edAveraging_ = new QLineEdit(averagingPanel);
  edAveraging_->setObjectName(QStringLiteral("EdAveraging"));
  edAveraging_->setMaxLength(3);
  edAveraging_->setMaximumWidth(
      edAveraging_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) * 2);
  edAveraging_->installEventFilter(this);
  btnAvgSet_ = new QPushButton(QStringLiteral("Set"), averagingPanel);
  btnAvgSet_->setObjectName(QStringLiteral("BtnAvgSet"));
  auto* averagingRow = new QHBoxLayout(averagingPanel);
  averagingRow->addWidget(edAveraging_);
  averagingRow->addWidget(btnAvgSet_);
  averagingRow->addStretch(1);
  speedForm->addRow(averagingPanel);
  speedForm->addRow(labels_.at(7), lists_.at(7));
  speedForm->addRow(labels_.at(8), lists_.at(8));
  OnSignal(edAveraging_, &QLineEdit::textEdited, this,
           [this](const QString& text) { model_.SetAveragingText(text); });
  OnSignal(btnAvgSet_, &QPushButton::clicked, this,
           [this] { Talk([this] { model_.BtnAvgSetClick(); }); });

  auto [gbAnalogue, analogueForm] = group("Analogue Input", {});
  auto* gbChannels = new QGroupBox(QStringLiteral("Channel Control"), gbAnalogue);
  auto* channelGrid = new QGridLayout(gbChannels);
  channelGrid->addWidget(new QLabel(QStringLiteral("Enable"), gbChannels), 0, 0, 1, 3);
  for (int n = 1; n <= TriAxisSetup::kChannels; ++n) {
    auto* box = new QCheckBox(QStringLiteral("Channel %1").arg(n), gbChannels);
    box->setObjectName(QStringLiteral("Channel%1").arg(n));
    box->setLayoutDirection(Qt::RightToLeft);
    channelGrid->addWidget(box, 1 + (n - 1) / 3, (n - 1) % 3);
    channels_.at(static_cast<std::size_t>(n - 1)) = box;
    OnSignal(box, &QCheckBox::clicked, this, [this, n](bool checked) {
      Talk([this, n, checked] { model_.ChannelClick(n, checked); });
    });
  }
  analogueForm->addRow(gbChannels);
  analogueForm->addRow(labels_.at(9), lists_.at(9));
  analogueForm->addRow(labels_.at(10), lists_.at(10));

  auto [gbFeatures, featuresForm] = group("Additional Features", {11, 12});

  auto* gbPcAvg = new QGroupBox(QStringLiteral("PC Averaging"), this);
  udPcAvg_ = new ArrowSpinBox(gbPcAvg);
  udPcAvg_->setObjectName(QStringLiteral("UdPcAvg"));
  udPcAvg_->setRange(0, 60);
  auto* pcAvgLabel =
      new QLabel(QStringLiteral("Range 1 to 60 minutes. Set 0 for no averaging"), gbPcAvg);
  pcAvgLabel->setWordWrap(true);
  auto* pcAvgRow = new QHBoxLayout(gbPcAvg);
  pcAvgRow->addWidget(udPcAvg_);
  pcAvgRow->addWidget(pcAvgLabel, 1);
  OnSignal(udPcAvg_, &QSpinBox::valueChanged, this,
           [this](int minutes) { model_.SetPcAvgMinutes(minutes); });

  auto* btnClose = new QPushButton(QStringLiteral("&Close Window"), this);
  btnClose->setObjectName(QStringLiteral("BtnClose"));
  OnSignal(btnClose, &QPushButton::clicked, this, [this] { close(); });

  auto* grid = new QGridLayout(this);
  grid->addWidget(gbData, 0, 0);
  grid->addWidget(gbFormat, 0, 1);
  grid->addWidget(gbSpeed, 1, 0);
  grid->addWidget(gbAnalogue, 1, 1);
  grid->addWidget(gbFeatures, 2, 0);
  grid->addWidget(gbPcAvg, 2, 1);
  grid->addWidget(btnClose, 3, 1, Qt::AlignRight);
}

void TFrm3AxisConfig::Execute() {
  Talk([this] { model_.Open(); });
  if (!model_.Shown()) return;
  CentreOnScreen(*this);
  exec();
}

void TFrm3AxisConfig::Talk(const std::function<void()>& change) {
  setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  RunGuarded(this, change);
  QApplication::restoreOverrideCursor();
  setEnabled(true);
  refresh_->SyncNow();
}

void TFrm3AxisConfig::Sync() {
  const TriAxisConfig& config = model_.Config();
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const QSignalBlocker block(lists_.at(i));
    lists_.at(i)->setCurrentIndex(config.*kTriAxisChoices.at(i).field);
  }
  lists_.at(kMessageMode)->hide();
  labels_.at(kMessageMode)->hide();
  lists_.at(kInstantaneous)->setEnabled(config.InstantaneousAvailable);
  for (std::size_t i = 0; i < channels_.size(); ++i) {
    const QSignalBlocker block(channels_.at(i));
    channels_.at(i)->setChecked(config.Aip.at(i));
    channels_.at(i)->setEnabled(model_.ChannelsEnabled());
  }
  if (edAveraging_->text() != config.Averaging) edAveraging_->setText(config.Averaging);
  const QSignalBlocker block(udPcAvg_);
  udPcAvg_->setValue(config.PcAvgMinutes);
}

void TFrm3AxisConfig::done(int result) {
  RunGuarded(this, [this, result] {
    if (model_.Busy()) return;
    Talk([this] { model_.Close(); });
    QDialog::done(result);
  });
}

bool TFrm3AxisConfig::eventFilter(QObject* watched, QEvent* event) {
  RunGuarded(this, [this, watched, event] {
    if (watched != edAveraging_) return;
    if (event->type() == QEvent::FocusIn) model_.AveragingFocused();
    if (event->type() == QEvent::KeyRelease) {
      model_.AveragingKeyReleased(DigitOrEnter(static_cast<const QKeyEvent&>(*event)));
    }
  });
  return QDialog::eventFilter(watched, event);
}

}  // namespace ventari
