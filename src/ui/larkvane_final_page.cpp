#include "ui/larkvane_final_page.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "service/larkvane_final_assembly.h"
#include "service/larkvane_report.h"
#include "ui/guarded_handler.h"
#include "ui/list_mirror.h"
#include "ui/view_refresh.h"

namespace ventari {

LarkvaneFinalPage::LarkvaneFinalPage(LarkvaneFinalAssembly& model, LarkvaneReport& report,
                                     QWidget* parent)
    : QWidget(parent), model_(model), report_(report) {
  auto* label = new QLabel(
      QStringLiteral("CLICK 'Start Test' - COMPLETE ALL TESTS AS PROMPTED.  CLICK 'Stop Test' TO "
                     "FINISH. FAILURE TO COMPLY WITH ALL TESTS WILL RESULT IN FAILURE OF THE UUT."),
      this);
  label->setWordWrap(true);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);

  auto* group = new QGroupBox(QStringLiteral("Final assembly checks"), this);
  group->setObjectName(QStringLiteral("FinalAssemblyChecks"));
  checks_ = new QButtonGroup(group);
  auto* items = new QVBoxLayout(group);
  for (std::size_t i = 0; i < model_.Items().size(); ++i) {
    auto* radio = new QRadioButton(model_.Items()[i], group);
    // Room for the " OK" the judged listing adds.
    radio->setMinimumWidth(radio->sizeHint().width() +
                           radio->fontMetrics().horizontalAdvance(QStringLiteral(" OK")));
    checks_->addButton(radio, static_cast<int>(i));
    items->addWidget(radio);
  }
  items->addStretch();
  OnSignal(checks_, &QButtonGroup::idClicked, this,
           [this](int index) { model_.SelectCheck(index); });

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("LVFinalAssyListBox"));
  list_->setFont(QFont(QStringLiteral("Courier New")));

  start_ = new QPushButton(model_.Caption(), this);
  start_->setObjectName(QStringLiteral("BtnStartLVFinalAssyTest"));
  OnSignal(start_, &QPushButton::clicked, this, [this] { model_.BtnStartLVFinalAssyTestClick(); });
  finish_ = new QPushButton(QStringLiteral("F&inish"), this);
  finish_->setObjectName(QStringLiteral("BtnFinish"));
  OnSignal(finish_, &QPushButton::clicked, this, [this] { model_.BtnFinishClick(); });

  auto* middle = new QHBoxLayout;
  middle->addWidget(group);
  middle->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(start_);
  buttons->addStretch();
  buttons->addWidget(finish_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);
  new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  new ViewRefresh(this, report_.Changed(), [this] { Sync(); });
  Sync();
}

void LarkvaneFinalPage::Sync() {
  for (std::size_t i = 0; i < model_.Items().size(); ++i) {
    checks_->button(static_cast<int>(i))->setText(model_.Items()[i]);
  }
  if (QAbstractButton* selected = checks_->button(model_.Selected())) selected->setChecked(true);
  MirrorList(*list_, model_.List());
  start_->setText(model_.Caption());
  start_->setEnabled(model_.ButtonEnabled());
  finish_->setEnabled(model_.FinishEnabled());
  busy_.Show(model_.Busy() || report_.Busy());
}

}  // namespace ventari
