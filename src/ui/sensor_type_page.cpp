#include "ui/sensor_type_page.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "service/test_window_model.h"
#include "ui/guarded_handler.h"

namespace ventari {

SensorTypePage::SensorTypePage(TestWindowModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  anemometerType_ = new QGroupBox(QStringLiteral("Select anemometer type"), this);
  anemometerType_->setObjectName(QStringLiteral("AnemometerType"));
  items_ = new QButtonGroup(this);
  auto* column = new QVBoxLayout(anemometerType_);
  column->setSpacing(10);
  column->setContentsMargins(16, 12, 32, 12);
  int index = 0;
  for (const SensorTypeItem& item : TestWindowModel::SensorTypes()) {
    auto* radio = new QRadioButton(item.text, anemometerType_);
    items_->addButton(radio, index++);
    column->addWidget(radio);
  }
  OnSignal(items_, &QButtonGroup::idClicked, this,
           [this](int id) { model_.AnemometerTypeClick(id); });

  auto* set = new QPushButton(QStringLiteral("S&et sensor type"), this);
  set->setObjectName(QStringLiteral("BtnSetSensorType"));
  OnSignal(set, &QPushButton::clicked, this, [this] { model_.BtnSetSensorTypeClick(); });
  auto* next = new QPushButton(TestWindowModel::NextButtonCaption(TestPage::kSensorType), this);
  next->setObjectName(TestWindowModel::NextButtonName(TestPage::kSensorType));
  OnSignal(next, &QPushButton::clicked, this, [this] { model_.BtnSkip1Click(); });

  auto* buttons = new QVBoxLayout;
  buttons->addStretch();
  buttons->addWidget(set);
  buttons->addWidget(next);
  auto* row = new QHBoxLayout;
  row->addWidget(anemometerType_);
  row->addSpacing(12);
  row->addLayout(buttons);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 18);
  layout->addLayout(row);
  layout->addStretch(1);
}

void SensorTypePage::Sync() {
  const int selected = model_.View().anemometerType;
  if (QAbstractButton* button = items_->button(selected)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = items_->checkedButton()) {
    // An exclusive group keeps one item checked: let go of it to clear the selection.
    items_->setExclusive(false);
    checked->setChecked(false);
    items_->setExclusive(true);
  }
}

}  // namespace ventari
