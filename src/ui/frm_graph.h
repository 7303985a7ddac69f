// The graph window: the strip chart pgraph1 with its scale labels and trace keys, the scale and
// gridline menus, "&Clear" and the pause button. A view over the graph's model.
#pragma once

#include <QMainWindow>
#include <array>

class QAction;
class QLabel;
class QPushButton;
class QTimer;

namespace ventari {

class GraphWindowModel;
struct GraphLabel;

class TFrmGraph : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFrmGraph(GraphWindowModel& model, QWidget* parent = nullptr);
  ~TFrmGraph() override;

  // Mirrors the model (also done on a short timer while the window is shown).
  void Sync();
  QWidget* Chart() const { return chart_; }

 signals:
  // The window closed.
  void Closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildLabels(QWidget* client);
  QLabel* AddLabel(const char* name, QRect geometry, Qt::Alignment alignment, QWidget* parent);
  static void Mirror(QLabel* label, const GraphLabel& model);

  GraphWindowModel& model_;
  QWidget* chart_;
  QTimer* sync_;
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
  bool placed_ = false;
};

}  // namespace ventari
