#include "ui/diagnostics_page.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "service/diagnostics_page_model.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"

namespace ventari {
namespace {

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

DiagnosticsPage::DiagnosticsPage(SoftwareDiagnosticsModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("SoftwareDiagnosticsPage"));

  group_ = new QGroupBox(QStringLiteral("Software diagnostics"), this);
  group_->setObjectName(QStringLiteral("SoftwareDiagnostics"));
  items_ = new QButtonGroup(group_);
  auto* itemsLayout = new QVBoxLayout(group_);
  for (int i = 0; i < kDiagnosticTestCount; ++i) {
    auto* radio = new QRadioButton(model_.Items()[static_cast<std::size_t>(i)], group_);
    items_->addButton(radio, i);
    itemsLayout->addWidget(radio);
  }
  OnSignal(items_, &QButtonGroup::idClicked, this, [this](int id) { model_.Select(id); });

  extTests_ = new QCheckBox(QStringLiteral("Extended testing"), this);
  extTests_->setObjectName(QStringLiteral("ExtTests"));
  OnSignal(extTests_, &QCheckBox::clicked, this,
           [this](bool checked) { model_.SetExtTests(checked); });

  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName(QStringLiteral("Memo3"));
  memo_->setReadOnly(true);
  memo_->setFrameShape(QFrame::NoFrame);
  memo_->setFocusPolicy(Qt::NoFocus);
  memo_->viewport()->setAutoFillBackground(false);
  memo_->setMinimumWidth(420);

  start_ = Button(QStringLiteral("Sta&rt test"), QStringLiteral("BtnStartTest1"), this);
  stop_ = Button(QStringLiteral("Sto&p test"), QStringLiteral("BtnStopTest1"), this);
  next_ = Button(QStringLiteral("Ne&xt"), QStringLiteral("BtnSkip5"), this);
  OnSignal(start_, &QPushButton::clicked, this, [this] { model_.Start(); });
  OnSignal(stop_, &QPushButton::clicked, this, [this] { model_.Stop(); });

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("DbgListBox"));
  list_->setFont(QFont(QStringLiteral("Courier New")));
  // Tall enough for the newest lines the model puts in view, and no taller, so the newest one
  // sits at the bottom. A row's height is the item's, measured on one, whatever font is found.
  list_->addItem(QStringLiteral("0"));
  const int rowHeight = list_->sizeHintForRow(0);
  list_->clear();
  list_->setFixedHeight(rowHeight * SoftwareDiagnosticsModel::kLinesInView +
                        2 * list_->frameWidth());

  auto* left = new QVBoxLayout;
  left->addWidget(group_);
  left->addWidget(extTests_);
  left->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(memo_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(start_);
  buttons->addWidget(stop_);
  buttons->addStretch();
  buttons->addWidget(next_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(list_);
  layout->addLayout(buttons);

  refresh_ = new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  refresh_->SyncNow();
}

DiagnosticsPage::~DiagnosticsPage() { ShowBusy(false); }

void DiagnosticsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  RunGuarded(this, [this] { model_.Show(); });
  focusShown_ = -1;
  refresh_->SyncNow();
}

void DiagnosticsPage::ShowBusy(bool busy) {
  if (busy == busyShown_) return;
  busyShown_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void DiagnosticsPage::Sync() {
  for (int i = 0; i < kDiagnosticTestCount; ++i) {
    items_->button(i)->setText(model_.Items()[static_cast<std::size_t>(i)]);
  }
  if (QAbstractButton* selected = items_->button(model_.Selected())) {
    selected->setChecked(true);
  } else {
    items_->setExclusive(false);
    for (QAbstractButton* button : items_->buttons()) button->setChecked(false);
    items_->setExclusive(true);
  }
  const QString memo = model_.Memo().join(QLatin1Char('\n'));
  if (memo_->toPlainText() != memo) memo_->setPlainText(memo);
  extTests_->setChecked(model_.ExtTestsChecked());
  extTests_->setVisible(model_.ExtTestsVisible());

  const QStringList& lines = model_.Lines();
  bool same = list_->count() == lines.size();
  for (int i = 0; same && i < lines.size(); ++i) same = list_->item(i)->text() == lines[i];
  if (!same) {
    list_->clear();
    list_->addItems(lines);
  }
  if (QListWidgetItem* top = list_->item(model_.TopIndex())) {
    list_->scrollToItem(top, QAbstractItemView::PositionAtTop);
  }

  start_->setEnabled(!model_.Busy());
  stop_->setEnabled(!model_.Busy());
  ShowBusy(model_.Busy());
  const int focus = static_cast<int>(model_.Focus());
  if (focus != focusShown_) {
    focusShown_ = focus;
    switch (model_.Focus()) {
      case DiagnosticsFocus::kStartTest:
        start_->setFocus();
        break;
      case DiagnosticsFocus::kStopTest:
        stop_->setFocus();
        break;
      case DiagnosticsFocus::kNext:
        next_->setFocus();
        break;
    }
  }
}

}  // namespace ventari
