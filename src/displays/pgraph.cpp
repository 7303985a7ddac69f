#include "displays/pgraph.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace ventari {
namespace {

// Values and coordinates are bounded before they meet the integer mapping and the rasteriser:
// a value far off the chart still draws a line running off the edge, just a shorter one.
constexpr std::int64_t kValueLimit = std::int64_t{1} << 40;
constexpr std::int64_t kMaxScale = std::int64_t{1} << 40;
constexpr int kOffPictureLimit = 1 << 14;

}  // namespace

std::int64_t RoundUp(std::int64_t a, std::int64_t b) {
  if (b == 0 || a % b == 0) return a;
  return (a / b + 1) * b;
}

Tpgraph::Tpgraph() { Reset(); }

template <typename Copy>
void Tpgraph::ForEachRun(int x, int length, Copy copy) const {
  const int ring = RingWidth();
  const int end = x + length;
  const int ringEnd = std::min(end, ring);
  if (x < ringEnd) {
    const int stored = (x + origin_) % ring;
    const int first = std::min(ringEnd - x, ring - stored);
    copy(stored, x, first);
    if (first < ringEnd - x) copy(0, x + first, ringEnd - x - first);
  }
  const int fixed = std::max(x, ring);
  if (end > fixed) copy(fixed, fixed, end - fixed);
}

void Tpgraph::DataPoint(TColor color, std::int64_t value) {
  Column& column = history_[current_];
  if (column.count >= kMaxPointsPerColumn) throw std::out_of_range("");
  column.points[column.count++] = {color, value};
}

void Tpgraph::Update() {
  if (full_) {
    ++pendingScrolls_;
    // With a step wider than the grid one step can pass more than one vertical grid line.
    gridPhase_ -= stepSize_;
    while (gridPhase_ < 0) gridPhase_ += gridSize_;
  }
  ShiftY();
  ++pendingColumns_;
  // The columns still filling the picture are drawn before it starts to scroll.
  const bool reachesRightEdge = !full_ && current_ >= ColumnCount();
  if (reachesRightEdge || pendingColumns_ >= MaxPendingColumns()) DrawPending();
  if (reachesRightEdge) full_ = true;
  if (Drawable()) changed_.Notify();
}

void Tpgraph::Reset() {
  const int ringSize = size_.width() / stepSize_ + 2;
  if (RingSize() == ringSize) {
    for (Column& column : history_) column.count = 0;
  } else {
    history_.assign(ringSize, Column{});
  }
  full_ = false;
  gridPhase_ = 0;
  current_ = 0;
  oldest_ = 1;
  Initialize(gridSize_ - 1);
  changed_.Notify();
}

void Tpgraph::Paint(QPainter& painter, const QRect& area) {
  // A whole number of device pixels to a chart pixel keeps the grid lines even.
  const qreal deviceRatio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
  const int ratio = std::max(1, static_cast<int>(std::lround(deviceRatio)));
  if (ratio != ratio_ || picture_.size() != size_ * ratio) {
    ratio_ = ratio;
    Replay();
  }
  const QRect part = area & QRect(QPoint(0, 0), size_);
  if (!Drawable() || part.isEmpty()) return;
  DrawPending();
  const int r = ratio_;
  ForEachRun(part.x(), part.width(), [&](int stored, int x, int length) {
    painter.drawImage(QRect(x, part.y(), length, part.height()), picture_,
                      QRect(stored * r, part.y() * r, length * r, part.height() * r));
  });
}

const QImage& Tpgraph::Picture() const {
  DrawPending();
  if (origin_ == 0) return picture_;
  if (unwrappedStale_) {
    unwrapped_ = QImage(picture_.size(), picture_.format());
    unwrapped_.setDevicePixelRatio(ratio_);
    const auto r = static_cast<std::size_t>(ratio_);
    ForEachRun(0, Width(), [&](int stored, int x, int length) {
      for (int y = 0; y < picture_.height(); ++y) {
        std::memcpy(unwrapped_.scanLine(y) + x * r * sizeof(QRgb),
                    picture_.constScanLine(y) + stored * r * sizeof(QRgb),
                    length * r * sizeof(QRgb));
      }
    });
    unwrappedStale_ = false;
  }
  return unwrapped_;
}

int Tpgraph::ValueY(std::int64_t v) const {
  const std::int64_t h = Height();
  const std::int64_t k = axisCentre_ ? 2 : 1;
  const std::int64_t bounded = std::clamp(v, -kValueLimit, kValueLimit);
  const std::int64_t y = h - Offset() - h * bounded / (k * scale_);
  return static_cast<int>(std::clamp<std::int64_t>(y, -kOffPictureLimit, h + kOffPictureLimit));
}

void Tpgraph::Initialize(int x0) {
  if (picture_.size() != size_ * ratio_) {
    picture_ = size_.isEmpty() ? QImage() : QImage(size_ * ratio_, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio_);
  }
  pendingColumns_ = 0;
  pendingScrolls_ = 0;
  origin_ = 0;
  ++redraws_;
  if (Drawable()) {
    const int w = Width();
    const int h = Height();
    FillRect(0, 0, w, h, backColor_);
    if (gridlines_) {
      DrawHorizontalGrid(0, w);
      int x = x0;
      for (; x < w - 1; x += gridSize_) FillRect(x, 0, 1, h, foreColor_);
      gridPhase_ = x - (w - 1);
    }
    DrawAxes();
  }
  drawnGridPhase_ = gridPhase_;
}

void Tpgraph::DrawHorizontalGrid(int x, int width) const {
  const int h = Height();
  const int o = Offset();
  for (int y = o; y < h; y += gridSize_) FillRect(x, y, width, 1, foreColor_);
  for (int y = o - gridSize_; y > 0; y -= gridSize_) FillRect(x, y, width, 1, foreColor_);
}

void Tpgraph::DrawPending() const {
  if (pendingColumns_ == 0) return;
  if (Drawable()) {
    const int s = stepSize_;
    ScrollPicture(pendingScrolls_ * s);
    scrolled_ += static_cast<std::uint64_t>(pendingScrolls_) * static_cast<std::uint64_t>(s);
    if (gridlines_) {
      // Each scroll drew the vertical grid lines it passed, which the scrolls after it moved on.
      int phase = drawnGridPhase_;
      for (int later = pendingScrolls_ - 1; later >= 0; --later) {
        for (phase -= s; phase < 0; phase += gridSize_) {
          FillRect(Width() - 1 + phase - later * s, 0, 1, Height(), foreColor_);
        }
      }
    }
    DrawColumns(pendingColumns_);
    DrawAxes();
  }
  pendingColumns_ = 0;
  pendingScrolls_ = 0;
  drawnGridPhase_ = gridPhase_;
}

void Tpgraph::ScrollPicture(int pixels) const {
  if (pixels == 0) return;
  // The rightmost pixel column, the right axis, stays; the others move as the ring turns.
  const int w = Width();
  if (RingWidth() > 0) origin_ = static_cast<int>((origin_ + std::int64_t{pixels}) % RingWidth());
  unwrappedStale_ = true;
  const int left = std::max(0, w - 1 - pixels);
  FillRect(left, 0, w - 1 - left, Height(), backColor_);
  if (gridlines_) DrawHorizontalGrid(left, w - 1 - left);
}

void Tpgraph::ShiftY() {
  current_ = Next(current_);
  history_[current_].count = 0;
  oldest_ = Next(current_);
}

void Tpgraph::DrawColumns(int count) const {
  // Each column goes where live plotting puts it, oldest first so that the pixel two
  // neighbouring columns share shows the newer one.
  const int s = stepSize_;
  const int shift = full_ ? 0 : (ColumnCount() - current_) * s;
  unwrappedStale_ = true;
  QPainter painter(&picture_);
  // The ring holds the picture's first columns from origin_ on and the rest before it: the lines
  // are drawn into each part, each clipped to its own.
  const int ring = RingWidth();
  const struct {
    int from, to, offset;
  } parts[] = {{origin_, ring, origin_}, {0, origin_, origin_ - ring}};
  for (const auto& part : parts) {
    if (part.from >= part.to) continue;
    painter.resetTransform();
    painter.setClipRect(QRect(part.from, 0, part.to - part.from, Height()));
    painter.translate(part.offset, 0);
    for (int j = count - 1; j >= 0; --j) {
      const int x2 = Width() - 2 - j * s - shift;
      if (x2 >= 0) DisplayPoints(painter, Completed(j), x2 - s, x2);
    }
  }
}

void Tpgraph::DisplayPoints(QPainter& painter, int column, int x1, int x2) const {
  const Column& points = history_[column];
  const Column& before = history_[Prev(column)];
  for (int i = 0; i < points.count; ++i) {
    const Point& point = points.points[i];
    std::int64_t start = 0;
    for (int j = 0; j < before.count; ++j) {
      if (before.points[j].color == point.color) {
        start = before.points[j].value;
        break;
      }
    }
    painter.setPen(QColor::fromRgb(point.color));
    painter.drawLine(x1, ValueY(start), x2, ValueY(point.value));
  }
}

void Tpgraph::DrawAxes() const {
  if (!Drawable()) return;
  const int w = Width();
  const int h = Height();
  if (axislines_) {
    FillRect(0, 0, 1, h, axisColor_);
    FillRect(0, h - Offset(), w - 1, 1, axisColor_);
  }
  if (rightYAxislines_) FillRect(w - 1, 0, 1, h, rightYAxisColor_);
}

void Tpgraph::Replay() {
  if (RingSize() != size_.width() / stepSize_ + 2) ReallocHistory();
  const int w = size_.width();
  const int g = gridSize_;
  Initialize(((w - 1 + gridPhase_) % g + g) % g);
  if (!Drawable()) return;
  DrawColumns(ColumnCount());
  DrawAxes();
  changed_.Notify();
}

void Tpgraph::ReallocHistory() {
  const int newSize = size_.width() / stepSize_ + 2;
  std::vector<Column> ring(newSize);
  const int oldSize = RingSize();
  const int kept = std::min(oldSize, newSize);
  // Oldest first; the newest (the current column) lands on index 0.
  int from = oldest_;
  for (int i = 0; i < oldSize - kept; ++i) from = Next(from);
  for (int i = 0; i < kept; ++i) {
    ring[(1 + (newSize - kept) + i) % newSize] = history_[from];
    from = Next(from);
  }
  history_ = std::move(ring);
  current_ = 0;
  oldest_ = 1;
  // The column positions of a chart still filling no longer hold; what was kept is shown at the
  // right edge and plotting goes on from there.
  if (!full_ && HistoryHoldsPoints()) full_ = true;
}

bool Tpgraph::HistoryHoldsPoints() const {
  return std::any_of(history_.begin(), history_.end(),
                     [](const Column& column) { return column.count > 0; });
}

void Tpgraph::FillRect(int x, int y, int width, int height, TColor color) const {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + width, Width());
  const int bottom = std::min(y + height, Height());
  if (left >= right || top >= bottom) return;
  const int r = ratio_;
  uchar* bits = picture_.bits();
  const qsizetype stride = picture_.bytesPerLine();
  unwrappedStale_ = true;
  ForEachRun(left, right - left, [&](int stored, int, int length) {
    for (int row = top * r; row < bottom * r; ++row) {
      auto* line = reinterpret_cast<QRgb*>(bits + row * stride);
      std::fill(line + stored * r, line + (stored + length) * r, color);
    }
  });
}

void Tpgraph::SetForeColor(TColor color) {
  if (color == foreColor_) return;
  foreColor_ = color;
  Replay();
}

void Tpgraph::SetBackColor(TColor color) {
  if (color == backColor_) return;
  backColor_ = color;
  Replay();
}

void Tpgraph::SetAxisColor(TColor color) {
  if (color == axisColor_) return;
  axisColor_ = color;
  Replay();
}

void Tpgraph::SetRightYAxisColor(TColor color) {
  if (color == rightYAxisColor_) return;
  rightYAxisColor_ = color;
  Replay();
}

void Tpgraph::SetGridSize(int pixels) {
  pixels = std::max(pixels, 2);
  if (pixels == gridSize_) return;
  gridSize_ = pixels;
  Replay();
}

void Tpgraph::SetStepSize(int pixels) {
  pixels = std::max(pixels, 1);
  if (pixels == stepSize_) return;
  stepSize_ = pixels;
  Replay();
}

void Tpgraph::SetScale(std::int64_t value) {
  const std::int64_t scale = RoundUp(std::clamp<std::int64_t>(value, 1, kMaxScale), gradient_);
  if (scale == scale_) return;
  scale_ = scale;
  Replay();
}

void Tpgraph::SetGradient(std::int64_t value) {
  value = std::max<std::int64_t>(value, 0);
  if (value == gradient_) return;
  gradient_ = value;
  Replay();
}

void Tpgraph::SetGridlines(bool on) {
  if (on == gridlines_) return;
  gridlines_ = on;
  Replay();
}

void Tpgraph::SetAxislines(bool on) {
  if (on == axislines_) return;
  axislines_ = on;
  Replay();
}

void Tpgraph::SetAxisCentre(bool on) {
  if (on == axisCentre_) return;
  axisCentre_ = on;
  Replay();
}

void Tpgraph::SetRightYAxislines(bool on) {
  if (on == rightYAxislines_) return;
  rightYAxislines_ = on;
  Replay();
}

}  // namespace ventari
