#include "ui/steady_scroll_bar.h"

#include <QStyle>
#include <QStyleOptionSlider>

#include "ui/guarded_handler.h"

namespace ventari {

SteadyScrollBar::Batch::~Batch() {
  if (--bar_.batches_ == 0 && bar_.Shown() != bar_.drawn_) bar_.update();
}

void SteadyScrollBar::sliderChange(SliderChange change) {
  if (change == SliderOrientationChange || (batches_ == 0 && Shown() != drawn_)) {
    QScrollBar::sliderChange(change);
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
