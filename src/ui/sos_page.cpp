#include "ui/sos_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "service/sos_calibration_model.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"

namespace ventari {
namespace {

constexpr int kEditWidth = 150;
constexpr int kOffsetWidth = 50;
constexpr int kLowerCell = 75;
constexpr int kUpperCell = 76;

QLineEdit* Edit(const QString& name, int width, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setFixedWidth(width);
  return edit;
}

QLineEdit* Readout(const QString& name, int width, QWidget* parent) {
  QLineEdit* edit = Edit(name, width, parent);
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::NoFocus);
  return edit;
}

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

// The framing bytes of a data string have no glyph.
QString Shown(const QString& line) {
  QString text;
  for (const QChar c : line) {
    if (c.isPrint()) text += c;
  }
  return text;
}

}  // namespace

SosPage::SosPage(SosCalibrationModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("CalibrateSosPage"));
  auto* group = new QGroupBox(QStringLiteral("Speed Of Sound calibration"), this);

  temperature_ = Edit(QStringLiteral("TempEdit"), kEditWidth, group);
  OnSignal(temperature_, &QLineEdit::textEdited, this,
           [this](const QString& text) { model_.SetTemperature(text); });
  reading_ = Readout(QStringLiteral("SOSEdit"), kEditWidth, group);
  theoretical_ = Readout(QStringLiteral("TheoSOSEdit"), kEditWidth, group);
  theoretical_->setEnabled(false);

  auto* values = new QGridLayout;
  const auto row = [&](int r, const char* label, QLineEdit* edit, const char* unit) {
    values->addWidget(new QLabel(QLatin1String(label), group), r, 0, Qt::AlignRight);
    values->addWidget(edit, r, 1);
    values->addWidget(new QLabel(QLatin1String(unit), group), r, 2);
  };
  row(0, "Temperature : ", temperature_, "deg C");
  row(1, "Speed Of Sound reading : ", reading_, "m/s");
  row(2, "Theoretical Speed Of Sound : ", theoretical_, "m/s");
  values->setColumnStretch(3, 1);

  upper_ = Readout(QStringLiteral("SOSOffsetUpper"), kOffsetWidth, group);
  lower_ = Readout(QStringLiteral("SOSOffsetLower"), kOffsetWidth, group);
  auto* offsets = new QHBoxLayout;
  offsets->addWidget(new QLabel(QStringLiteral("SOS Offset corrections: "), group));
  offsets->addWidget(new QLabel(QStringLiteral("Upper"), group));
  offsets->addWidget(upper_);
  offsets->addSpacing(12);
  offsets->addWidget(new QLabel(QStringLiteral("Lower"), group));
  offsets->addWidget(lower_);
  offsets->addStretch();

  list_ = new QListWidget(group);
  list_->setObjectName(QStringLiteral("SosCalListBox"));
  list_->setFont(QFont(QStringLiteral("Courier New")));
  list_->setFocusPolicy(Qt::NoFocus);
  list_->setMinimumWidth(list_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40);
  list_->setFixedHeight(list_->fontMetrics().lineSpacing() * SosCalibrationModel::kListLines +
                        2 * list_->frameWidth() + 4);
  auto* output = new QVBoxLayout;
  output->addWidget(new QLabel(QStringLiteral("Anemometer Output "), group));
  output->addWidget(list_);

  auto* left = new QVBoxLayout;
  left->addLayout(values);
  left->addSpacing(12);
  left->addLayout(offsets);
  left->addStretch();
  auto* inner = new QHBoxLayout(group);
  inner->addLayout(left, 1);
  inner->addSpacing(16);
  inner->addLayout(output);

  calibrate_ = Button(QStringLiteral("Cal&ibrate"), QStringLiteral("BtnCalSOS"), this);
  recalibrate_ = Button(QStringLiteral("&Re-calibrate"), QStringLiteral("BtnReCalSOS"), this);
  next_ = Button(QStringLiteral("Ne&xt"), QStringLiteral("BtnSkip7"), this);
  OnSignal(calibrate_, &QPushButton::clicked, this, [this] { model_.BtnCalSOSClick(); });
  OnSignal(recalibrate_, &QPushButton::clicked, this, [this] { model_.BtnReCalSOSClick(); });
  OnSignal(next_, &QPushButton::clicked, this, [this] { model_.Next(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(calibrate_);
  buttons->addWidget(recalibrate_);
  buttons->addStretch();
  buttons->addWidget(next_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addStretch();
  layout->addLayout(buttons);

  new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  Sync();
}

void SosPage::Sync() {
  const auto mirror = [](QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
  };
  mirror(temperature_, model_.TempEdit());
  mirror(reading_, model_.SOSEdit());
  mirror(theoretical_, model_.TheoSOSEdit());
  mirror(upper_, model_.Readout(kUpperCell).trimmed());
  mirror(lower_, model_.Readout(kLowerCell).trimmed());

  const QStringList& lines = model_.SosCalListBox();
  bool same = list_->count() == lines.size();
  for (int i = 0; same && i < lines.size(); ++i) same = list_->item(i)->text() == Shown(lines[i]);
  if (!same) {
    list_->clear();
    for (const QString& line : lines) list_->addItem(Shown(line));
    list_->scrollToBottom();
  }

  const bool idle = !model_.Busy();
  calibrate_->setEnabled(idle && model_.CalEnabled());
  recalibrate_->setEnabled(idle && model_.ReCalEnabled());
  next_->setEnabled(idle);
  if (model_.FocusRequest() != focusShown_) {
    focusShown_ = model_.FocusRequest();
    if (auto* control = findChild<QWidget*>(model_.Focus())) control->setFocus();
  }
}

}  // namespace ventari
