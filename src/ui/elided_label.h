// A label that shows as much of a long text as fits, cut in the middle with an ellipsis, and the
// whole text as its tooltip: the terminal's status sections, where a log file's path or a port's
// notice can be longer than the window is wide. text() stays the whole text.
#pragma once

#include <QLabel>

namespace ventari {

class ElidedLabel : public QLabel {
 public:
  using QLabel::QLabel;

  void SetWholeText(const QString& text) {
    setText(text);
    setToolTip(text);
  }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ventari
