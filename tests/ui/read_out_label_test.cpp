// A read-out puts its text where a label of the same font, size and alignment puts it.
#include "ui/read_out_label.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

namespace ventari {
namespace {

// The smallest rectangle holding the pixels that differ from the background.
QRect Ink(QWidget& widget) {
  const QImage picture = widget.grab().toImage();
  const QRgb background = widget.palette().color(widget.backgroundRole()).rgb();
  QRect ink;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixel(x, y) != background) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

TEST(ReadOutLabelTest, TextStandsWhereALabelPutsIt) {
  struct Case {
    QString text;
    Qt::Alignment alignment;
    int pixelSize;
  };
  const Case cases[] = {
      {QStringLiteral("12.50"), Qt::AlignCenter, 35},
      {QStringLiteral("-0.3"), Qt::AlignCenter, 24},
      {QStringLiteral("1.5E-6"), Qt::AlignLeft | Qt::AlignVCenter, 24},
      {QStringLiteral("360.0"), Qt::AlignRight | Qt::AlignVCenter, 24},
  };
  for (const Case& c : cases) {
    ReadOutLabel readOut;
    QLabel label;
    for (QLabel* shown : {static_cast<QLabel*>(&readOut), &label}) {
      QFont font = shown->font();
      font.setPixelSize(c.pixelSize);
      font.setBold(true);
      shown->setFont(font);
      shown->setAlignment(c.alignment);
      shown->setAutoFillBackground(true);
      shown->setText(c.text);
      shown->resize(220, 60);
    }
    const QRect expected = Ink(label);
    const QRect drawn = Ink(readOut);
    ASSERT_FALSE(expected.isEmpty()) << c.text.toStdString();
    // Within a pixel or two: the label rounds its glyphs' advances as its layout does.
    EXPECT_LE(std::abs(drawn.left() - expected.left()), 2) << c.text.toStdString();
    EXPECT_LE(std::abs(drawn.right() - expected.right()), 2) << c.text.toStdString();
    EXPECT_LE(std::abs(drawn.top() - expected.top()), 1) << c.text.toStdString();
    EXPECT_LE(std::abs(drawn.bottom() - expected.bottom()), 1) << c.text.toStdString();
  }
}

}  // namespace
}  // namespace ventari
