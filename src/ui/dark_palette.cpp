#include "ui/dark_palette.h"

#include <QApplication>
#include <QStyleFactory>

namespace ventari {

QPalette DarkPalette() {
  const QColor window(53, 53, 53);
  const QColor base(35, 35, 35);
  const QColor text(230, 230, 230);
  const QColor dimmed(127, 127, 127);
  const QColor highlight(42, 130, 218);
  QPalette palette;
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::AlternateBase, window);
  palette.setColor(QPalette::ToolTipBase, base);
  palette.setColor(QPalette::ToolTipText, text);
  palette.setColor(QPalette::PlaceholderText, dimmed);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, window);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::BrightText, Qt::red);
  palette.setColor(QPalette::Light, QColor(80, 80, 80));
  palette.setColor(QPalette::Midlight, QColor(66, 66, 66));
  palette.setColor(QPalette::Mid, QColor(44, 44, 44));
  palette.setColor(QPalette::Dark, QColor(25, 25, 25));
  palette.setColor(QPalette::Shadow, QColor(10, 10, 10));
  palette.setColor(QPalette::Link, QColor(100, 170, 255));
  palette.setColor(QPalette::LinkVisited, QColor(170, 140, 255));
  palette.setColor(QPalette::Highlight, highlight);
  palette.setColor(QPalette::HighlightedText, Qt::white);
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, dimmed);
  }
  palette.setColor(QPalette::Disabled, QPalette::HighlightedText, dimmed);
  palette.setColor(QPalette::Disabled, QPalette::Base, window);
  return palette;
}

void UseDarkPalette() {
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setPalette(DarkPalette());
}

}  // namespace ventari
