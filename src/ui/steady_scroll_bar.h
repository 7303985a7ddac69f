// A scroll bar that repaints only when what it shows changes: its handle's place or size, or
// whether it stands at either end. A view whose range grows with every line it is given then
// repaints its bar when the handle moves by a pixel, not with every line, and then only where the
// handle was and is. Changes made together (a longer range, then the value at its end) are judged
// together, once they are all made.
#pragma once

#include <QScrollBar>

namespace ventari {

class SteadyScrollBar : public QScrollBar {
 public:
  explicit SteadyScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr)
      : QScrollBar(orientation, parent) {}

  // While one lives, changes to the bar are only noted; at its end the bar repaints once if they
  // changed what it shows.
  class Batch {
   public:
    explicit Batch(SteadyScrollBar& bar) : bar_(bar) { ++bar_.batches_; }
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    SteadyScrollBar& bar_;
  };

 protected:
  void sliderChange(SliderChange change) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Look {
    QRect handle;
    bool atMinimum = false;
    bool atMaximum = false;
    bool operator==(const Look&) const = default;
  };
  Look Shown() const;
  // Repaints what changed since the bar was last painted, if anything did.
  void RepaintChange();

  // As the bar was last painted.
  Look drawn_;
  int batches_ = 0;
};

}  // namespace ventari
