// The data display window: the records as text and the controls of their log. A view over the
// session's data display.
#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QSpinBox;
class QWidget;

namespace ventari {

class DataDisplay;
class FixedPitchLines;
class ViewRefresh;

class TFrmDataDisplay : public QDialog {
  Q_OBJECT

 public:
  TFrmDataDisplay(DataDisplay& model, QWidget* parent);

  // Shows the model's records and mirrors the controls (also done when the model announces a
  // change).
  void Sync();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  // While the window is shown, records are expected.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  DataDisplay& model_;
  ViewRefresh* refresh_ = nullptr;
  FixedPitchLines* reTerminal_;
  QPushButton* btnLog_;
  QCheckBox* cbSeg_;
  QCheckBox* cbTsd_;
  QWidget* segment_;
  QSpinBox* udSegInterval_;
};

}  // namespace ventari
