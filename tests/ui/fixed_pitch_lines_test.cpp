// The view of a model's lines draws the newest rows, keeps a scrolled-up view on its lines while
// the oldest are dropped, and copies whole lines; a line more costs its bars no repaint.
#include "ui/fixed_pitch_lines.h"

#include <QtCore/qtestsupport_core.h>
#include <QtWidgets/qtestsupport_widgets.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>

#include "base/bounded_lines.h"
#include "support/event_recorder.h"

namespace ventari {
namespace {

using Lines = BoundedLines<50>;

struct View {
  View() {
    lines.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lines.resize(300, 200);
    lines.show();
  }
  QImage Picture() { return lines.viewport()->grab().toImage(); }
  FixedPitchLines lines;
};

void Add(Lines& lines, int from, int to) {
  for (int i = from; i < to; ++i) lines.Add(QStringLiteral("%1 +01.23 -00.45").arg(i));
}

TEST(FixedPitchLinesTest, TheRowsInViewAreTheNewestUnlessScrolledUp) {
  Lines model;
  View view;
  Add(model, 0, 100);
  view.lines.Show(model.Lines(), model.Added());
  const int rows = view.lines.RowsInView();
  ASSERT_LT(rows, 40);
  EXPECT_EQ(view.lines.TopRow(), 50 - rows);
  EXPECT_EQ(view.lines.LineCount(), 50);

  // The same picture as a view holding only the last rows.
  Lines last;
  View reference;
  for (auto it = model.Lines().end() - rows; it != model.Lines().end(); ++it) last.Add(*it);
  reference.lines.Show(last.Lines(), last.Added());
  EXPECT_EQ(view.Picture(), reference.Picture());

  view.lines.verticalScrollBar()->setValue(5);  // line 55 at the top
  Add(model, 100, 103);
  view.lines.Show(model.Lines(), model.Added());
  EXPECT_EQ(view.lines.TopRow(), 2);
  EXPECT_TRUE(view.lines.Text().startsWith(QStringLiteral("53 ")));

  model.Clear();
  view.lines.Show(model.Lines(), model.Added());
  EXPECT_EQ(view.lines.LineCount(), 0);
  EXPECT_EQ(view.lines.Text(), QString());
}

// What the screen shows after the rows were moved, against the view drawn anew, as the lines
// come and as the user scrolls back, with a row cut by the bottom edge.
TEST(FixedPitchLinesTest, RowsMovedOnTheScreenLandWhereARepaintDrawsThem) {
  Lines model;
  View view;
  const int row = view.lines.fontMetrics().lineSpacing();
  view.lines.resize(300, FixedPitchLines::kMargin + 12 * row + row / 2 + 20);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view.lines));
  Add(model, 0, 60);
  view.lines.Show(model.Lines(), model.Added());
  QWidget* port = view.lines.viewport();
  const auto onScreen = [&view, port] {
    QCoreApplication::processEvents();
    const QPoint at = port->mapTo(&view.lines, QPoint(0, 0));
    return view.lines.screen()
        ->grabWindow(view.lines.winId(), at.x(), at.y(), port->width(), port->height())
        .toImage();
  };
  onScreen();
  for (const int more : {1, 3, 2}) {
    Add(model, model.Added(), model.Added() + more);
    view.lines.Show(model.Lines(), model.Added());
    EXPECT_EQ(onScreen(), view.Picture()) << more << " lines more";
  }
  for (const int value : {20, 22, 17}) {
    view.lines.verticalScrollBar()->setValue(value);
    EXPECT_EQ(onScreen(), view.Picture()) << "scrolled to " << value;
  }
}

TEST(FixedPitchLinesTest, WholeLinesAreSelectedAndCopied) {
  Lines model;
  View view;
  Add(model, 0, 5);
  view.lines.Show(model.Lines(), model.Added());
  QWidget* port = view.lines.viewport();
  const int row = view.lines.fontMetrics().lineSpacing();
  const auto mouse = [port](QEvent::Type type, int y, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(20, y), port->mapToGlobal(QPointF(20, y)), Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(port, &event);
  };
  const auto keys = [&view](QKeySequence::StandardKey key) {
    const QKeyCombination combination = QKeySequence(key)[0];
    QKeyEvent event(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
    QApplication::sendEvent(&view.lines, &event);
  };
  mouse(QEvent::MouseButtonPress, FixedPitchLines::kMargin + row + 1, Qt::LeftButton);
  mouse(QEvent::MouseMove, FixedPitchLines::kMargin + 3 * row + 1, Qt::LeftButton);
  keys(QKeySequence::Copy);
  EXPECT_EQ(QApplication::clipboard()->text(), "1 +01.23 -00.45\n2 +01.23 -00.45\n3 +01.23 -00.45");
  keys(QKeySequence::SelectAll);
  keys(QKeySequence::Copy);
  EXPECT_EQ(QApplication::clipboard()->text(), view.lines.Text());
  EXPECT_EQ(view.lines.Text().count('\n'), 4);
}

TEST(FixedPitchLinesTest, ScrollBarsShowOnlyWhenTheLinesDoNotFit) {
  Lines model;
  FixedPitchLines view;
  Add(model, 0, 3);
  view.Show(model.Lines(), model.Added());  // before the view has its size
  view.resize(300, 200);
  view.show();
  // The scroll area shows and hides its bars on the next turn of the event loop.
  QCoreApplication::processEvents();
  EXPECT_FALSE(view.verticalScrollBar()->isVisible());
  EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
  Add(model, 3, 50);
  model.Add(QString(100, QLatin1Char('0')));
  view.Show(model.Lines(), model.Added());
  QCoreApplication::processEvents();
  EXPECT_TRUE(view.verticalScrollBar()->isVisible());
  EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
}

TEST(FixedPitchLinesTest, LinesAddedBelowRepaintTheBarOnlyWhereItsHandleMoved) {
  BoundedLines<2000> model;
  FixedPitchLines view;
  view.resize(300, 400);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  for (int i = 0; i < 200; ++i) model.Add(QString(60, QLatin1Char('0' + i % 10)));
  view.Show(model.Lines(), model.Added());
  // The bars come on the next turn of the event loop and are painted on the one after.
  QTest::qWait(50);
  test::EventRecorder vertical(QEvent::Paint), horizontal(QEvent::Paint);
  QScrollBar* bar = view.verticalScrollBar();
  bar->installEventFilter(&vertical);
  view.horizontalScrollBar()->installEventFilter(&horizontal);
  // The handle shrinks by a pixel every few lines.
  for (int i = 0; i < 20; ++i) {
    model.Add(QStringLiteral("one more"));
    view.Show(model.Lines(), model.Added());
    QCoreApplication::processEvents();
  }
  EXPECT_GT(vertical.count, 0);
  EXPECT_LT(vertical.count, 10);
  for (const QRect& area : vertical.areas) EXPECT_LT(area.height(), bar->height() / 2);
  EXPECT_EQ(horizontal.count, 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  // Nothing of the handle's earlier places is left on the screen (the style draws its outline
  // outside the handle's own rectangle).
  const QPoint at = bar->mapTo(&view, QPoint(0, 0));
  EXPECT_EQ(view.screen()
                ->grabWindow(view.winId(), at.x(), at.y(), bar->width(), bar->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32),
            bar->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace ventari
