// write_icons FOLDER: writes the application's icon into an icon theme's folders under FOLDER,
// drawn as the windows draw it: PNG at the sizes desktops use, and SVG.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/pictures.h"

namespace {

const QString kFileName = QLatin1String(ventari::kApplicationId);

bool WritePng(const QString& root, int side) {
  const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    ventari::DrawEmblem(p, side);
  }
  return QDir().mkpath(folder) && image.save(folder + QLatin1Char('/') + kFileName + ".png");
}

bool WriteSvg(const QString& root) {
  const QString folder = root + QStringLiteral("/scalable/apps");
  if (!QDir().mkpath(folder)) return false;
  constexpr int kSide = 256;
  QSvgGenerator svg;
  svg.setFileName(folder + QLatin1Char('/') + kFileName + ".svg");
  svg.setSize(QSize(kSide, kSide));
  svg.setViewBox(QRect(0, 0, kSide, kSide));
  svg.setTitle(QStringLiteral("Ventari"));
  QPainter p;
  if (!p.begin(&svg)) return false;
  ventari::DrawEmblem(p, kSide);
  return p.end();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: write_icons FOLDER\n", stderr);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
    if (!WritePng(root, side)) {
      std::fprintf(stderr, "write_icons: cannot write the %dx%d icon under %s\n", side, side,
                   argv[1]);
      return 1;
    }
  }
  if (!WriteSvg(root)) {
    std::fprintf(stderr, "write_icons: cannot write the scalable icon under %s\n", argv[1]);
    return 1;
  }
  return 0;
}
