#include "ui/nvm_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/guarded_handler.h"

namespace ventari {
namespace {

struct KindControls {
  EepromKind kind;
  const char* checkName;
  const char* checkText;
  const char* comboName;
  const char* buttonName;
};
constexpr KindControls kControls[] = {
    {EepromKind::kUser, "UserCheckBox", "User configuration parameters", "UserParams", "Button1"},
    {EepromKind::kEng, "EngCheckBox", "Engineering parameters", "EngParams", "Button3"},
    {EepromKind::kCal, "CalCheckBox", "Calibration table", "CalParams", "Button2"},
    {EepromKind::kOpt, "OptCheckBox", "Option parameters", "OptParams", "Button4"},
};

}  // namespace

NvmPage::NvmPage(NvmPageModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("NonVolatileMemory"));
  auto* grid = new QGridLayout;
  int row = 0;
  for (const KindControls& c : kControls) {
    auto* check = new QCheckBox(QLatin1String(c.checkText), this);
    check->setObjectName(QLatin1String(c.checkName));
    auto* combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(c.comboName));
    combo->setMinimumContentsLength(30);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QLatin1String(c.buttonName));
    browse->setFixedWidth(32);
    const EepromKind kind = c.kind;
    OnSignal(check, &QCheckBox::toggled, this, [this, kind](bool on) {
      if (!refreshing_) model_.SetChecked(kind, on);
    });
    OnSignal(combo, &QComboBox::currentIndexChanged, this, [this, kind](int index) {
      if (!refreshing_) model_.Select(kind, index);
    });
    OnSignal(browse, &QPushButton::clicked, this, [this, kind] { model_.Browse(kind); });
    grid->addWidget(check, row, 0);
    grid->addWidget(combo, row, 1);
    grid->addWidget(browse, row, 2);
    checks_[Index(kind)] = check;
    combos_[Index(kind)] = combo;
    browse_[Index(kind)] = browse;
    ++row;
  }
  program_ = new QPushButton(QStringLiteral("&Program"), this);
  program_->setObjectName(QStringLiteral("BtnProgram2"));
  skip_ = new QPushButton(QStringLiteral("Ne&xt"), this);
  skip_->setObjectName(QStringLiteral("BtnSkip3"));
  label35_ = new QLabel(QStringLiteral("Programming - Please wait..."), this);
  label35_->setObjectName(QStringLiteral("Label35"));
  OnSignal(program_, &QPushButton::clicked, this, [this] { model_.Program(); });
  OnSignal(skip_, &QPushButton::clicked, this, [this] { model_.Next(); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(label35_);
  buttons->addStretch();
  buttons->addWidget(program_);
  buttons->addWidget(skip_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch();
  layout->addLayout(buttons);

  model_.changed = [this] { Refresh(); };
  Refresh();
}

void NvmPage::Refresh() {
  refreshing_ = true;
  for (const KindControls& c : kControls) {
    const NvmPageModel::Source& source = model_.Kind(c.kind);
    QCheckBox* check = checks_[Index(c.kind)];
    QComboBox* combo = combos_[Index(c.kind)];
    check->setChecked(source.checked);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
    if (shown != source.items) {
      combo->clear();
      combo->addItems(source.items);
    }
    combo->setCurrentIndex(source.selected);
    for (QWidget* w : {static_cast<QWidget*>(check), static_cast<QWidget*>(combo),
                       static_cast<QWidget*>(browse_[Index(c.kind)])}) {
      w->setEnabled(source.enabled);
    }
  }
  program_->setEnabled(model_.ProgramEnabled());
  label35_->setVisible(model_.BusyLabelVisible());
  if (model_.Busy() != cursorBusy_) {
    cursorBusy_ = model_.Busy();
    if (cursorBusy_) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  }
  refreshing_ = false;
}

void NvmPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Restoring the minimised window is no entering: a file chosen through "..." stays chosen.
  if (event->spontaneous()) return;
  RunGuarded(this, [this] {
    model_.Enter();
    program_->setFocus();
  });
}

}  // namespace ventari
