// A scrolling view of a model's lines in a fixed-pitch face: only the rows in view are drawn,
// each as a run of glyphs one pitch apart (no text layout), and a line that comes and scrolls
// out unseen costs nothing but its count. Whole lines are selected with the mouse (or Ctrl+A)
// and copied with Ctrl+C. The newest line stays in view unless the user scrolled up, where the
// view keeps its lines while the oldest are dropped. Rows that move are moved as pixels and only
// the rows that come into view are drawn.
#pragma once

#include <QAbstractScrollArea>
#include <QRawFont>
#include <QString>
#include <cstdint>
#include <deque>

namespace ventari {

class SteadyScrollBar;

class FixedPitchLines : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // The left and top margin of the text in the view.
  static constexpr int kMargin = 4;

  explicit FixedPitchLines(QWidget* parent = nullptr);

  // Shows `lines`, which the model keeps and the view reads while it paints; `added` counts
  // every line ever added to them (so the view knows how many came and how many were dropped).
  void Show(const std::deque<QString>& lines, std::uint64_t added);

  // The lines shown, one a line, and the selected ones as Ctrl+C copies them.
  QString Text() const;
  QString SelectedText() const;
  qsizetype LineCount() const { return held_; }
  // The first row in view and how many rows the view holds.
  qsizetype TopRow() const;
  int RowsInView() const;
  // Where the first character of a line stands, in this widget's coordinates, and the width of
  // a character.
  QPoint TextOrigin() const;
  qreal Pitch() const { return pitch_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  int RowHeight() const { return rowHeight_; }
  // Takes the row height, the pitch and the glyphs of the font now set.
  void MeasureFont();
  // The line under `y` (viewport coordinates), counted from the first line ever added.
  std::uint64_t LineAt(int y) const;
  std::uint64_t FirstHeld() const { return added_ - static_cast<std::uint64_t>(held_); }
  // The held lines from `first` to `last` (counted from the first ever added), one a line.
  QString Join(std::uint64_t first, std::uint64_t last) const;
  void UpdateRanges();
  // Brings the picture to the line now at the top: moves the rows still in view and draws those
  // that came into it.
  void ScrollToTop();

  SteadyScrollBar* vertical_;
  const std::deque<QString>* lines_ = nullptr;
  // The lines held and added when the view last took them: it paints what it was shown.
  qsizetype held_ = 0;
  std::uint64_t added_ = 0;
  int widestLine_ = 0;  // in characters
  // The line at the top of the picture, counted from the first line ever added.
  std::uint64_t pictureTop_ = 0;
  QRawFont rawFont_;
  int rowHeight_ = 1;
  qreal pitch_ = 1;
  // The selected lines, from anchor_ to end_ either way, counted from the first ever added.
  bool selected_ = false;
  std::uint64_t anchor_ = 0;
  std::uint64_t end_ = 0;
};

}  // namespace ventari
