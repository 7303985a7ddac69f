#include "ui/frm_graph.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <cstdint>

#include "displays/graph_window_model.h"
#include "ui/guarded_handler.h"
#include "ui/live_window.h"
#include "ui/overlay_label.h"
#include "ui/view_refresh.h"
#include "ui/window_placement.h"

namespace ventari {
namespace {

constexpr QSize kClientSize(738, 465);
constexpr QRect kChartRect(64, 8, 615, 449);
constexpr int kFontPointSize = 8;

// pgraph1 on the screen: the chart's off-screen picture, shown anew when the chart changed. Once
// the picture scrolls, the screen moves what it shows with it and copies only the columns that
// came in at the right, the left axis and the keys that lie on the chart.
class ChartControl : public QWidget {
 public:
  ChartControl(Tpgraph& chart, QWidget* parent) : QWidget(parent), chart_(chart) {
    setObjectName(QStringLiteral("pgraph1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A closed window's chart draws its columns only in the chart's own batches.
    (new ViewRefresh(
         this, chart_.Changed(), [this] { Refresh(); }, ViewRefresh::kScrollIntervalMs))
        ->HoldWhileHidden(*parent->window());
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    RunGuarded(this, [this, event] {
      QPainter painter(this);
      // Copied part by part, each clipped to its own rectangle: a copy clipped to a region of
      // several is no longer a plain copy of pixels but goes row by row.
      for (const QRect& part : event->region()) {
        painter.setClipRect(part);
        chart_.Paint(painter, part);
      }
      // A whole copy shows the picture as it is; a part copied after the picture moved again (a
      // burst of records since the screen was moved to match it) has the rest shown anew.
      if (Now() != shown_) {
        shown_ = Now();
        if (!event->rect().contains(rect())) update();
      }
    });
  }
  void resizeEvent(QResizeEvent*) override {
    RunGuarded(this, [this] { chart_.SetSize(size()); });
  }

 private:
  struct State {
    std::uint64_t redraws = 0;
    std::uint64_t scrolled = 0;
    bool full = false;
    bool operator==(const State&) const = default;
  };
  State Now() const { return {chart_.Redraws(), chart_.ScrolledPixels(), chart_.Full()}; }

  void Refresh() {
    chart_.DrawCompleted();
    const State now = Now();
    const std::uint64_t moved = now.scrolled - shown_.scrolled;
    const bool scrolledOnly = shown_.full && now.full && now.redraws == shown_.redraws;
    // The right axis stays; the newest columns' lines start a pixel left of where they scrolled in.
    constexpr int kLineReach = 2;
    if (!scrolledOnly || moved + kLineReach >= static_cast<std::uint64_t>(width())) {
      update();
    } else if (moved > 0) {
      const int pixels = static_cast<int>(moved);
      scroll(-pixels, 0, QRect(0, 0, width() - 1, height()));
      update(QRect(width() - 1 - pixels - kLineReach, 0, pixels + kLineReach + 1, height()));
      update(QRect(0, 0, 1, height()));
      update(childrenRect().adjusted(-pixels, 0, 0, 0));
    }
    shown_ = now;
  }

  Tpgraph& chart_;
  State shown_;
};

QLabel* Key(const char* name, QColor color, int row, QWidget* chart) {
  auto* key = new OverlayLabel(color, chart);
  key->setObjectName(QString::fromLatin1(name));
  key->setGeometry(6, 4 + row * 17, 120, 17);
  return key;
}

}  // namespace

TFrmGraph::TFrmGraph(GraphWindowModel& model, QWidget* parent)
    : QMainWindow(parent), model_(model) {
  setObjectName(QStringLiteral("TFrmGraph"));
  auto* client = new QWidget(this);
  client->setFixedSize(kClientSize);
  // The labels beside the chart are measured for a compact dialog font.
  QFont compact = client->font();
  compact.setPointSize(kFontPointSize);
  client->setFont(compact);
  setCentralWidget(client);
  chart_ = new ChartControl(model_.pgraph1(), client);
  chart_->setGeometry(kChartRect);
  BuildLabels(client);
  BuildMenus();
  setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());

  live_ = new LiveWindow(
      *this, model_.Changed(), [this] { Sync(); }, CentreOnScreen, ViewRefresh::kMinIntervalMs);
  live_->HoldWhileHidden();
  Sync();
}

TFrmGraph::~TFrmGraph() = default;

QLabel* TFrmGraph::AddLabel(const char* name, QRect geometry, Qt::Alignment alignment,
                            QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setAlignment(alignment | Qt::AlignVCenter);
  return label;
}

void TFrmGraph::BuildLabels(QWidget* client) {
  const int top = kChartRect.top();
  const int bottom = kChartRect.bottom() + 1;
  const int middle = kChartRect.center().y();
  const int leftWidth = kChartRect.left() - 6;
  const int right = kChartRect.right() + 4;
  const int rightWidth = kClientSize.width() - right - 2;
  scaleMax_ = AddLabel("ScaleMax", QRect(0, top - 8, leftWidth, 16), Qt::AlignRight, client);
  scaleMin_ = AddLabel("ScaleMin", QRect(0, bottom - 8, leftWidth, 16), Qt::AlignRight, client);
  yAxisCentre_ =
      AddLabel("YaxisCentre", QRect(0, middle - 8, leftWidth, 16), Qt::AlignRight, client);
  label6_ = AddLabel("Label6", QRect(0, middle - 18, leftWidth + 4, 16), Qt::AlignHCenter, client);
  unitsLabel_ =
      AddLabel("UnitsLabel", QRect(0, middle, leftWidth + 4, 16), Qt::AlignHCenter, client);
  directionScaleMax_ =
      AddLabel("DirectionScaleMax", QRect(right, top - 8, rightWidth, 16), Qt::AlignLeft, client);
  dirLabel1_ = AddLabel("DirLabel1", QRect(right - 2, middle - 18, rightWidth + 2, 16),
                        Qt::AlignHCenter, client);
  dirLabel2_ =
      AddLabel("DirLabel2", QRect(right - 2, middle, rightWidth + 2, 16), Qt::AlignHCenter, client);
  directionScaleMin_ = AddLabel("DirectionScaleMin", QRect(right, bottom - 8, rightWidth, 16),
                                Qt::AlignLeft, client);
  key2_ = Key("Key2", Qt::red, 0, chart_);
  key1_ = Key("Key1", Qt::blue, 1, chart_);
  key3_ = Key("Key3", QColor(0, 128, 0), 2, chart_);

  btnClrGraph_ = new QPushButton(QStringLiteral("&Clear"), client);
  btnClrGraph_->setObjectName(QStringLiteral("BtnClrGraph"));
  btnClrGraph_->setGeometry(right - 1, bottom - 92, rightWidth + 2, 26);
  pause1_ = new QPushButton(client);
  pause1_->setObjectName(QStringLiteral("Pause1"));
  pause1_->setGeometry(right - 1, bottom - 60, rightWidth + 2, 26);
  OnSignal(btnClrGraph_, &QPushButton::clicked, this, [this] {
    model_.ClearClick();
    live_->SyncNow();
  });
  OnSignal(pause1_, &QPushButton::clicked, this, [this] {
    model_.PauseClick();
    live_->SyncNow();
  });
}

void TFrmGraph::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* exit = file->addAction(QStringLiteral("&Exit"));
  exit->setObjectName(QStringLiteral("Exit1"));
  OnSignal(exit, &QAction::triggered, this, [this] { close(); });

  QMenu* scale = menuBar()->addMenu(QStringLiteral("&Scale"));
  auto* scaleGroup = new QActionGroup(this);
  for (int i = 0; i < 4; ++i) {
    QAction* item = scale->addAction(QString());
    item->setObjectName(QStringLiteral("ScaleMenu%1").arg(i + 1));
    item->setCheckable(true);
    scaleGroup->addAction(item);
    OnSignal(item, &QAction::triggered, this, [this, i] {
      model_.ScaleMenuClick(i);
      live_->SyncNow();
    });
    scaleItems_[i] = item;
  }

  QMenu* grid = menuBar()->addMenu(QStringLiteral("&Gridlines"));
  auto* gridGroup = new QActionGroup(this);
  gridOn_ = grid->addAction(QStringLiteral("&On"));
  gridOff_ = grid->addAction(QStringLiteral("O&ff"));
  for (QAction* item : {gridOn_, gridOff_}) {
    item->setCheckable(true);
    gridGroup->addAction(item);
    OnSignal(item, &QAction::triggered, this, [this, item] {
      model_.GridlinesClick(item == gridOn_);
      live_->SyncNow();
    });
  }
}

void TFrmGraph::Mirror(QLabel* label, const GraphLabel& model) {
  if (label->text() != model.text) label->setText(model.text);
  label->setHidden(!model.visible);
}

void TFrmGraph::Sync() {
  ShowTitle(*this, QStringLiteral("Graph"), model_.NoData().Text());
  const GraphWindowView& view = model_.View();
  Mirror(scaleMax_, view.scaleMax);
  Mirror(scaleMin_, view.scaleMin);
  Mirror(yAxisCentre_, view.yAxisCentre);
  Mirror(label6_, view.label6);
  Mirror(unitsLabel_, view.unitsLabel);
  Mirror(directionScaleMax_, view.directionScaleMax);
  Mirror(dirLabel1_, view.dirLabel1);
  Mirror(dirLabel2_, view.dirLabel2);
  Mirror(directionScaleMin_, view.directionScaleMin);
  Mirror(key1_, view.key1);
  Mirror(key2_, view.key2);
  Mirror(key3_, view.key3);
  for (int i = 0; i < 4; ++i) {
    scaleItems_[i]->setText(view.scaleItems[i].caption);
    scaleItems_[i]->setChecked(i == view.checkedScaleItem);
  }
  gridOn_->setChecked(view.gridlinesOn);
  gridOff_->setChecked(!view.gridlinesOn);
  btnClrGraph_->setEnabled(view.clearEnabled);
  pause1_->setText(view.pauseCaption);
}

}  // namespace ventari
