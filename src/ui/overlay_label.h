// A label over a picture that changes under it (the graph's key over its traces): the picture's
// every repaint repaints the label too, so its text is drawn once into a transparent picture of
// its own, in the colour given, and each repaint copies that.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QString>

namespace ventari {

class OverlayLabel : public QLabel {
 public:
  OverlayLabel(QColor color, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
  QPixmap drawn_;
  QString drawnText_;
};

}  // namespace ventari
