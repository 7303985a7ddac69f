#include "ui/hardware_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "service/hardware_checks.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"

namespace ventari {

HardwarePage::HardwarePage(HardwareChecks& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(HardwareChecks::Heading().join(QLatin1Char('\n')), this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);
  layout->addSpacing(8);
  int index = 0;
  for (const HardwareCheck& check : HardwareChecks::Checks()) {
    auto* box = new QCheckBox(check.caption, this);
    box->setObjectName(check.name);
    box->installEventFilter(this);
    OnSignal(box, &QCheckBox::toggled, this,
             [this, index](bool checked) { model_.SetChecked(index, checked); });
    checks_.push_back(box);
    layout->addWidget(box);
    ++index;
  }
  memo2_ = new QPlainTextEdit(this);
  memo2_->setObjectName(QStringLiteral("Memo2"));
  memo2_->setReadOnly(true);
  memo2_->setFrameShape(QFrame::NoFrame);
  memo2_->setFocusPolicy(Qt::NoFocus);
  memo2_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo2_->setBackgroundRole(QPalette::Window);
  memo2_->viewport()->setAutoFillBackground(false);
  layout->addWidget(memo2_, 1);
  auto* next =
      new QPushButton(TestWindowModel::NextButtonCaption(TestPage::kHardwareDiagnostics), this);
  next->setObjectName(TestWindowModel::NextButtonName(TestPage::kHardwareDiagnostics));
  OnSignal(next, &QPushButton::clicked, this, [this] { model_.BtnSkip4Click(); });
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(next);
  layout->addLayout(row);
  new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  Sync();
}

bool HardwarePage::eventFilter(QObject* watched, QEvent* event) {
  RunGuarded(this, [this, watched, event] {
    if (event->type() != QEvent::Enter) return;
    for (std::size_t i = 0; i < checks_.size(); ++i) {
      if (checks_[i] == watched) model_.Hover(static_cast<int>(i));
    }
  });
  return QWidget::eventFilter(watched, event);
}

void HardwarePage::Sync() {
  for (std::size_t i = 0; i < checks_.size(); ++i) {
    const QSignalBlocker quiet(checks_[i]);
    checks_[i]->setChecked(model_.Checked(static_cast<int>(i)));
  }
  const QString memo = model_.Memo().join(QLatin1Char('\n'));
  if (memo2_->toPlainText() != memo) memo2_->setPlainText(memo);
}

}  // namespace ventari
