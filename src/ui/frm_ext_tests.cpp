#include "ui/frm_ext_tests.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/colour_contrast.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"
#include "ui/window_placement.h"

namespace ventari {
namespace {

struct RowLook {
  const char* label;
  const char* namePrefix;
};

// In the order of ExtTestsRow.
constexpr RowLook kRows[kExtTestsRows] = {
    {"Std dev:", "StdDevAxis"}, {"Max:", "MaxAxis"}, {"Min:", "MinAxis"}, {"Average:", "AveAxis"}};

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);

}  // namespace

TFrmExtTests::TFrmExtTests(ExtTestsModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model) {
  setObjectName(QStringLiteral("TFrmExtTests"));
  setWindowTitle(QStringLiteral("Extended downcounts tests"));

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(24);
  for (int axis = 0; axis < kDowncountAxes; ++axis) {
    auto* heading = new QLabel(QStringLiteral("Axis %1").arg(axis + 1), this);
    heading->setAlignment(Qt::AlignRight);
    grid->addWidget(heading, 0, axis + 1);
  }
  for (int row = 0; row < kExtTestsRows; ++row) {
    grid->addWidget(new QLabel(QLatin1String(kRows[row].label), this), row + 1, 0);
    for (int axis = 0; axis < kDowncountAxes; ++axis) {
      auto* value = new QLabel(this);
      value->setObjectName(QLatin1String(kRows[row].namePrefix) + QString::number(axis + 1));
      value->setAlignment(Qt::AlignRight);
      value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("000.0000")));
      values_[static_cast<std::size_t>(row)][static_cast<std::size_t>(axis)] = value;
      grid->addWidget(value, row + 1, axis + 1);
    }
  }

  counts_ = new QLabel(this);
  counts_->setObjectName(QStringLiteral("SampleCounts"));
  // Wide enough for any count, so the window keeps its size as the counts grow.
  counts_->setMinimumWidth(
      counts_->fontMetrics().horizontalAdvance(QStringLiteral("Samples: 120   Bad lines: 99999")));
  ok_ = new QPushButton(QStringLiteral("&OK"), this);
  ok_->setObjectName(QStringLiteral("BtnOKExtDwncnts"));
  ok_->setDefault(true);
  OnSignal(ok_, &QPushButton::clicked, this, [this] { model_.BtnOKExtDwncntsClick(); });

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(counts_);
  bottom->addStretch();
  bottom->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  refresh_ = new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  refresh_->SyncNow();
}

QLabel& TFrmExtTests::ValueLabel(ExtTestsRow row, int axis) {
  return *values_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(axis));
}

void TFrmExtTests::Sync() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText,
                   LegibleOn(model_.Green() ? kGreen : kRed, palette.color(QPalette::Window)));
  for (int row = 0; row < kExtTestsRows; ++row) {
    for (int axis = 0; axis < kDowncountAxes; ++axis) {
      QLabel& label = ValueLabel(static_cast<ExtTestsRow>(row), axis);
      label.setText(model_.Label(static_cast<ExtTestsRow>(row), axis));
      label.setPalette(palette);
    }
  }
  counts_->setText(QStringLiteral("Samples: %1   Bad lines: %2")
                       .arg(model_.SampleCount())
                       .arg(model_.BadLines()));
  if (model_.Visible() && !isVisible()) {
    show();
    if (!placed_) {
      placed_ = true;
      CentreOnScreen(*this);
    }
    raise();
  } else if (!model_.Visible() && isVisible()) {
    hide();
  }
}

void TFrmExtTests::closeEvent(QCloseEvent* event) {
  event->accept();
  RunGuarded(this, [this] { model_.Hide(); });
}

}  // namespace ventari
