// The three-axis setup dialog: the anemometer's settings in drop-down lists, the averaging, the
// analogue input channels and the PC averaging. A view over the setup model; every change is
// handled with the dialog disabled and the busy cursor.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace ventari {

class TriAxisSetup;
class ViewRefresh;

class TFrm3AxisConfig : public QDialog {
  Q_OBJECT

 public:
  TFrm3AxisConfig(TriAxisSetup& model, QWidget* parent);

  // The Setup command: configuration mode, then the dialog, modally.
  void Execute();

 protected:
  // The close box, "&Close Window" and Escape end here: configuration mode ends.
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  // Runs a change with the dialog disabled and the busy cursor, restored however it ends.
  void Talk(const std::function<void()>& change);
  void Sync();

  TriAxisSetup& model_;
  std::array<QComboBox*, 13> lists_{};
  std::array<QLabel*, 13> labels_{};
  std::array<QCheckBox*, 6> channels_{};
  QLineEdit* edAveraging_ = nullptr;
  QPushButton* btnAvgSet_ = nullptr;
  QSpinBox* udPcAvg_ = nullptr;
  ViewRefresh* refresh_ = nullptr;
};

}  // namespace ventari
