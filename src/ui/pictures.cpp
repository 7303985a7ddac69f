#include "ui/pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ventari {
namespace {

QString FindPicture(const QString& fileName) {
  if (fileName.isEmpty()) return {};
  for (const QString& folder :
       {QDir::currentPath(), QCoreApplication::applicationDirPath(),
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/ventari")}) {
    const QString path = QDir(folder).filePath(fileName);
    if (QFileInfo::exists(path)) return path;
  }
  return {};
}

// An ultrasonic anemometer: a mast, a head and transducer arms.
void DrawInstrument(QPainter& p, QRectF area, bool threeAxis) {
  const QPointF top(area.center().x(), area.top() + area.height() * 0.22);
  const double arm = area.width() * 0.28;
  p.setPen(QPen(QColor(70, 78, 90), area.width() * 0.035, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(top.x(), top.y()), QPointF(top.x(), area.bottom() - area.height() * 0.06));
  for (int side : {-1, 1}) {
    p.drawLine(top, top + QPointF(side * arm, -area.height() * 0.12));
    p.setBrush(QColor(230, 232, 236));
    p.drawEllipse(top + QPointF(side * arm, -area.height() * 0.12), area.width() * 0.04,
                  area.width() * 0.04);
  }
  if (threeAxis) {
    p.drawLine(top, top + QPointF(0, -area.height() * 0.16));
    p.drawEllipse(top + QPointF(0, -area.height() * 0.16), area.width() * 0.04,
                  area.width() * 0.04);
  }
  p.setBrush(QColor(200, 204, 212));
  p.drawRoundedRect(
      QRectF(top.x() - area.width() * 0.07, top.y(), area.width() * 0.14, area.height() * 0.16), 4,
      4);
}

QPixmap DrawnIcon(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  DrawEmblem(p, side);
  return pixmap;
}

}  // namespace

void DrawEmblem(QPainter& p, double side) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(38, 92, 158));
  p.drawRoundedRect(QRectF(0, 0, side, side), side * 0.18, side * 0.18);
  DrawInstrument(p, QRectF(side * 0.1, side * 0.18, side * 0.8, side * 0.86), false);
  p.restore();
}

QIcon ApplicationIcon() {
  return QIcon::fromTheme(QLatin1String(kApplicationId), WindowIcon(QString()));
}

QIcon WindowIcon(const QString& fileName) {
  if (const QString path = FindPicture(fileName); !path.isEmpty()) {
    QIcon icon(path);
    if (!icon.isNull()) return icon;
  }
  QIcon icon;
  for (int side : {16, 32, 48}) icon.addPixmap(DrawnIcon(side));
  return icon;
}

QPixmap BackgroundPicture(QSize size, qreal pixelRatio) {
  QPixmap pixmap(size * pixelRatio);
  pixmap.setDevicePixelRatio(pixelRatio);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(38, 92, 158));
  sky.setColorAt(0.65, QColor(132, 182, 226));
  sky.setColorAt(1, QColor(214, 232, 246));
  p.fillRect(QRect(QPoint(0, 0), size), sky);
  // Streamlines of the wind.
  p.setPen(QPen(QColor(255, 255, 255, 60), 2));
  for (int i = 0; i < 6; ++i) {
    QPainterPath path;
    const double y = size.height() * (0.15 + 0.12 * i);
    path.moveTo(0, y);
    path.cubicTo(size.width() * 0.3, y - 25, size.width() * 0.6, y + 25, size.width(), y - 8);
    p.drawPath(path);
  }
  DrawInstrument(
      p, QRectF(size.width() * 0.62, size.height() * 0.2, size.width() * 0.34, size.height() * 0.8),
      false);
  QFont title = p.font();
  title.setPointSize(34);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(255, 255, 255, 235));
  p.drawText(QRectF(36, 30, size.width() * 0.6, 60), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Ventari"));
  QFont subtitle = p.font();
  subtitle.setPointSize(12);
  subtitle.setBold(false);
  p.setFont(subtitle);
  p.drawText(QRectF(40, 88, size.width() * 0.6, 24), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Ultrasonic anemometer support"));
  return pixmap;
}

QPixmap ModelPicture(const QString& fileName, const QString& caption, QSize size) {
  if (const QString path = FindPicture(fileName); !path.isEmpty()) {
    QPixmap picture(path);
    if (!picture.isNull())
      return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  QPixmap pixmap(size);
  pixmap.fill(QColor(244, 246, 250));
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const bool threeAxis =
      fileName.startsWith(QLatin1String("T7")) || fileName.startsWith(QLatin1String("MZ"));
  DrawInstrument(p, QRectF(0, 10, size.width(), size.height() - 34), threeAxis);
  p.setPen(QColor(40, 44, 52));
  p.drawText(QRectF(0, size.height() - 26, size.width(), 22), Qt::AlignCenter, caption);
  return pixmap;
}

}  // namespace ventari
