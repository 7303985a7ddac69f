#include "ui/larkvane_select_page.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "service/larkvane_checks.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"

namespace ventari {

LarkvaneSelectPage::LarkvaneSelectPage(LarkvaneChecks& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("SelectTestPage"));
  auto* group = new QGroupBox(QStringLiteral("Tests"), this);
  group->setObjectName(QStringLiteral("Tests"));
  group->setMinimumWidth(360);
  tests_ = new QButtonGroup(group);
  auto* items = new QVBoxLayout(group);
  items->setSpacing(14);
  int id = 0;
  for (const QString& text : LarkvaneChecks::TestItems()) {
    auto* radio = new QRadioButton(text, group);
    tests_->addButton(radio, id++);
    items->addWidget(radio);
  }
  OnSignal(tests_, &QButtonGroup::idClicked, this, [this](int index) { model_.TestsClick(index); });

  auto* next = new QPushButton(TestWindowModel::NextButtonCaption(TestPage::kSelectTest), this);
  next->setObjectName(TestWindowModel::NextButtonName(TestPage::kSelectTest));
  OnSignal(next, &QPushButton::clicked, this, [this] { model_.BtnSkip8Click(); });

  auto* row = new QHBoxLayout;
  row->addWidget(group);
  row->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(next);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addStretch();
  layout->addLayout(buttons);
  new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  Sync();
}

void LarkvaneSelectPage::Sync() {
  if (QAbstractButton* selected = tests_->button(model_.SelectedTest())) {
    selected->setChecked(true);
  }
}

}  // namespace ventari
