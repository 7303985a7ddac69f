#include "ui/read_out_label.h"

#include <QEvent>
#include <QGlyphRun>
#include <QPainter>
#include <QStyle>

#include "ui/guarded_handler.h"

namespace ventari {

void ReadOutLabel::paintEvent(QPaintEvent* event) {
  RunGuarded(this, [&] {
    if (!rawFont_.isValid()) rawFont_ = QRawFont::fromFont(font());
    const QList<quint32> glyphs = rawFont_.glyphIndexesForString(text());
    if (glyphs.isEmpty() || glyphs.contains(0) || textFormat() == Qt::RichText) {
      QLabel::paintEvent(event);
      return;
    }
    const QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(glyphs);
    QList<QPointF> positions;
    positions.reserve(advances.size());
    qreal width = 0;
    for (const QPointF& advance : advances) {
      positions.append(QPointF(width, 0));
      width += advance.x();
    }
    // Placed as a label places one line: by its alignment, within its margin and indent.
    QRect area = contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    // A framed label keeps its text half an x from the frame, unless told otherwise.
    int inset = indent();
    if (inset < 0 && frameWidth() > 0) {
      inset = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin();
    }
    if (inset > 0) {
      if (align & Qt::AlignLeft) area.setLeft(area.left() + inset);
      if (align & Qt::AlignRight) area.setRight(area.right() - inset);
      if (align & Qt::AlignTop) area.setTop(area.top() + inset);
      if (align & Qt::AlignBottom) area.setBottom(area.bottom() - inset);
    }
    qreal left = area.left();
    if (align & Qt::AlignHCenter) left += (area.width() - width) / 2;
    if (align & Qt::AlignRight) left += area.width() - width;
    const qreal height = rawFont_.ascent() + rawFont_.descent();
    qreal top = area.top();
    if (align & Qt::AlignVCenter) top += (area.height() - height) / 2;
    if (align & Qt::AlignBottom) top += area.height() - height;
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawGlyphRun(QPointF(qRound(left), qRound(top + rawFont_.ascent())), run);
  });
}

void ReadOutLabel::changeEvent(QEvent* event) {
  RunGuarded(this, [&] {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) rawFont_ = QRawFont();
  });
}

}  // namespace ventari
