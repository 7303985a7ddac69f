// The flash programming window (TFrmFlash): the run's log, newest lines in view, and "A&bort".
// Not modal; shown for a run and closed after one that succeeded, as its model says.
#pragma once

#include <QWidget>
#include <cstdint>

class QListWidget;
class QPushButton;

namespace ventari {

class FlashProgrammer;
class ViewRefresh;

class TFrmFlash : public QWidget {
  Q_OBJECT

 public:
  explicit TFrmFlash(FlashProgrammer& programmer, QWidget* parent = nullptr);

  QListWidget* FlashProgressLst() const { return flashProgressLst_; }
  QPushButton* AbortButton() const { return abortButton_; }

  // Mirrors the model: the lines added since the last look, and whether the window is shown.
  void Sync();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  FlashProgrammer& programmer_;
  QListWidget* flashProgressLst_;
  QPushButton* abortButton_;
  std::uint64_t shownLines_ = 0;
  bool placed_ = false;
};

}  // namespace ventari
