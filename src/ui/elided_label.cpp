#include "ui/elided_label.h"

#include <QPainter>

#include "ui/guarded_handler.h"

namespace ventari {

void ElidedLabel::paintEvent(QPaintEvent*) {
  RunGuarded(this, [this] {
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
  });
}

}  // namespace ventari
