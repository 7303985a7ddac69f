// The terminal window: the anemometer's raw traffic shown as text, typed keys sent, the port's
// settings and the capture's state in the status line. A view over the terminal's model.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <functional>

#include "ui/elided_label.h"

class QAction;
class QPlainTextEdit;

namespace ventari {

class TerminalModel;

class TFrmTerminal : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFrmTerminal(TerminalModel& model, QWidget* parent = nullptr);

  // "Set parameters": the port settings dialog, set by the application; the entry stays
  // disabled while unset.
  void SetSetParameters(std::function<void()> setParameters);

  // Mirrors the model now (also done, at most 25 times a second, when it changes).
  void Sync();
  QPlainTextEdit& Terminal1() const { return *terminal1_; }
  QAction& Datalogging1() const { return *datalogging1_; }
  QLabel& StatusSection(int section) const { return section == 0 ? *portStatus_ : *logStatus_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // True when the key was the terminal's to take.
  bool KeyPressed(int key, const QString& text);

  TerminalModel& model_;
  std::function<void()> setParameters_;
  QPlainTextEdit* terminal1_;
  QAction* setParametersAction_ = nullptr;
  QAction* datalogging1_ = nullptr;
  ElidedLabel* portStatus_;
  ElidedLabel* logStatus_;
  // The screen's dropped lines when the text was last shown.
  std::int64_t shownDropped_ = 0;
};

}  // namespace ventari
