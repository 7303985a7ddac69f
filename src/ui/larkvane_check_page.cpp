#include "ui/larkvane_check_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "service/hardware_checks.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"

namespace ventari {

LarkvaneCheckPage::LarkvaneCheckPage(LarkvaneChecks& model, TestPage page, QWidget* parent)
    : QWidget(parent), model_(model), page_(page) {
  auto* group = new QGroupBox(page == TestPage::kPartA ? QStringLiteral("Transducer checks")
                                                       : QStringLiteral("Hardware checks"),
                              this);
  auto* inside = new QVBoxLayout(group);
  auto* heading = new QLabel(HardwareChecks::Heading().join(QLatin1Char('\n')), group);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  inside->addWidget(heading);
  inside->addSpacing(8);
  for (int i = 0; i < kLarkvaneCheckCount; ++i) {
    const auto check = static_cast<LarkvaneCheck>(i);
    const LarkvaneCheckBox& item = LarkvaneChecks::Box(check);
    if (item.page != page) continue;
    auto* box = new QCheckBox(item.caption, group);
    box->setObjectName(item.name);
    box->installEventFilter(this);
    OnSignal(box, &QCheckBox::toggled, this,
             [this, check](bool checked) { model_.SetChecked(check, checked); });
    boxes_.emplace_back(check, box);
    inside->addWidget(box);
  }
  memo_ = new QPlainTextEdit(group);
  memo_->setObjectName(LarkvaneChecks::MemoName(page));
  memo_->setReadOnly(true);
  memo_->setFrameShape(QFrame::NoFrame);
  memo_->setFocusPolicy(Qt::NoFocus);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setBackgroundRole(QPalette::Window);
  memo_->viewport()->setAutoFillBackground(false);
  inside->addSpacing(8);
  inside->addWidget(memo_, 1);

  auto* next = new QPushButton(TestWindowModel::NextButtonCaption(page), this);
  next->setObjectName(TestWindowModel::NextButtonName(page));
  OnSignal(next, &QPushButton::clicked, this, [this] { model_.Next(page_); });
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(next);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addLayout(row);
  new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  Sync();
}

bool LarkvaneCheckPage::eventFilter(QObject* watched, QEvent* event) {
  RunGuarded(this, [this, watched, event] {
    if (event->type() != QEvent::Enter) return;
    for (const auto& [check, box] : boxes_) {
      if (box == watched) model_.Hover(check);
    }
  });
  return QWidget::eventFilter(watched, event);
}

void LarkvaneCheckPage::Sync() {
  for (const auto& [check, box] : boxes_) {
    const QSignalBlocker quiet(box);
    box->setChecked(model_.Checked(check));
  }
  const QString memo = model_.Memo(page_).join(QLatin1Char('\n'));
  if (memo_->toPlainText() != memo) memo_->setPlainText(memo);
}

}  // namespace ventari
