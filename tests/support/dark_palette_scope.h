// The application's dark palette for the life of a test, then the style and palette it had.
#pragma once

#include <QApplication>
#include <QPalette>
#include <QString>
#include <QStyle>

#include "ui/dark_palette.h"

namespace ventari::test {

class DarkPaletteScope {
 public:
  explicit DarkPaletteScope(bool dark = true)
      : style_(QApplication::style()->name()), palette_(QApplication::palette()) {
    if (dark) UseDarkPalette();
  }
  ~DarkPaletteScope() {
    QApplication::setStyle(style_);
    QApplication::setPalette(palette_);
  }
  DarkPaletteScope(const DarkPaletteScope&) = delete;
  DarkPaletteScope& operator=(const DarkPaletteScope&) = delete;

 private:
  QString style_;
  QPalette palette_;
};

}  // namespace ventari::test
