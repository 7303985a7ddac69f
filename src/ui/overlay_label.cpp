#include "ui/overlay_label.h"

#include <QPainter>

#include "ui/guarded_handler.h"

namespace ventari {

OverlayLabel::OverlayLabel(QColor color, QWidget* parent) : QLabel(parent), color_(color) {}

void OverlayLabel::paintEvent(QPaintEvent*) {
  RunGuarded(this, [this] {
    const qreal ratio = devicePixelRatioF();
    if (drawnText_ != text() || drawn_.devicePixelRatio() != ratio ||
        drawn_.deviceIndependentSize() != QSizeF(size())) {
      drawn_ = QPixmap(size() * ratio);
      drawn_.setDevicePixelRatio(ratio);
      drawn_.fill(Qt::transparent);
      QPainter painter(&drawn_);
      painter.setFont(font());
      painter.setPen(color_);
      painter.drawText(rect(), static_cast<int>(alignment()), text());
      drawnText_ = text();
    }
    QPainter(this).drawPixmap(0, 0, drawn_);
  });
}

}  // namespace ventari
