// A read-out puts its text where a label of the same font, size, alignment and frame puts it.
#include "ui/read_out_label.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>

namespace ventari {
namespace {

// The smallest rectangle holding the pixels within the frame that differ from the background.
QRect Ink(QLabel& label) {
  const QImage picture = label.grab().toImage();
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
  struct Case {
    QString text;
    Qt::Alignment alignment;
    int pixelSize;
    bool framed;
  };
  const Case cases[] = {
      {QStringLiteral("12.50"), Qt::AlignCenter, 35, false},
      {QStringLiteral("-0.3"), Qt::AlignCenter, 24, false},
      {QStringLiteral("1.5E-6"), Qt::AlignLeft | Qt::AlignVCenter, 24, false},
      {QStringLiteral("360.0"), Qt::AlignRight | Qt::AlignVCenter, 24, false},
      {QStringLiteral("Clinometer at: 0.12, -0.35"), Qt::AlignLeft | Qt::AlignVCenter, 13, true},
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
      if (c.framed) {
        shown->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        shown->setContentsMargins(4, 1, 4, 1);
      }
      shown->resize(260, 60);
    }
    // The same frame around the text.
    const auto frame = [](QLabel& shown) {
      QImage picture = shown.grab().toImage();
      QPainter(&picture).fillRect(shown.contentsRect(), Qt::magenta);
      return picture;
    };
    EXPECT_EQ(frame(readOut), frame(label)) << c.text.toStdString();
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
