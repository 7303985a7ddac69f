#include "ui/fixed_pitch_lines.h"

#include <QApplication>
#include <QClipboard>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "ui/guarded_handler.h"
#include "ui/steady_scroll_bar.h"

namespace ventari {

FixedPitchLines::FixedPitchLines(QWidget* parent)
    : QAbstractScrollArea(parent), vertical_(new SteadyScrollBar(Qt::Vertical, this)) {
  setVerticalScrollBar(vertical_);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  MeasureFont();
}

void FixedPitchLines::MeasureFont() {
  rawFont_ = QRawFont::fromFont(font());
  rowHeight_ = std::max(1, fontMetrics().lineSpacing());
  pitch_ = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
}

void FixedPitchLines::Show(const std::deque<QString>& lines, std::uint64_t added) {
  const auto size = static_cast<qsizetype>(lines.size());
  if (&lines == lines_ && added == added_ && size == held_) return;
  QScrollBar* bar = verticalScrollBar();
  const bool following = bar->value() >= bar->maximum();
  const std::uint64_t topLine = FirstHeld() + static_cast<std::uint64_t>(bar->value());
  const std::uint64_t fresh = std::min<std::uint64_t>(added - added_, lines.size());
  const bool replaced = size < held_ || &lines != lines_;
  // Emptied: the widest line is measured anew; otherwise only the new lines can be wider.
  const auto from = replaced ? lines.begin() : lines.end() - static_cast<std::ptrdiff_t>(fresh);
  if (from == lines.begin()) widestLine_ = 0;
  for (auto it = from; it != lines.end(); ++it) {
    widestLine_ = std::max(widestLine_, static_cast<int>(it->size()));
  }
  lines_ = &lines;
  held_ = size;
  added_ = added;
  if (selected_ && std::max(anchor_, end_) < FirstHeld()) selected_ = false;
  {
    const SteadyScrollBar::Batch together(*vertical_);
    UpdateRanges();
    bar->setValue(following || topLine < FirstHeld() ? bar->maximum()
                                                     : static_cast<int>(topLine - FirstHeld()));
  }
  // Lines shown anew, or new lines below the last row while the rows do not yet fill the view.
  if (replaced || held_ <= RowsInView() + 1) {
    pictureTop_ = FirstHeld() + static_cast<std::uint64_t>(TopRow());
    viewport()->update();
    return;
  }
  ScrollToTop();
}

void FixedPitchLines::scrollContentsBy(int dx, int dy) {
  RunGuarded(this, [&] {
    if (dx != 0) {
      pictureTop_ = FirstHeld() + static_cast<std::uint64_t>(TopRow());
      viewport()->update();
      return;
    }
    if (dy != 0) ScrollToTop();
  });
}

void FixedPitchLines::ScrollToTop() {
  const std::uint64_t top = FirstHeld() + static_cast<std::uint64_t>(TopRow());
  const int rowHeight = RowHeight();
  const QRect text(0, kMargin, viewport()->width(), std::max(0, viewport()->height() - kMargin));
  const std::uint64_t moved = top > pictureTop_ ? top - pictureTop_ : pictureTop_ - top;
  const bool up = top > pictureTop_;
  pictureTop_ = top;
  if (moved == 0) return;
  if (moved >= static_cast<std::uint64_t>(text.height() / rowHeight)) {
    viewport()->update();
    return;
  }
  // Each row lands where a whole repaint draws it: a whole number of rows from where it was.
  const int shift = static_cast<int>(moved) * rowHeight;
  viewport()->scroll(0, up ? -shift : shift, text);
  if (up) {
    // The row cut by the bottom edge was drawn only in part: it is drawn again with those below.
    const int cut = text.height() % rowHeight;
    viewport()->update(QRect(0, text.bottom() + 1 - shift - cut, text.width(), shift + cut));
  }
}

QString FixedPitchLines::Text() const { return Join(FirstHeld(), added_ - 1); }

QString FixedPitchLines::SelectedText() const {
  return selected_ ? Join(std::min(anchor_, end_), std::max(anchor_, end_)) : QString();
}

QString FixedPitchLines::Join(std::uint64_t first, std::uint64_t last) const {
  QString text;
  if (lines_ == nullptr || held_ == 0) return text;
  const std::uint64_t begin = std::max(first, FirstHeld()) - FirstHeld();
  const std::uint64_t end = std::min({last + 1 - FirstHeld(), static_cast<std::uint64_t>(held_),
                                      static_cast<std::uint64_t>(lines_->size())});
  for (std::uint64_t i = begin; i < end; ++i) {
    if (i > begin) text += QLatin1Char('\n');
    text += (*lines_)[i];
  }
  return text;
}

qsizetype FixedPitchLines::TopRow() const { return verticalScrollBar()->value(); }

int FixedPitchLines::RowsInView() const {
  return std::max(1, (viewport()->height() - kMargin) / RowHeight());
}

QPoint FixedPitchLines::TextOrigin() const {
  return viewport()->mapTo(this, QPoint(kMargin - horizontalScrollBar()->value(), kMargin));
}

void FixedPitchLines::UpdateRanges() {
  const int rows = RowsInView();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setPageStep(rows);
  const int maximum = static_cast<int>(std::max<qsizetype>(0, held_ - rows));
  {
    // A range that neither shows nor hides the bar is not told to the area, whose new layout
    // would repaint both bars with every line.
    const QSignalBlocker quiet((vertical->maximum() > 0) == (maximum > 0) ? vertical : nullptr);
    vertical->setRange(0, maximum);
  }
  QScrollBar* horizontal = horizontalScrollBar();
  const int width = qCeil(widestLine_ * Pitch()) + 2 * kMargin;
  horizontal->setPageStep(viewport()->width());
  horizontal->setSingleStep(qCeil(Pitch()));
  horizontal->setRange(0, std::max(0, width - viewport()->width()));
}

void FixedPitchLines::paintEvent(QPaintEvent* event) {
  RunGuarded(this, [&] {
    if (lines_ == nullptr) return;
    QPainter painter(viewport());
    const int rowHeight = RowHeight();
    const qreal pitch = Pitch();
    const qreal left = kMargin - horizontalScrollBar()->value();
    const int ascent = fontMetrics().ascent();
    const QRect area = event->rect();
    const qsizetype top = TopRow();
    const qsizetype first = top + std::max(0, area.top() - kMargin) / rowHeight;
    const qsizetype last =
        std::min<qsizetype>({top + (area.bottom() - kMargin) / rowHeight, held_ - 1,
                             static_cast<qsizetype>(lines_->size()) - 1});
    const std::uint64_t selectedFrom = std::min(anchor_, end_);
    const std::uint64_t selectedTo = std::max(anchor_, end_);
    QList<QPointF> positions;
    QGlyphRun run;
    run.setRawFont(rawFont_);
    for (qsizetype row = first; row <= last; ++row) {
      const QString& line = (*lines_)[static_cast<std::size_t>(row)];
      const int y = kMargin + static_cast<int>(row - top) * rowHeight;
      const std::uint64_t number = FirstHeld() + static_cast<std::uint64_t>(row);
      const bool selected = selected_ && number >= selectedFrom && number <= selectedTo;
      if (selected) {
        painter.fillRect(QRect(0, y, viewport()->width(), rowHeight), palette().highlight());
      }
      painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
      const QList<quint32> glyphs = rawFont_.glyphIndexesForString(line);
      positions.resize(glyphs.size());
      for (qsizetype i = 0; i < glyphs.size(); ++i) positions[i] = QPointF(left + i * pitch, 0);
      run.setGlyphIndexes(glyphs);
      run.setPositions(positions);
      painter.drawGlyphRun(QPointF(0, y + ascent), run);
    }
  });
}

void FixedPitchLines::resizeEvent(QResizeEvent* event) {
  RunGuarded(this, [&] {
    QAbstractScrollArea::resizeEvent(event);
    const bool following = verticalScrollBar()->value() >= verticalScrollBar()->maximum();
    UpdateRanges();
    if (following) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  });
}

void FixedPitchLines::changeEvent(QEvent* event) {
  RunGuarded(this, [&] {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    MeasureFont();
    UpdateRanges();
  });
}

std::uint64_t FixedPitchLines::LineAt(int y) const {
  const qsizetype row = TopRow() + std::max(0, y - kMargin) / RowHeight();
  return FirstHeld() + static_cast<std::uint64_t>(std::clamp<qsizetype>(row, 0, held_ - 1));
}

void FixedPitchLines::mousePressEvent(QMouseEvent* event) {
  RunGuarded(this, [&] {
    if (event->button() != Qt::LeftButton || held_ == 0) return;
    anchor_ = end_ = LineAt(qRound(event->position().y()));
    selected_ = false;
    viewport()->update();
  });
}

void FixedPitchLines::mouseMoveEvent(QMouseEvent* event) {
  RunGuarded(this, [&] {
    if (!(event->buttons() & Qt::LeftButton) || held_ == 0) return;
    end_ = LineAt(qRound(event->position().y()));
    selected_ = true;
    viewport()->update();
  });
}

void FixedPitchLines::keyPressEvent(QKeyEvent* event) {
  RunGuarded(this, [&] {
    if (event->matches(QKeySequence::Copy)) {
      if (selected_) QApplication::clipboard()->setText(SelectedText());
    } else if (event->matches(QKeySequence::SelectAll)) {
      selected_ = held_ > 0;
      anchor_ = FirstHeld();
      end_ = added_ - 1;
      viewport()->update();
    } else {
      QAbstractScrollArea::keyPressEvent(event);
    }
  });
}

}  // namespace ventari
