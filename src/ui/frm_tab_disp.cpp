#include "ui/frm_tab_disp.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "displays/tabular_display.h"
#include "ui/arrow_spin_box.h"
#include "ui/colour_contrast.h"
#include "ui/fixed_pitch_lines.h"
#include "ui/guarded_handler.h"
#include "ui/live_window.h"
#include "ui/read_out_label.h"
#include "ui/view_refresh.h"
#include "ui/window_placement.h"

namespace ventari {
namespace {

constexpr QSize kInitialSize(1024, 768);
constexpr int kStatusPanelWidth = 270;
constexpr int kHeaderLabelTop = 3;
// The status address, status value and three values come before the optional columns.
constexpr std::size_t kFixedColumns = 5;

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

QLabel* Panel(const char* name, QWidget* parent) {
  auto* panel = new ReadOutLabel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  panel->setContentsMargins(4, 1, 4, 1);
  return panel;
}

// Where each optional column of `line` starts, counted in characters.
std::vector<qsizetype> OptionalColumnStarts(const QString& line) {
  std::vector<qsizetype> starts;
  for (qsizetype i = 0; i < line.size(); ++i) {
    if (!line[i].isSpace() && (i == 0 || line[i - 1].isSpace())) starts.push_back(i);
  }
  if (starts.size() <= kFixedColumns) return {};
  return {starts.begin() + kFixedColumns, starts.end()};
}

}  // namespace

AlignedHeader AlignToColumns(const QString& header, const QString& line) {
  // The names are parted by runs of blanks; a name may hold one blank ("AbsT C").
  static const QRegularExpression kGaps(QStringLiteral("\\s{2,}"));
  const QStringList names = header.trimmed().split(kGaps, Qt::SkipEmptyParts);
  const std::vector<qsizetype> starts = OptionalColumnStarts(line);
  if (names.isEmpty() || starts.size() < static_cast<std::size_t>(names.size())) return {};
  AlignedHeader aligned{{}, static_cast<int>(starts.front())};
  for (qsizetype i = 0; i < names.size(); ++i) {
    const qsizetype at = starts[static_cast<std::size_t>(i)] - starts.front();
    aligned.text = aligned.text.leftJustified(std::max(at, aligned.text.size() + (i > 0 ? 1 : 0)));
    aligned.text += names[i];
  }
  return aligned;
}

TFrmTabDisp::TFrmTabDisp(TabularDisplay& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName(QStringLiteral("TFrmTabDisp"));
  setWindowTitle(QStringLiteral("Tabular Display"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  resize(kInitialSize);

  table_ = new FixedPitchLines(this);
  table_->setObjectName(QStringLiteral("Memo1"));
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

  OnSignal(table_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
           [this] { PlaceHeaderLabels(); });
  live_ = new LiveWindow(
      *this, model_.Changed(), [this] { Sync(); }, CentreOnScreen, ViewRefresh::kScrollIntervalMs);
  live_->HoldWhileHidden();
  Sync();
}

TFrmTabDisp::~TFrmTabDisp() = default;

QWidget* TFrmTabDisp::BuildHeader() {
  auto* header = new QWidget(this);
  header->setObjectName(QStringLiteral("Header"));
  header->setFont(table_->font());
  header->setStyleSheet(QStringLiteral("QLabel { color: %1; }")
                            .arg(LegibleOn(Qt::red, palette().color(QPalette::Window)).name()));
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

  OnSignal(btnLogging_, &QPushButton::clicked, this, [this] {
    Act([this] { model_.BtnLoggingClick(); });
    table_->setFocus();
  });
  OnSignal(btnClear, &QPushButton::clicked, this, [this] {
    Act([this] { model_.BtnClearClick(); });
    table_->setFocus();
  });
  OnSignal(btnClose, &QPushButton::clicked, this, [this] { close(); });
  OnSignal(cbSeg_, &QCheckBox::clicked, this,
           [this](bool checked) { Act([this, checked] { model_.CbSegClick(checked); }); });
  OnSignal(udSegInterval_, &QSpinBox::valueChanged, this,
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
  table_->Show(model_.ScreenLines(), model_.LinesShown());
  for (QLabel* label : fixedLabels_) label->setVisible(model_.HeaderLabelsShown());
  SyncHeaderLabel();
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
  // Records that stopped are told where the records' status is.
  const QString& noData = model_.NoData().Text();
  statusPanel_->setText(noData.isEmpty() ? model_.StatusText() : noData);
  panel1_->setText(model_.Panel1Text());
}

void TFrmTabDisp::SyncHeaderLabel() {
  const QString& header = model_.HeaderLabelText();
  if (!model_.HeaderLabelsShown()) {
    aligned_ = {header, -1};
    alignedStarts_.reset();
  } else if (!model_.ScreenLines().empty()) {
    // The names are set anew when the header or the newest line's columns moved; a line they
    // cannot be set over (a paths-blocked line) keeps the last alignment.
    const QString& line = model_.ScreenLines().back();
    if (std::vector<qsizetype> starts = OptionalColumnStarts(line);
        starts != alignedStarts_ || headerSource_ != header) {
      alignedStarts_ = std::move(starts);
      if (AlignedHeader fitted = AlignToColumns(header, line);
          fitted.column >= 0 || aligned_.column < 0 || headerSource_ != header) {
        aligned_ = fitted.column >= 0 ? fitted : AlignedHeader{header, -1};
      }
    }
  }
  headerSource_ = header;
  if (headerLabel_->text() != aligned_.text) {
    headerLabel_->setText(aligned_.text);
    headerLabel_->adjustSize();
  }
}

void TFrmTabDisp::PlaceHeaderLabels() {
  const int textLeft = table_->TextOrigin().x();
  for (int i = 0; i < kFixedLabelCount; ++i) {
    fixedLabels_[i]->move(textLeft + kFixedLabels[i].left, kHeaderLabelTop);
  }
  const int left =
      aligned_.column >= 0 ? qRound(aligned_.column * table_->Pitch()) : model_.HeaderLabelLeft();
  headerLabel_->move(textLeft + left, kHeaderLabelTop);
}

void TFrmTabDisp::closeEvent(QCloseEvent* event) {
  bool allowed = false;
  RunGuarded(this, [this, &allowed] { allowed = model_.FormCloseQuery(); });
  event->setAccepted(allowed);
}

void TFrmTabDisp::reject() {
  RunGuarded(this, [this] { close(); });
}

}  // namespace ventari
