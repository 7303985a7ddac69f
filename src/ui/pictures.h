// The pictures of the main window and of the anemometer models: loaded from a picture file
// when one is installed, drawn in code otherwise, so the application looks complete anywhere.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QPainter;

namespace ventari {

// The name the desktop knows the application by: its .desktop file, icon and metainfo.
inline constexpr char kApplicationId[] = "org.ventari.Ventari";

// The main window's background, filling `size`, drawn with `pixelRatio` device pixels to a pixel.
QPixmap BackgroundPicture(QSize size, qreal pixelRatio = 1.0);
// The picture `fileName` ("Kestrix2.jpg", "T7.jpg", ...) from the working folder or the
// application's folder; when there is none, a drawing of the instrument with `caption`.
QPixmap ModelPicture(const QString& fileName, const QString& caption, QSize size);
// A window's icon from the picture `fileName` ("Larkvane.ico"), found as the model pictures are;
// when there is none, a drawn emblem of the instrument.
QIcon WindowIcon(const QString& fileName);
// The application's emblem, the instrument's head, a disc with two transducer arms, on a
// sky-blue rounded square of `side` at the painter's origin.
void DrawEmblem(QPainter& p, double side);
// The application's icon: the installed one of the desktop's icon theme, or the drawn emblem.
QIcon ApplicationIcon();

}  // namespace ventari
