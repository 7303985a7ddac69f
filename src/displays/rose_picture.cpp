#include "displays/rose_picture.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace ventari {
namespace {

constexpr double kHalfExtent = 1400;
constexpr double kCircleRadius = 0.83 * kHalfExtent;
constexpr double kTickLength = 50;
constexpr double kLabelRadius = 1285;
constexpr double kLabelSize = 80;
constexpr double kCentreDiscRadius = 55;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kYellow = 0xFFFFFF00;
constexpr QRgb kBlue = 0xFF2060FF;

// Draws in logical units on a picture of `side` pixels.
class RosePainter {
 public:
  RosePainter(QImage& image, int side) : painter_(&image), scale_(side / (2 * kHalfExtent)) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
  }

  QPointF At(double x, double y) const {
    return {scale_ * (x + kHalfExtent), scale_ * (kHalfExtent - y)};
  }
  // The point at `radius` on the bearing `degrees` (clockwise from north).
  QPointF Polar(double degrees, double radius) const {
    const double a = degrees * std::numbers::pi / 180;
    return At(radius * std::sin(a), radius * std::cos(a));
  }

  void Pen(QRgb colour, double width) {
    // At least one and a half pixels, so that a small rose keeps bright lines.
    painter_.setPen(QPen(QColor::fromRgb(colour), std::max(1.5, width * scale_)));
    painter_.setBrush(Qt::NoBrush);
  }
  void Circle(double radius) { painter_.drawEllipse(At(0, 0), radius * scale_, radius * scale_); }
  void Disc(QRgb colour, double radius) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(QColor::fromRgb(colour));
    Circle(radius);
  }
  void Line(QPointF from, QPointF to) { painter_.drawLine(from, to); }
  void Path(const QPainterPath& path) { painter_.drawPath(path); }

  // `text` centred on `centre`, `size` logical units high.
  void Text(const QString& text, QPointF centre, double size, QRgb colour, bool bold) {
    QFont font = painter_.font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size * scale_))));
    font.setBold(bold);
    painter_.setFont(font);
    painter_.setPen(QColor::fromRgb(colour));
    const double box = 4 * size * scale_;
    painter_.drawText(QRectF(centre.x() - box, centre.y() - box, 2 * box, 2 * box), Qt::AlignCenter,
                      text);
  }

 private:
  QPainter painter_;
  double scale_;
};

void DrawCompassCard(RosePainter& rose, RoseType type) {
  rose.Pen(kYellow, 8);
  rose.Circle(kCircleRadius);
  for (int bearing = 0; bearing < 360; bearing += 30) {
    rose.Pen(kWhite, 8);
    rose.Line(rose.Polar(bearing, kCircleRadius), rose.Polar(bearing, kCircleRadius + kTickLength));
    // Relative bearings on a ship count from the bow down both sides.
    const int label = type == kShipRose ? std::min(bearing, 360 - bearing) : bearing;
    // Labels at the sides sit further out: they are wider than they are high.
    const double radius = kLabelRadius + 35 * std::fabs(std::sin(bearing * std::numbers::pi / 180));
    rose.Text(QStringLiteral("%1").arg(label, 3, 10, QLatin1Char('0')), rose.Polar(bearing, radius),
              kLabelSize, kWhite, false);
  }
}

void DrawCardinalPoints(RosePainter& rose) {
  const char* cardinal[] = {"N", "E", "S", "W"};
  const char* intercardinal[] = {"NE", "SE", "SW", "NW"};
  for (int i = 0; i < 4; ++i) {
    rose.Text(QString::fromLatin1(cardinal[i]), rose.Polar(90 * i, 920), 300, kBlue, true);
    rose.Text(QString::fromLatin1(intercardinal[i]), rose.Polar(45 + 90 * i, 720), 150, kBlue,
              true);
  }
}

void DrawHull(RosePainter& rose) {
  QPainterPath hull(rose.At(0, 520));
  hull.cubicTo(rose.At(120, 420), rose.At(190, 260), rose.At(190, 100));
  hull.lineTo(rose.At(190, -330));
  hull.quadTo(rose.At(190, -430), rose.At(100, -430));
  hull.lineTo(rose.At(-100, -430));
  hull.quadTo(rose.At(-190, -430), rose.At(-190, -330));
  hull.lineTo(rose.At(-190, 100));
  hull.cubicTo(rose.At(-190, 260), rose.At(-120, 420), rose.At(0, 520));
  rose.Pen(kWhite, 12);
  rose.Path(hull);
}

}  // namespace

QImage DrawRosePicture(RoseType type, int side) {
  if (side <= 0) return {};
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::black);
  RosePainter rose(image, side);
  DrawCompassCard(rose, type);
  if (type == kNsewRose) DrawCardinalPoints(rose);
  if (type == kShipRose) DrawHull(rose);
  rose.Disc(kWhite, kCentreDiscRadius);
  return image;
}

}  // namespace ventari
