#include "displays/compass.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "displays/calvarn_windsock.h"

namespace ventari {
namespace {

QImage Render(TCompass& compass, QSize size) {
  compass.SetSize(size);
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  compass.Paint(painter);
  return image;
}

bool IsWhite(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200; }
bool IsBlack(QRgb pixel) { return qRed(pixel) < 40 && qGreen(pixel) < 40 && qBlue(pixel) < 40; }
bool IsYellow(QRgb pixel) { return qRed(pixel) > 150 && qGreen(pixel) > 150 && qBlue(pixel) < 80; }
bool IsRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60; }

TEST(CompassTest, ANewBearingRepaintsOnlyTheNeedlesTwoPlaces) {
  TCompass compass;
  QImage screen = Render(compass, QSize(300, 300));
  compass.TakeChangedArea();
  for (const int bearing : {90, 225, 10}) {
    compass.SetBearing((bearing + 100) % 360);  // never shown
    compass.SetBearing(bearing);
    const QRect changed = compass.TakeChangedArea();
    EXPECT_LT(changed.width() * changed.height(), 300 * 300 / 2) << bearing;
    QPainter painter(&screen);
    painter.setClipRect(changed);
    compass.Paint(painter);
    painter.end();
    EXPECT_EQ(screen, Render(compass, QSize(300, 300))) << bearing;
  }
  compass.SetRose(1);
  EXPECT_EQ(compass.TakeChangedArea(), QRect(0, 0, 300, 300));
  EXPECT_TRUE(compass.TakeChangedArea().isEmpty());
}

TEST(CompassTest, BearingsOutsideTheCircleAreIgnoredButStillRepaint) {
  TCompass compass;
  int repaints = 0;
  compass.Changed().Subscribe([&repaints] { ++repaints; });
  compass.SetBearing(359);
  EXPECT_EQ(compass.Bearing(), 359);
  compass.SetBearing(360);
  compass.SetBearing(-1);
  EXPECT_EQ(compass.Bearing(), 359);
  EXPECT_EQ(repaints, 3);
  compass.SetRose(2);
  EXPECT_EQ(compass.GetRose(), 2);
  compass.SetRose(7);
  EXPECT_EQ(compass.GetRose(), 0);
  EXPECT_EQ(repaints, 5);
}

TEST(CompassTest, TheNeedlePointsUpForNorthAndClockwiseFromThere) {
  EXPECT_EQ(TCompass::NeedleEnd(0), QPoint(0, 1140));
  EXPECT_EQ(TCompass::NeedleEnd(90), QPoint(1140, 0));
  EXPECT_EQ(TCompass::NeedleEnd(180), QPoint(0, -1140));
  EXPECT_EQ(TCompass::NeedleEnd(270), QPoint(-1140, 0));

  // 280 pixels: 10 logical units a pixel, centre at (140, 140); sample 80 pixels out.
  TCompass compass;
  const QPoint probes[] = {{140, 60}, {220, 140}, {140, 220}, {60, 140}};
  for (int quarter = 0; quarter < 4; ++quarter) {
    compass.SetBearing(90 * quarter);
    const QImage image = Render(compass, QSize(280, 280));
    for (int i = 0; i < 4; ++i) {
      const QRgb pixel = image.pixel(probes[i]);
      if (i == quarter) {
        EXPECT_TRUE(IsWhite(pixel)) << "bearing " << 90 * quarter << " probe " << i;
      } else {
        EXPECT_TRUE(IsBlack(pixel)) << "bearing " << 90 * quarter << " probe " << i;
      }
    }
    // The needle ends just inside the circle (radius 116 pixels).
    const QPoint tip = probes[quarter] + (probes[quarter] - QPoint(140, 140)) * 33 / 80;
    EXPECT_TRUE(IsWhite(image.pixel(tip))) << quarter;
    const QPoint beyond = probes[quarter] + (probes[quarter] - QPoint(140, 140)) * 35 / 80;
    EXPECT_FALSE(IsWhite(image.pixel(beyond))) << quarter;
  }
}

TEST(CompassTest, TheRoseIsDrawnForTheSizeItIsShownAt) {
  for (int side : {150, 600, 1400}) {
    TCompass compass;
    compass.SetBearing(45);
    const QImage image = Render(compass, QSize(side, side));
    const double half = side / 2.0;
    const double circle = 0.83 * half;
    // Between two ticks (bearing 15) the circle is a thin yellow line at any size.
    auto at = [&](double radius) {
      const double a = 15 * 3.14159265358979 / 180;
      return image.pixel(static_cast<int>(half + radius * std::sin(a)),
                         static_cast<int>(half - radius * std::cos(a)));
    };
    bool yellow = false;
    for (double d = -2; d <= 2; d += 0.5) yellow = yellow || IsYellow(at(circle + d));
    EXPECT_TRUE(yellow) << side;
    EXPECT_TRUE(IsBlack(at(circle - 5))) << side;
    EXPECT_TRUE(IsBlack(at(circle + 5))) << side;
    EXPECT_TRUE(IsWhite(image.pixel(static_cast<int>(half), static_cast<int>(half))));  // disc
    EXPECT_NE(image.pixelColor(0, 0), QColor(Qt::magenta));  // the whole area is painted
  }
}

TEST(CompassTest, TheRosesDifferInTheirLabelsAndFigures) {
  TCompass plain;
  TCompass nsew;
  TCompass ship;
  nsew.SetRose(1);
  ship.SetRose(2);
  const QImage a = Render(plain, QSize(400, 400));
  const QImage b = Render(nsew, QSize(400, 400));
  const QImage c = Render(ship, QSize(400, 400));
  EXPECT_NE(a, b);
  EXPECT_NE(a, c);
  EXPECT_NE(b, c);
  // The ship's hull crosses the east-west line 19 units out; the plain rose has nothing there.
  auto whiteNear = [](const QImage& image, int x0, int y) {
    for (int x = x0 - 2; x <= x0 + 2; ++x) {
      if (IsWhite(image.pixel(x, y))) return true;
    }
    return false;
  };
  EXPECT_TRUE(whiteNear(c, 200 + 27, 200 + 10));
  EXPECT_FALSE(whiteNear(a, 200 + 27, 200 + 10));
  // A non-square control is painted all over, the rose in its top-left square.
  const QImage wide = Render(plain, QSize(500, 400));
  EXPECT_TRUE(IsBlack(wide.pixel(480, 200)));
  EXPECT_EQ(wide.copy(0, 0, 400, 400), a);
}

TEST(CompassTest, TheWindsockShowsTheWaitingTextWhileAveragingWarmsUp) {
  TCalvarnWindsock windsock;
  auto redInCorner = [&windsock] {
    const QImage image = Render(windsock, QSize(600, 600));
    for (int y = 20; y < 60; ++y) {
      for (int x = 20; x < 200; ++x) {
        if (IsRed(image.pixel(x, y))) return true;
      }
    }
    return false;
  };
  EXPECT_FALSE(redInCorner());
  windsock.SetMagDataType(1);
  windsock.SetRollingAverage(3);
  windsock.SetDataSample(10, 100);
  EXPECT_TRUE(redInCorner());
  windsock.SetDataSample(10, 100);
  windsock.SetDataSample(10, 100);
  EXPECT_FALSE(redInCorner());
}

TEST(CompassTest, OnAScaledScreenTheRoseIsDrawnInTheScreensOwnPixels) {
  TCompass compass;
  compass.SetSize(QSize(300, 300));
  QImage screen(600, 600, QImage::Format_RGB32);
  screen.setDevicePixelRatio(2);
  QPainter painter(&screen);
  compass.Paint(painter);
  painter.end();
  // The lower-left quarter, away from the needle that points north, is the rose drawn 600 wide.
  const QRect quarter(0, 310, 290, 290);
  QImage shown = screen.copy(quarter);
  shown.setDevicePixelRatio(1);
  EXPECT_EQ(shown, DrawRosePicture(kPlainRose, 600).copy(quarter));
}

}  // namespace
}  // namespace ventari
