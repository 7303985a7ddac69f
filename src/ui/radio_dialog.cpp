#include "ui/radio_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "twoaxisconfig/radio_dialog_model.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"

namespace ventari {

RadioDialog::RadioDialog(RadioDialogModel& model, const QString& objectName, int columns,
                         QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName(objectName);
  setWindowTitle(model_.Caption());
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  const auto groups = model_.Groups();
  auto* grid = new QGridLayout;
  grid->setSpacing(10);
  // A group never shown takes no place in the grid.
  const int shown = static_cast<int>(
      std::count_if(groups.begin(), groups.end(), [](const RadioGroup& g) { return g.visible; }));
  const int rows = std::max(1, (shown + columns - 1) / columns);
  int place = 0;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    auto* box = new QGroupBox(this);
    auto* buttons = new QButtonGroup(box);
    const int index = static_cast<int>(g);
    OnSignal(buttons, &QButtonGroup::idClicked, this,
             [this, index](int item) { model_.Select(index, item); });
    if (groups[g].visible) {
      grid->addWidget(box, place % rows, place / rows);
      ++place;
    } else {
      box->hide();
    }
    boxes_.push_back(box);
    buttons_.push_back(buttons);
    Fill(g, groups[g]);
  }

  auto* buttonBox = new QDialogButtonBox(this);
  ok_ = buttonBox->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
  ok_->setObjectName(QStringLiteral("BitBtn1"));
  ok_->setDefault(true);
  cancel_ = buttonBox->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
  cancel_->setObjectName(QStringLiteral("BitBtn2"));
  OnSignal(ok_, &QPushButton::clicked, this, [this] { OkClick(); });
  OnSignal(cancel_, &QPushButton::clicked, this, [this] { reject(); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttonBox);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  refresh_ = new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
}

void RadioDialog::Fill(std::size_t g, const RadioGroup& group) {
  QGroupBox& box = *boxes_[g];
  QButtonGroup& buttons = *buttons_[g];
  for (QAbstractButton* button : buttons.buttons()) {
    buttons.removeButton(button);
    delete button;
  }
  delete box.layout();
  box.setObjectName(group.field);
  box.setTitle(group.caption);
  auto* items = new QGridLayout(&box);
  const int perColumn = (static_cast<int>(group.items.size()) + group.columns - 1) / group.columns;
  for (int i = 0; i < group.items.size(); ++i) {
    auto* radio = new QRadioButton(group.items[i], &box);
    buttons.addButton(radio, i);
    items->addWidget(radio, i % perColumn, i / perColumn);
  }
  // The items keep together at the top of a box its row makes taller.
  items->setRowStretch(perColumn, 1);
}

void RadioDialog::Sync() {
  const auto groups = model_.Groups();
  for (std::size_t g = 0; g < groups.size() && g < boxes_.size(); ++g) {
    QStringList shown;
    for (QAbstractButton* button : buttons_[g]->buttons()) shown << button->text();
    // The Larkvane's lists take the place of the Kestrix II's once it has been identified.
    if (shown != groups[g].items || boxes_[g]->title() != groups[g].caption) Fill(g, groups[g]);
    boxes_[g]->setVisible(groups[g].visible);
    boxes_[g]->setEnabled(groups[g].enabled);
    QButtonGroup& buttons = *buttons_[g];
    const int selected = groups[g].selected();
    if (selected < 0) {
      // No item selected: an exclusive group has to let go of its check first.
      buttons.setExclusive(false);
      for (QAbstractButton* button : buttons.buttons()) button->setChecked(false);
      buttons.setExclusive(true);
    } else if (QAbstractButton* button = buttons.button(selected)) {
      button->setChecked(true);
    }
  }
  ok_->setEnabled(model_.OkOffered() && !model_.Busy());
  cancel_->setEnabled(!model_.Busy());
}

void RadioDialog::Execute() {
  model_.Activate();
  refresh_->SyncNow();
  exec();
}

void RadioDialog::OkClick() {
  ok_->setEnabled(false);
  SettingOutcome outcome;
  outcome.result = SettingOutcome::Result::kNotConfirmed;
  RunGuarded(this, [this, &outcome] { outcome = model_.Ok(); });
  refresh_->SyncNow();
  // A change the anemometer did not confirm leaves the dialog open on the settings it was found
  // at; the user has been told.
  if (outcome.result != SettingOutcome::Result::kNotConfirmed) accept();
}

void RadioDialog::reject() {
  RunGuarded(this, [this] {
    if (model_.Busy()) return;
    model_.Cancel();
    QDialog::reject();
  });
}

}  // namespace ventari
