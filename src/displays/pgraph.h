// Tpgraph: the strip chart. Keeps a short history of points per column, draws its traces as
// lines into an off-screen picture that fills from the left and then scrolls left by one column
// per record; a repaint copies that picture, or the part the screen lacks. The columns completed
// since the picture was last painted or read are drawn together then (at the latest before the
// history forgets what they need), so a fast stream moves the picture once per repaint, not once
// per record; the picture is the same as if each column had been drawn as it completed. The
// picture is kept as a ring: scrolling moves where its left edge is kept, not its pixels.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "base/change_notifier.h"

class QPainter;

namespace ventari {

// A trace colour; it also identifies the trace from one column to the next.
using TColor = QRgb;
inline constexpr TColor kClRed = 0xFFFF0000;
inline constexpr TColor kClBlue = 0xFF0000FF;
inline constexpr TColor kClGreen = 0xFF008000;
inline constexpr TColor kClBlack = 0xFF000000;
inline constexpr TColor kClYellow = 0xFFFFFF00;
inline constexpr TColor kClDarkGreen = 0xFF006400;

// a if b is 0 or a is a multiple of b, else the next multiple of b above a.
std::int64_t RoundUp(std::int64_t a, std::int64_t b);

class Tpgraph {
 public:
  static constexpr int kMaxPointsPerColumn = 16;

  Tpgraph();

  // Appends one point to the column now receiving points. A seventeenth point in one column
  // throws std::out_of_range with an empty message and is not stored.
  void DataPoint(TColor color, std::int64_t value);
  // Completes the column (scrolling the picture by one step once it is full) and opens the next
  // one.
  void Update();
  // Empties the history and starts a fresh picture.
  void Reset();
  // Copies the picture to `painter` at (0, 0), or only its part `area` (in the chart's pixels);
  // first brings the picture to the control's size and to the painter's device pixel ratio when
  // either changed.
  void Paint(QPainter& painter) { Paint(painter, QRect(QPoint(0, 0), size_)); }
  void Paint(QPainter& painter, const QRect& area);

  // The control's size; the picture follows it at the next Paint().
  void SetSize(QSize size) { size_ = size; }
  QSize Size() const { return size_; }
  // Told whenever the picture changed and the screen should show it.
  ChangeNotifier& Changed() { return changed_; }
  // The picture with every completed column drawn: PixelRatio() device pixels to each pixel of
  // the chart, which the coordinates below count in.
  const QImage& Picture() const;
  int PixelRatio() const { return ratio_; }
  // Draws the columns completed since the picture was last drawn (as Picture() and Paint() do
  // first).
  void DrawCompleted() const { DrawPending(); }
  // How far the picture has moved left in all, in the chart's pixels, and how many times it was
  // drawn anew whole (cleared, resized, restyled): a screen that shows the picture can move what
  // it shows by as much and draw only what came in at the right edge, and the left axis.
  std::uint64_t ScrolledPixels() const { return scrolled_; }
  std::uint64_t Redraws() const { return redraws_; }

  // Property setters: each stores a value that differs and redraws from the history.
  void SetForeColor(TColor color);
  void SetBackColor(TColor color);
  void SetAxisColor(TColor color);
  void SetRightYAxisColor(TColor color);
  void SetGridSize(int pixels);  // values below 2 become 2
  void SetStepSize(int pixels);  // values below 1 become 1; re-sizes the history
  // Stores RoundUp(value, Gradient); values are first brought into 1 .. 2^40 (the vertical
  // mapping divides by the scale).
  void SetScale(std::int64_t value);
  void SetGradient(std::int64_t value);  // values below 0 become 0
  void SetGridlines(bool on);
  void SetAxislines(bool on);
  void SetAxisCentre(bool on);
  void SetRightYAxislines(bool on);

  TColor ForeColor() const { return foreColor_; }
  TColor BackColor() const { return backColor_; }
  TColor AxisColor() const { return axisColor_; }
  TColor RightYAxisColor() const { return rightYAxisColor_; }
  int GridSize() const { return gridSize_; }
  int StepSize() const { return stepSize_; }
  std::int64_t Scale() const { return scale_; }
  std::int64_t Gradient() const { return gradient_; }
  bool Gridlines() const { return gridlines_; }
  bool Axislines() const { return axislines_; }
  bool AxisCentre() const { return axisCentre_; }
  bool RightYAxislines() const { return rightYAxislines_; }

  // The drawing state, for the window and for tests.
  bool Full() const { return full_; }
  int GridPhase() const { return gridPhase_; }
  int ColumnCount() const { return RingSize() - 2; }  // B
  // The y of value `v` on the current picture (not clipped).
  int ValueY(std::int64_t v) const;

 private:
  struct Point {
    TColor color;
    std::int64_t value;
  };
  struct Column {
    int count = 0;
    std::array<Point, kMaxPointsPerColumn> points;
  };

  int RingSize() const { return static_cast<int>(history_.size()); }
  int Prev(int index) const { return index == 0 ? RingSize() - 1 : index - 1; }
  int Next(int index) const { return index + 1 == RingSize() ? 0 : index + 1; }
  bool Drawable() const { return !picture_.isNull(); }
  int Width() const { return picture_.width() / ratio_; }
  int Height() const { return picture_.height() / ratio_; }
  int Offset() const { return axisCentre_ ? Height() / 2 : 1; }
  // The columns left of the right axis, which scroll: the ring the picture keeps them in.
  int RingWidth() const { return std::max(0, Width() - 1); }
  // Calls `copy(from, to, length)` for the stored columns that hold the picture's columns `x` to
  // `x` + `length` - 1: at most three runs, as the ring wraps and the right axis stays.
  template <typename Copy>
  void ForEachRun(int x, int length, Copy copy) const;

  // How many completed columns may wait to be drawn: each still lies wholly on the picture where
  // it ends up (a line cut at the edge is not quite the same line moved there), and the history
  // still holds the column before the oldest of them.
  int MaxPendingColumns() const { return std::max(1, (Width() - 2) / stepSize_); }
  // The ring index of the column completed `j` columns ago (0: the newest).
  int Completed(int j) const { return (current_ - 1 - j + 2 * RingSize()) % RingSize(); }

  void Initialize(int x0);
  void ShiftY();
  void DrawPending() const;
  void ScrollPicture(int pixels) const;
  // Draws the `count` newest completed columns.
  void DrawColumns(int count) const;
  void DisplayPoints(QPainter& painter, int column, int x1, int x2) const;
  void DrawHorizontalGrid(int x, int width) const;
  void DrawAxes() const;
  void Replay();
  void ReallocHistory();
  bool HistoryHoldsPoints() const;
  void FillRect(int x, int y, int width, int height, TColor color) const;

  TColor foreColor_ = kClDarkGreen;
  TColor backColor_ = kClBlack;
  TColor axisColor_ = kClYellow;
  TColor rightYAxisColor_ = kClYellow;
  int gridSize_ = 15;
  int stepSize_ = 5;
  std::int64_t scale_ = 200;
  std::int64_t gradient_ = 100;
  bool gridlines_ = true;
  bool axislines_ = true;
  bool axisCentre_ = true;
  bool rightYAxislines_ = true;

  QSize size_{800, 500};
  int ratio_ = 1;
  std::vector<Column> history_;
  int current_ = 0;
  int oldest_ = 1;
  bool full_ = false;
  int gridPhase_ = 0;
  // The picture drawn from the history, and what it does not show yet: the newest completed
  // columns, the scrolls they made and the grid phase before those scrolls.
  mutable QImage picture_;
  // Where the picture's column 0 is stored in picture_; the picture as Picture() gives it.
  mutable int origin_ = 0;
  mutable QImage unwrapped_;
  mutable bool unwrappedStale_ = true;
  mutable int pendingColumns_ = 0;
  mutable int pendingScrolls_ = 0;
  mutable int drawnGridPhase_ = 0;
  mutable std::uint64_t scrolled_ = 0;
  std::uint64_t redraws_ = 0;
  ChangeNotifier changed_;
};

}  // namespace ventari
