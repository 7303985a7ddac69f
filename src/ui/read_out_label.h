// A label for a reading that changes with every record (the windsock's speed and gust, the
// tabular display's status panels): its text is drawn as a run of its font's glyphs, without the
// text layout and shaping a label does anew with each repaint. A text the font has no glyph for
// is drawn as any label draws it.
#pragma once

#include <QLabel>
#include <QRawFont>

namespace ventari {

class ReadOutLabel : public QLabel {
 public:
  explicit ReadOutLabel(QWidget* parent = nullptr) : QLabel(parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QRawFont rawFont_;  // of font(), once painted
};

}  // namespace ventari
