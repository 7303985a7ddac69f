// A read-out puts its text where a label of the same font, alignment and frame puts it.
#include "ui/read_out_label.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

namespace ventari {
namespace {

// The smallest rectangle within the frame holding pixels other than the background.
QRect Ink(QLabel& label, const QImage& picture) {
  const QRgb background = label.palette().color(label.backgroundRole()).rgb();
  const QRect inside = label.contentsRect();
  QRect ink;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (picture.pixel(x, y) != background) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

TEST(ReadOutLabelTest, TextStandsWhereALabelPutsIt) {
  const struct {
    const char* text;
    Qt::Alignment alignment;
    int pixelSize;
    bool framed;
  } cases[] = {
      {"12.50", Qt::AlignCenter, 35, false},
      {"1.5E-6", Qt::AlignLeft | Qt::AlignVCenter, 24, false},
      {"Clinometer at: 0.12, -0.35", Qt::AlignLeft | Qt::AlignVCenter, 13, true},
  };
  for (const auto& c : cases) {
    ReadOutLabel readOut;
    QLabel label;
    for (QLabel* shown : {static_cast<QLabel*>(&readOut), &label}) {
      QFont font = shown->font();
      font.setPixelSize(c.pixelSize);
      font.setBold(true);
      shown->setFont(font);
      shown->setAlignment(c.alignment);
      shown->setAutoFillBackground(true);
      shown->setText(QString::fromLatin1(c.text));
      if (c.framed) shown->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      shown->setContentsMargins(4, 1, 4, 1);
      shown->resize(260, 60);
    }
    const QImage expected = label.grab().toImage();
    const QImage drawn = readOut.grab().toImage();
    EXPECT_EQ(drawn.copy(0, 0, 260, 1), expected.copy(0, 0, 260, 1)) << c.text;  // the frame
    // Within a pixel or two: the label rounds its glyphs' advances as its layout does.
    const QRect want = Ink(label, expected);
    const QRect got = Ink(readOut, drawn);
    EXPECT_LE((got.topLeft() - want.topLeft()).manhattanLength(), 3) << c.text;
    EXPECT_LE((got.bottomRight() - want.bottomRight()).manhattanLength(), 3) << c.text;
  }
}

}  // namespace
}  // namespace ventari
