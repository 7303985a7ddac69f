#include "ui/larkvane_software_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/guarded_handler.h"
#include "ui/list_mirror.h"
#include "ui/view_refresh.h"

namespace ventari {

LarkvaneSoftwarePage::LarkvaneSoftwarePage(LarkvaneSoftwareTest& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  auto* label = new QLabel(
      QStringLiteral("CLICK 'Start Test' - IF THE DATA DISPLAYED ON THE LEFT IS CORRECT PUT A "
                     "CHECKMARK IN EACH OF THE RELEVANT BOXES ON THE RIGHT -  COMPLETE ALL TESTS "
                     "AS PROMPTED.  CLICK 'Stop Test' TO FINISH. FAILURE TO COMPLY WITH ALL TESTS "
                     "WILL RESULT IN UUT FAILURE"),
      this);
  label->setWordWrap(true);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);

  auto* group = new QGroupBox(QStringLiteral("Software checks"), this);
  list_ = new QListWidget(group);
  list_->setObjectName(QStringLiteral("LVSwTestListBox"));
  list_->setFont(QFont(QStringLiteral("Courier New")));
  list_->setMinimumWidth(560);
  auto* checks = new QVBoxLayout;
  auto* pass = new QLabel(QStringLiteral("PASS"), group);
  pass->setFont(bold);
  checks->addWidget(pass);
  for (int i = 0; i < kLarkvaneSwCheckCount; ++i) {
    const auto check = static_cast<LarkvaneSwCheck>(i);
    const LarkvaneSwCheckBox& item = kLarkvaneSwCheckBoxes[static_cast<std::size_t>(i)];
    auto* box = new QCheckBox(QLatin1String(item.caption), group);
    box->setObjectName(QLatin1String(item.name));
    OnSignal(box, &QCheckBox::toggled, this,
             [this, check](bool checked) { model_.SetChecked(check, checked); });
    boxes_[static_cast<std::size_t>(i)] = box;
    checks->addWidget(box);
  }
  checks->addStretch();
  auto* inside = new QHBoxLayout(group);
  inside->addWidget(list_, 1);
  inside->addSpacing(12);
  inside->addLayout(checks);

  start_ = new QPushButton(model_.Caption(), this);
  start_->setObjectName(QStringLiteral("BtnStartLVSwTest"));
  OnSignal(start_, &QPushButton::clicked, this, [this] { model_.BtnStartLVSwTestClick(); });
  next_ = new QPushButton(TestWindowModel::NextButtonCaption(TestPage::kPartBSoftware), this);
  next_->setObjectName(TestWindowModel::NextButtonName(TestPage::kPartBSoftware));
  OnSignal(next_, &QPushButton::clicked, this, [this] { model_.BtnSkip12Click(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(start_);
  buttons->addStretch();
  buttons->addWidget(next_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(group, 1);
  layout->addLayout(buttons);
  new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  Sync();
}

void LarkvaneSoftwarePage::Sync() {
  MirrorList(*list_, model_.List());
  for (int i = 0; i < kLarkvaneSwCheckCount; ++i) {
    QCheckBox* box = boxes_[static_cast<std::size_t>(i)];
    const QSignalBlocker quiet(box);
    box->setChecked(model_.Checked(static_cast<LarkvaneSwCheck>(i)));
  }
  start_->setText(model_.Caption());
  start_->setEnabled(model_.ButtonEnabled());
  next_->setEnabled(model_.NextEnabled());
  busy_.Show(model_.Busy());
}

}  // namespace ventari
