#include "ui/steady_scroll_bar.h"

#include <QStyle>
#include <QStyleOptionSlider>

#include "ui/guarded_handler.h"

namespace ventari {

SteadyScrollBar::Batch::~Batch() {
  if (--bar_.batches_ == 0) bar_.RepaintChange();
}

void SteadyScrollBar::sliderChange(SliderChange change) {
  if (change == SliderOrientationChange) {
    QScrollBar::sliderChange(change);
  } else if (batches_ == 0) {
    RepaintChange();
  }
}

void SteadyScrollBar::RepaintChange() {
  const Look shown = Shown();
  if (shown == drawn_) return;
  // A handle that only moved or shrank repaints where it was and is: a whole bar is painted
  // with the style's gradients over its full length, which Qt's painter splits among threads.
  // Styles draw the handle's outline and shadow a little outside its rectangle.
  if (!drawn_.handle.isNull() && shown.atMinimum == drawn_.atMinimum &&
      shown.atMaximum == drawn_.atMaximum) {
    constexpr int kOutline = 2;
    update(shown.handle.united(drawn_.handle).adjusted(-kOutline, -kOutline, kOutline, kOutline));
  } else {
    update();
  }
}

void SteadyScrollBar::paintEvent(QPaintEvent* event) {
  RunGuarded(this, [&] {
    drawn_ = Shown();
    QScrollBar::paintEvent(event);
  });
}

SteadyScrollBar::Look SteadyScrollBar::Shown() const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
          value() <= minimum(), value() >= maximum()};
}

}  // namespace ventari
