// The tabular display window: a three-axis anemometer's records as a table under red column
// labels, the log controls and the two status panels. A view over the session's tabular display.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStatusBar;

namespace ventari {

class LiveWindow;
class TabularDisplay;

class TFrmTabDisp : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmTabDisp(TabularDisplay& model, QWidget* parent = nullptr);
  ~TFrmTabDisp() override;

  // Appends the lines that came since the last call, empties the table when the model's was
  // emptied, and mirrors the labels, controls and panels (also done when the model announces a
  // change, and when shown).
  void Sync();
  LiveWindow& Live() const { return *live_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape closes the window as its close button does: only when the model allows it.
  void reject() override;

 private:
  static constexpr int kFixedLabelCount = 5;

  QWidget* BuildHeader();
  QLayout* BuildControls();
  QStatusBar* BuildStatusBar();
  // Runs what the user asked for, then shows its outcome at once.
  void Act(const std::function<void()>& handler);
  void SyncTable();
  // Puts the header labels above the table's columns, following its horizontal scrolling.
  void PlaceHeaderLabels();

  TabularDisplay& model_;
  LiveWindow* live_ = nullptr;
  QPlainTextEdit* table_ = nullptr;
  std::array<QLabel*, kFixedLabelCount> fixedLabels_{};
  QLabel* headerLabel_ = nullptr;
  QPushButton* btnLogging_ = nullptr;
  QCheckBox* cbSeg_ = nullptr;
  QWidget* segment_ = nullptr;
  QSpinBox* udSegInterval_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  QLabel* panel1_ = nullptr;
  std::uint64_t linesAppended_ = 0;
  std::uint64_t linesInTable_ = 0;
};

}  // namespace ventari
