#include "ui/frm_statistics.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "stats/live_statistics.h"
#include "stats/statistics_export.h"
#include "stats/statistics_text.h"
#include "ui/guarded_handler.h"
#include "ui/live_window.h"
#include "ui/view_refresh.h"
#include "ui/window_placement.h"

namespace ventari {
namespace {

constexpr QSize kInitialSize(1000, 560);
constexpr int kRoseSide = 320;

// The periods as the table shows them: the columns and texts of the CSV export, so what is seen,
// copied and saved is the same.
class StatisticsRows : public QAbstractTableModel {
 public:
  StatisticsRows(const LiveStatistics& statistics, QObject* parent)
      : QAbstractTableModel(parent),
        statistics_(statistics),
        columns_(StatisticsCsvHeader().split(QLatin1Char(','))) {}

  // Takes in the rows the statistics hold now: new ones are appended; a restart or rows dropped
  // at the front are taken in whole.
  void Update() {
    const auto& rows = statistics_.Rows();
    const bool appended = rows.size() >= lines_.size() && !lines_.empty() &&
                          rows[lines_.size() - 1].endUs == lastEndUs_;
    if (!appended || lines_.empty()) {
      beginResetModel();
      lines_.clear();
      for (const PeriodRow& row : rows) lines_.push_back(Cells(row));
      endResetModel();
    } else if (rows.size() > lines_.size()) {
      beginInsertRows({}, static_cast<int>(lines_.size()), static_cast<int>(rows.size()) - 1);
      for (std::size_t i = lines_.size(); i < rows.size(); ++i) lines_.push_back(Cells(rows[i]));
      endInsertRows();
    }
    lastEndUs_ = rows.empty() ? 0 : rows.back().endUs;
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) return {};
    const QStringList& cells = lines_[static_cast<std::size_t>(index.row())];
    return index.column() < cells.size() ? cells[index.column()] : QString();
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columns_.size()) {
      return {};
    }
    return columns_[section];
  }

 private:
  static QStringList Cells(const PeriodRow& row) {
    return StatisticsCsvLine(row, RecordTimes::kReceived).split(QLatin1Char(','));
  }

  const LiveStatistics& statistics_;
  QStringList columns_;
  std::vector<QStringList> lines_;
  std::int64_t lastEndUs_ = 0;
};

// The colour of each speed class, lightest for the calmest, legible on light and dark windows.
const std::array<QColor, WindRose::kClassCount> kClassColours = {
    QColor(120, 190, 240), QColor(70, 150, 220), QColor(60, 180, 110),
    QColor(240, 200, 60),  QColor(240, 130, 50), QColor(210, 50, 50)};

// The wind rose: per sector a wedge from the centre, its length the share of samples from that
// sector, cut into the speed classes from the centre out; rings and the cardinal points in the
// palette's text colour, the classes' key beside it.
class RoseView : public QWidget {
 public:
  RoseView(const LiveStatistics& statistics, QWidget* parent)
      : QWidget(parent), statistics_(statistics) {
    setObjectName(QStringLiteral("StatisticsRose"));
    setMinimumSize(kRoseSide, kRoseSide);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    RunGuarded(this, [this] { Paint(); });
  }

 private:
  void Paint() {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor text = palette().color(QPalette::WindowText);
    const WindRose& rose = statistics_.Rose();
    const QString total = QStringLiteral("%1 samples").arg(rose.Total());
    // The key's widest line, with the swatch before the classes and a margin to the edge.
    const int keyWidth = std::max(fontMetrics().horizontalAdvance(QStringLiteral(">10 m/s")) + 16,
                                  fontMetrics().horizontalAdvance(total)) +
                         12;
    const double radius =
        std::max(10.0, std::min(width() - keyWidth, height()) / 2.0 - fontMetrics().height() - 4);
    const QPointF centre(radius + fontMetrics().height() + 4, height() / 2.0);

    double largest = 0;
    for (int sector = 0; sector < rose.Sectors(); ++sector) {
      double share = 0;
      for (int c = 0; c < WindRose::kClassCount; ++c) share += rose.Frequency(sector, c);
      largest = std::max(largest, share);
    }
    const double half = 180.0 / rose.Sectors();
    painter.setPen(Qt::NoPen);
    for (int sector = 0; largest > 0 && sector < rose.Sectors(); ++sector) {
      std::array<double, WindRose::kClassCount> upTo{};
      double sum = 0;
      for (int c = 0; c < WindRose::kClassCount; ++c) upTo[c] = sum += rose.Frequency(sector, c);
      const double from = sector * 2 * half;
      // Outermost class first, each inner one painted over it. Qt counts angles
      // anticlockwise from east, the rose clockwise from north.
      for (int c = WindRose::kClassCount - 1; c >= 0; --c) {
        const double r = radius * upTo[c] / largest;
        if (r <= 0) continue;
        painter.setBrush(kClassColours[c]);
        painter.drawPie(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r),
                        static_cast<int>(std::lround((90 - from - half) * 16)),
                        static_cast<int>(std::lround(2 * half * 16)));
      }
    }

    painter.setPen(QPen(text, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= 4; ++ring)
      painter.drawEllipse(centre, radius * ring / 4, radius * ring / 4);
    painter.setPen(text);
    const double offset = radius + fontMetrics().height() / 2.0 + 2;
    const std::array<std::pair<const char*, QPointF>, 4> points = {
        {{"N", {0, -offset}}, {"E", {offset, 0}}, {"S", {0, offset}}, {"W", {-offset, 0}}}};
    for (const auto& [name, at] : points) {
      const QRectF box(centre + at - QPointF(10, 10), QSizeF(20, 20));
      painter.drawText(box, Qt::AlignCenter, QLatin1String(name));
    }
    if (largest > 0) {
      // The outer ring's share, outside it to the upper right, clear of the wedges.
      const double diagonal = radius * std::sqrt(0.5);
      painter.drawText(QPointF(centre.x() + diagonal + 2, centre.y() - diagonal - 2),
                       QStringLiteral("%1 %").arg(largest * 100, 0, 'f', 1));
    }

    const int line = fontMetrics().height() + 2;
    double y = height() / 2.0 - WindRose::kClassCount * line / 2.0;
    const double x = width() - keyWidth;
    for (int c = 0; c < WindRose::kClassCount; ++c, y += line) {
      painter.fillRect(QRectF(x, y + 2, 12, line - 4), kClassColours[c]);
      painter.drawText(QPointF(x + 16, y + fontMetrics().ascent()),
                       WindRose::ClassName(c) + QStringLiteral(" m/s"));
    }
    painter.drawText(QPointF(x, y + fontMetrics().ascent()), total);
  }

  const LiveStatistics& statistics_;
};

}  // namespace

TFrmStatistics::TFrmStatistics(LiveStatistics& statistics, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), statistics_(statistics), prompts_(prompts) {
  setObjectName(QStringLiteral("frmStatistics"));
  setWindowTitle(QStringLiteral("Statistics"));
  resize(kInitialSize);

  auto* rows = new StatisticsRows(statistics_, this);
  rows_ = rows;
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("StatisticsTable"));
  table_->setModel(rows_);
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The period's end whole: "2026-12-09T19:10:00Z".
  table_->setColumnWidth(0, table_->fontMetrics().horizontalAdvance(PeriodEndText(0)) + 16);
  rose_ = new RoseView(statistics_, this);

  period_ = new QSpinBox(this);
  period_->setObjectName(QStringLiteral("StatisticsPeriod"));
  period_->setRange(StatisticsSettings::kMinPeriodMinutes, StatisticsSettings::kMaxPeriodMinutes);
  period_->setSuffix(QStringLiteral(" min"));
  auto* copy = new QPushButton(QStringLiteral("&Copy"), this);
  copy->setObjectName(QStringLiteral("StatisticsCopy"));
  auto* save = new QPushButton(QStringLiteral("&Save..."), this);
  save->setObjectName(QStringLiteral("StatisticsSave"));
  auto* shortcut = new QShortcut(QKeySequence::Copy, this);

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(QStringLiteral("Period:"), this));
  controls->addWidget(period_);
  controls->addStretch();
  controls->addWidget(copy);
  controls->addWidget(save);
  auto* left = new QVBoxLayout;
  left->addLayout(controls);
  left->addWidget(table_, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(rose_);

  OnSignal(copy, &QPushButton::clicked, this, [this] { Copy(); });
  OnSignal(shortcut, &QShortcut::activated, this, [this] { Copy(); });
  OnSignal(save, &QPushButton::clicked, this, [this] { SaveStatisticsCsv(statistics_, prompts_); });
  // A new length starts the periods afresh.
  OnSignal(period_, &QSpinBox::editingFinished, this, [this] {
    if (period_->value() != statistics_.PeriodMinutes()) {
      statistics_.SetPeriodMinutes(period_->value());
    }
  });
  live_ = new LiveWindow(
      *this, statistics_.Changed(), [this] { Sync(); }, CentreOnScreen,
      ViewRefresh::kMinIntervalMs);
  live_->HoldWhileHidden();
  Sync();
}

TFrmStatistics::~TFrmStatistics() = default;

void TFrmStatistics::Sync() {
  static_cast<StatisticsRows*>(rows_)->Update();
  if (!period_->hasFocus()) period_->setValue(statistics_.PeriodMinutes());
  rose_->update();
}

void TFrmStatistics::Copy() { QGuiApplication::clipboard()->setText(statistics_.CsvText()); }

}  // namespace ventari
