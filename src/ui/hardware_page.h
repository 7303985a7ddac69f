// The test window's "&Hardware diagnostics" page: the heading, the five checks the technician
// ticks and the instructions of the check under the mouse, a view over `HardwareChecks`.
#pragma once

#include <QWidget>
#include <vector>

class QCheckBox;
class QPlainTextEdit;

namespace ventari {

class HardwareChecks;

class HardwarePage : public QWidget {
 public:
  HardwarePage(HardwareChecks& model, QWidget* parent);

  void Sync();

 protected:
  // The mouse entering a check box shows its instructions.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  HardwareChecks& model_;
  std::vector<QCheckBox*> checks_;
  QPlainTextEdit* memo2_;
};

}  // namespace ventari
