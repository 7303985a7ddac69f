// The tabular display window: a three-axis anemometer's records as a table under red column
// labels, the log controls and the two status panels. A view over the session's tabular display.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QStatusBar;

namespace ventari {

class FixedPitchLines;
class LiveWindow;
class TabularDisplay;

// The optional columns' names (the header text, spaced for a proportional face) set in the
// table's fixed-pitch face over the columns of a table line: `text` starts at character
// `column` of the line. `column` is -1 when the line has fewer optional columns than names.
struct AlignedHeader {
  QString text;
  int column = -1;
};
AlignedHeader AlignToColumns(const QString& header, const QString& line);

class TFrmTabDisp : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmTabDisp(TabularDisplay& model, QWidget* parent = nullptr);
  ~TFrmTabDisp() override;

  // Shows the model's lines and mirrors the labels, controls and panels (also done when the
  // model announces a change, and when shown).
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
  // The header label's text: over the optional columns of the newest line, or as the model
  // gives it (the comma-separated header of averaged lines).
  void SyncHeaderLabel();
  // Puts the header labels above the table's columns, following its horizontal scrolling.
  void PlaceHeaderLabels();

  TabularDisplay& model_;
  LiveWindow* live_ = nullptr;
  FixedPitchLines* table_ = nullptr;
  std::array<QLabel*, kFixedLabelCount> fixedLabels_{};
  QLabel* headerLabel_ = nullptr;
  AlignedHeader aligned_;
  QString headerSource_;
  // The optional columns aligned_ was set over; none while the labels are not shown.
  std::optional<std::vector<qsizetype>> alignedStarts_;
  QPushButton* btnLogging_ = nullptr;
  QCheckBox* cbSeg_ = nullptr;
  QWidget* segment_ = nullptr;
  QSpinBox* udSegInterval_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  QLabel* panel1_ = nullptr;
};

}  // namespace ventari
