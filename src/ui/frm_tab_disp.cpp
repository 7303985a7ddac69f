#include "ui/frm_tab_disp.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "displays/tabular_display.h"
#include "ui/guarded_handler.h"
#include "ui/live_window.h"
#include "ui/window_placement.h"

namespace ventari {
namespace {

constexpr QSize kInitialSize(1024, 768);
constexpr int kStatusPanelWidth = 270;
constexpr int kHeaderLabelTop = 3;

// The labels above the fixed columns, at their distance from the left of the table's text.
struct FixedLabel {
  const char* text;
  int left;
};
constexpr FixedLabel kFixedLabels[] = {
    {"Sa", 2}, {"Sb", 22}, {"Wc1", 68}, {"Wc2", 130}, {"Wc3", 194}};

QFont CourierNew(int pointSize, bool bold) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(pointSize);
  font.setBold(bold);
  return font;
}

// A spin box whose number changes by its arrows only.
class ArrowSpinBox : public QSpinBox {
 public:
  explicit ArrowSpinBox(QWidget* parent) : QSpinBox(parent) { lineEdit()->setReadOnly(true); }
};

QLabel* Panel(const char* name, QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  panel->setContentsMargins(4, 1, 4, 1);
  return panel;
}

}  // namespace

TFrmTabDisp::TFrmTabDisp(TabularDisplay& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("TFrmTabDisp"));
  setWindowTitle(QStringLiteral("Tabular Display"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  resize(kInitialSize);

  table_ = new QPlainTextEdit(this);
  table_->setObjectName(QStringLiteral("Memo1"));
  table_->setReadOnly(true);
  table_->setLineWrapMode(QPlainTextEdit::NoWrap);
  table_->setMaximumBlockCount(static_cast<int>(TabularDisplay::kMaxScreenLines));
  table_->setFont(CourierNew(8, false));

  auto* body = new QVBoxLayout;
  body->setContentsMargins(8, 6, 8, 8);
  body->setSpacing(0);
  body->addWidget(BuildHeader());
  body->addWidget(table_, 1);
  body->addSpacing(8);
  body->addLayout(BuildControls());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(body, 1);
  layout->addWidget(BuildStatusBar());

  connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { PlaceHeaderLabels(); });
  live_ = new LiveWindow(
      *this, model_.Changed(), [this] { Sync(); }, CentreOnScreen);
  Sync();
}

TFrmTabDisp::~TFrmTabDisp() = default;

QWidget* TFrmTabDisp::BuildHeader() {
  auto* header = new QWidget(this);
  header->setObjectName(QStringLiteral("Header"));
  header->setFont(table_->font());
  header->setStyleSheet(QStringLiteral("QLabel { color: #ff0000; }"));
  header->setFixedHeight(header->fontMetrics().height() + 2 * kHeaderLabelTop);
  for (int i = 0; i < kFixedLabelCount; ++i) {
    fixedLabels_[i] = new QLabel(QString::fromLatin1(kFixedLabels[i].text), header);
    fixedLabels_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    fixedLabels_[i]->adjustSize();
  }
  headerLabel_ = new QLabel(header);
  headerLabel_->setObjectName(QStringLiteral("HeaderLabel"));
  return header;
}

QLayout* TFrmTabDisp::BuildControls() {
  btnLogging_ = new QPushButton(this);
  btnLogging_->setObjectName(QStringLiteral("BtnLogging"));
  auto* btnClear = new QPushButton(QStringLiteral("C&lear"), this);
  btnClear->setObjectName(QStringLiteral("BtnClear"));
  auto* btnClose = new QPushButton(QStringLiteral("&Close"), this);
  btnClose->setObjectName(QStringLiteral("BtnClose"));
  cbSeg_ = new QCheckBox(QStringLiteral("Segmented logging"), this);
  cbSeg_->setObjectName(QStringLiteral("CbSeg"));

  segment_ = new QWidget(this);
  segment_->setObjectName(QStringLiteral("Segment"));
  udSegInterval_ = new ArrowSpinBox(segment_);
  udSegInterval_->setObjectName(QStringLiteral("UdSegInterval"));
  udSegInterval_->setRange(1, 360);
  udSegInterval_->setAlignment(Qt::AlignRight);
  auto* segmentLayout = new QHBoxLayout(segment_);
  segmentLayout->setContentsMargins(0, 0, 0, 0);
  segmentLayout->addWidget(new QLabel(QStringLiteral("Segment every:"), segment_));
  segmentLayout->addWidget(udSegInterval_);
  segmentLayout->addWidget(new QLabel(QStringLiteral("minutes"), segment_));

  auto* controls = new QHBoxLayout;
  controls->setSpacing(8);
  for (QPushButton* button : {btnLogging_, btnClear, btnClose}) {
    // Return in the table is no click on a button.
    button->setAutoDefault(false);
    button->setMinimumWidth(96);
  }
  controls->addWidget(btnLogging_);
  controls->addWidget(btnClear);
  controls->addSpacing(16);
  controls->addWidget(cbSeg_);
  controls->addSpacing(8);
  controls->addWidget(segment_);
  controls->addStretch();
  controls->addWidget(btnClose);

  connect(btnLogging_, &QPushButton::clicked, this, [this] {
    Act([this] { model_.BtnLoggingClick(); });
    table_->setFocus();
  });
  connect(btnClear, &QPushButton::clicked, this, [this] {
    Act([this] { model_.BtnClearClick(); });
    table_->setFocus();
  });
  connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
  connect(cbSeg_, &QCheckBox::clicked, this,
          [this](bool checked) { Act([this, checked] { model_.CbSegClick(checked); }); });
  connect(udSegInterval_, &QSpinBox::valueChanged, this,
          [this](int minutes) { Act([this, minutes] { model_.SetSegInterval(minutes); }); });
  return controls;
}

QStatusBar* TFrmTabDisp::BuildStatusBar() {
  auto* statusBar = new QStatusBar(this);
  statusBar->setObjectName(QStringLiteral("StatusBar1"));
  statusBar->setFont(CourierNew(10, true));
  statusPanel_ = Panel("StatusPanel0", statusBar);
  statusPanel_->setFixedWidth(kStatusPanelWidth);
  panel1_ = Panel("StatusPanel1", statusBar);
  statusBar->addWidget(statusPanel_);
  statusBar->addWidget(panel1_, 1);
  return statusBar;
}

void TFrmTabDisp::Act(const std::function<void()>& handler) {
  RunGuarded(this, handler);
  live_->SyncNow();
}

void TFrmTabDisp::Sync() {
  SyncTable();
  for (QLabel* label : fixedLabels_) label->setVisible(model_.HeaderLabelsShown());
  if (headerLabel_->text() != model_.HeaderLabelText()) {
    headerLabel_->setText(model_.HeaderLabelText());
    headerLabel_->adjustSize();
  }
  PlaceHeaderLabels();

  btnLogging_->setText(model_.BtnLoggingCaption());
  cbSeg_->setEnabled(model_.SegmentedEnabled());
  cbSeg_->setChecked(model_.Segmented());
  segment_->setVisible(model_.Segmented());
  udSegInterval_->setEnabled(model_.SegmentedEnabled());
  if (udSegInterval_->value() != model_.SegInterval()) {
    const QSignalBlocker mirrored(udSegInterval_);
    udSegInterval_->setValue(model_.SegInterval());
  }
  statusPanel_->setText(model_.StatusText());
  panel1_->setText(model_.Panel1Text());
}

void TFrmTabDisp::SyncTable() {
  const auto& lines = model_.ScreenLines();
  std::uint64_t fresh = model_.LinesShown() - linesAppended_;
  linesAppended_ = model_.LinesShown();
  // Unless it was emptied, the model's table holds the view's lines and the new ones (up to its
  // bound); holding fewer, it holds only lines that came after it was emptied.
  if (lines.size() <
      std::min<std::uint64_t>(linesInTable_ + fresh, TabularDisplay::kMaxScreenLines)) {
    table_->clear();
    linesInTable_ = 0;
  }
  fresh = std::min<std::uint64_t>(fresh, lines.size());
  for (auto it = lines.end() - static_cast<std::ptrdiff_t>(fresh); it != lines.end(); ++it) {
    table_->appendPlainText(*it);
  }
  linesInTable_ = std::min<std::uint64_t>(linesInTable_ + fresh, TabularDisplay::kMaxScreenLines);
}

void TFrmTabDisp::PlaceHeaderLabels() {
  const int textLeft = table_->frameWidth() +
                       static_cast<int>(table_->document()->documentMargin()) -
                       table_->horizontalScrollBar()->value();
  for (int i = 0; i < kFixedLabelCount; ++i) {
    fixedLabels_[i]->move(textLeft + kFixedLabels[i].left, kHeaderLabelTop);
  }
  headerLabel_->move(textLeft + model_.HeaderLabelLeft(), kHeaderLabelTop);
}

void TFrmTabDisp::closeEvent(QCloseEvent* event) {
  bool allowed = false;
  RunGuarded(this, [this, &allowed] { allowed = model_.FormCloseQuery(); });
  event->setAccepted(allowed);
}

void TFrmTabDisp::reject() { close(); }

}  // namespace ventari
