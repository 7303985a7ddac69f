// The graph window: the strip chart pgraph1 with its scale labels and trace keys, the scale and
// gridline menus, "&Clear" and the pause button. A view over the graph's model.
#pragma once

#include <QMainWindow>
#include <array>

class QAction;
class QLabel;
class QPushButton;

namespace ventari {

class GraphWindowModel;
class LiveWindow;
struct GraphLabel;

class TFrmGraph : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFrmGraph(GraphWindowModel& model, QWidget* parent = nullptr);
  ~TFrmGraph() override;

  // Mirrors the model (also done when the model announces a change, and when shown).
  void Sync();
  QWidget* Chart() const { return chart_; }
  LiveWindow& Live() const { return *live_; }

 private:
  void BuildMenus();
  void BuildLabels(QWidget* client);
  QLabel* AddLabel(const char* name, QRect geometry, Qt::Alignment alignment, QWidget* parent);
  static void Mirror(QLabel* label, const GraphLabel& model);

  GraphWindowModel& model_;
  QWidget* chart_;
  LiveWindow* live_ = nullptr;
  QLabel* scaleMax_;
  QLabel* scaleMin_;
  QLabel* yAxisCentre_;
  QLabel* label6_;
  QLabel* unitsLabel_;
  QLabel* directionScaleMax_;
  QLabel* dirLabel1_;
  QLabel* dirLabel2_;
  QLabel* directionScaleMin_;
  QLabel* key1_;
  QLabel* key2_;
  QLabel* key3_;
  QPushButton* btnClrGraph_;
  QPushButton* pause1_;
  std::array<QAction*, 4> scaleItems_{};
  QAction* gridOn_ = nullptr;
  QAction* gridOff_ = nullptr;
};

}  // namespace ventari
