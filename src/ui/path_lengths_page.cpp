#include "ui/path_lengths_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "service/path_lengths_model.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"

namespace ventari {
namespace {

struct CurrentCell {
  const char* label;
  const char* name;
};
constexpr std::array<CurrentCell, 4> kCurrent{{
    {"Axis 1 - Location 82:", "CurrentAxis1"},
    {"Axis 2 - Location 83:", "CurrentAxis2"},
    {"Axis 3 - Location 84:", "CurrentAxis3"},
    {"Checksum - Location 510:", "EngChecksum"},
}};
constexpr std::array<const char*, 3> kEntryLabels{"Axis 1 : ", "Axis 2 : ", "Axis 3 :"};
constexpr std::array<const char*, 3> kEntryNames{"A1Len", "A2Len", "A3Len"};
constexpr int kEditWidth = 70;

}  // namespace

PathLengthsPage::PathLengthsPage(PathLengthsModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("TxdrPathLengthsPage"));

  auto* eeprom = new QFormLayout;
  auto* heading = new QLabel(QStringLiteral("Eeprom contents"), this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  eeprom->addRow(heading);
  for (std::size_t i = 0; i < kCurrent.size(); ++i) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(kCurrent[i].name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setFixedWidth(kEditWidth);
    current_[i] = edit;
    eeprom->addRow(QLatin1String(kCurrent[i].label), edit);
  }

  auto* group = new QGroupBox(QStringLiteral("Path lengths"), this);
  auto* entries = new QFormLayout(group);
  for (std::size_t i = 0; i < kEntryNames.size(); ++i) {
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QLatin1String(kEntryNames[i]));
    edit->setFixedWidth(kEditWidth);
    OnSignal(edit, &QLineEdit::textEdited, this,
             [this, i](const QString& text) { model_.SetEntry(static_cast<int>(i), text); });
    entries_[i] = edit;
    entries->addRow(QLatin1String(kEntryLabels[i]), edit);
  }

  auto* memo1 = new QPlainTextEdit(this);
  memo1->setObjectName(QStringLiteral("Memo1"));
  memo1->setReadOnly(true);
  memo1->setFocusPolicy(Qt::NoFocus);
  memo1->setFrameShape(QFrame::NoFrame);
  memo1->setBackgroundRole(QPalette::Window);
  memo1->viewport()->setAutoFillBackground(false);
  memo1->setPlainText(
      QStringLiteral("Measure the axis path lengths and enter in 10th's of a mm. \n"
                     "e.g. a path length of 146.4mm should be entered as 1464."));
  memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo1->setFixedHeight(memo1->fontMetrics().lineSpacing() * 4 + 2 * memo1->frameWidth());

  store_ = new QPushButton(QStringLiteral("Sto&re path lengths in non-volatile memory"), this);
  store_->setObjectName(QStringLiteral("BtnStorePaths"));
  OnSignal(store_, &QPushButton::clicked, this, [this] { model_.BtnStorePathsClick(); });
  next_ = new QPushButton(QStringLiteral("Ne&xt"), this);
  next_->setObjectName(QStringLiteral("BtnSkip6"));
  OnSignal(next_, &QPushButton::clicked, this, [this] { model_.BtnSkip6Click(); });

  auto* top = new QHBoxLayout;
  top->addLayout(eeprom);
  top->addSpacing(40);
  top->addWidget(group);
  top->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(store_);
  buttons->addStretch();
  buttons->addWidget(next_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(12);
  layout->addWidget(memo1);
  layout->addStretch();
  layout->addLayout(buttons);

  new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  Sync();
}

void PathLengthsPage::Sync() {
  for (std::size_t i = 0; i < current_.size(); ++i) {
    const QString text = model_.Readout(PathStore::kCells[i]).trimmed();
    if (current_[i]->text() != text) current_[i]->setText(text);
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const QString& text = model_.Entry(static_cast<int>(i));
    if (entries_[i]->text() != text) entries_[i]->setText(text);
  }
  const bool axis3 = model_.Axis3Enabled();
  entries_[2]->setEnabled(axis3);
  if (auto* form = qobject_cast<QFormLayout*>(entries_[2]->parentWidget()->layout())) {
    if (QWidget* label = form->labelForField(entries_[2])) label->setEnabled(axis3);
  }
  store_->setEnabled(!model_.Busy());
  next_->setEnabled(!model_.Busy());
}

}  // namespace ventari
