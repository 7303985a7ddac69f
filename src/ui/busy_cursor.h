// The application's busy cursor as a page shows its model's busy flag: set once while busy,
// restored when the flag drops or the page goes.
#pragma once

#include <QApplication>

namespace ventari {

class BusyCursor {
 public:
  BusyCursor() = default;
  ~BusyCursor() { Show(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

  void Show(bool busy) {
    if (busy == shown_) return;
    shown_ = busy;
    if (busy) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  }

 private:
  bool shown_ = false;
};

}  // namespace ventari
