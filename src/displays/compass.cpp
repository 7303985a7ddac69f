#include "displays/compass.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace ventari {

void TCompass::SetBearing(int bearing) {
  if (bearing >= 0 && bearing < 360) bearing_ = bearing;
  changed_.Notify();
}

QRect TCompass::TakeChangedArea() {
  QRect area = std::exchange(changedArea_, QRect());
  // The needle's place when last taken and now; those it had in between were never shown.
  if (bearing_ != takenBearing_) area |= NeedleArea(takenBearing_) | NeedleArea(bearing_);
  takenBearing_ = bearing_;
  return area;
}

void TCompass::SetRose(int type) {
  roseType_ = (type == kNsewRose || type == kShipRose) ? type : kPlainRose;
  ChangedAll();
}

void TCompass::SetSize(QSize size) {
  if (size == size_) return;
  size_ = size;
  ChangedAll();
}

void TCompass::ChangedAll() {
  changedArea_ = QRect(QPoint(0, 0), size_);
  changed_.Notify();
}

QRect TCompass::NeedleArea(int bearing) const {
  const QTransform toDevice = LogicalToDevice();
  const QRectF line =
      QRectF(toDevice.map(QPointF(0, 0)), toDevice.map(QPointF(NeedleEnd(bearing)))).normalized();
  // Half the pen's width beyond the ends and sides, and a pixel for the antialiased edge.
  const qreal margin = kNeedleWidth * toDevice.m11() / 2 + 1;
  return line.adjusted(-margin, -margin, margin, margin).toAlignedRect();
}

QTransform TCompass::LogicalToDevice() const {
  const double scale = std::min(size_.width(), size_.height()) / double{kExtent};
  const double half = kExtent / 2.0;
  return QTransform(scale, 0, 0, -scale, half * scale, half * scale);
}

QPoint TCompass::NeedleEnd(int bearing) {
  const double a = (90 - bearing) * 2 * std::numbers::pi / 360;
  return {static_cast<int>(kNeedleLength * std::cos(a)),
          static_cast<int>(kNeedleLength * std::sin(a))};
}

void TCompass::Paint(QPainter& painter) {
  const int side = std::min(size_.width(), size_.height());
  if (side <= 0) return;
  // The rose is drawn in the device's own pixels, so that it stays sharp on a scaled screen.
  const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
  const int pixels = std::max(1, static_cast<int>(std::lround(side * ratio)));
  if (rosePicture_.width() != pixels || pictureType_ != roseType_) {
    rosePicture_ = DrawRosePicture(static_cast<RoseType>(roseType_), pixels);
    pictureType_ = roseType_;
  }
  if (size_.width() != size_.height()) painter.fillRect(QRect(QPoint(0, 0), size_), Qt::black);
  painter.drawImage(QRectF(0, 0, side, side), rosePicture_);

  const QTransform toDevice = LogicalToDevice();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, kNeedleWidth * toDevice.m11(), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(toDevice.map(QPointF(0, 0)), toDevice.map(QPointF(NeedleEnd(bearing_))));
  painter.restore();
}

}  // namespace ventari
