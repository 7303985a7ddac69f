// The windows a user sees most, with data flowing, in the light and the dark palette, kept as
// screenshots when VENTARI_SCREENSHOTS names a folder; run again with QT_SCALE_FACTOR=2 for a
// scaled screen. Whatever the scale, every widget lies inside its window and the charts and
// pictures are drawn in the screen's own pixels.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QWidget>
#include <cmath>

#include "support/dark_palette_scope.h"
#include "support/screenshot.h"
#include "support/sim_session.h"
#include "ui/frm_alarm.h"
#include "ui/frm_data_display.h"
#include "ui/frm_graph.h"
#include "ui/frm_main.h"
#include "ui/frm_tab_disp.h"
#include "ui/frm_windsock.h"

namespace ventari {
namespace {

using test::DarkPaletteScope;
using test::SimSession;

// Shows `window`, checks that nothing in it is cut off at its edge and keeps its picture as
// "<name>_<light|dark>_x<device pixel ratio>".
void Shoot(QWidget& window, const char* name, bool dark) {
  window.show();
  QCoreApplication::processEvents();
  const QRect inside = window.rect();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisibleTo(&window) || child->isWindow()) continue;
    const QRect at(child->mapTo(&window, QPoint(0, 0)), child->size());
    EXPECT_TRUE(inside.contains(at)) << name << ": " << child->metaObject()->className() << " "
                                     << child->objectName().toStdString();
  }
  for (QLabel* picture : window.findChildren<QLabel*>()) {
    if (picture->pixmap().isNull()) continue;
    EXPECT_EQ(picture->pixmap().devicePixelRatio(), window.devicePixelRatio())
        << name << ": " << picture->objectName().toStdString();
  }
  test::Keep(window,
             QStringLiteral("%1_%2_x%3")
                 .arg(QLatin1String(name), dark ? QStringLiteral("dark") : QStringLiteral("light"))
                 .arg(std::lround(window.devicePixelRatio())));
}

TEST(Screenshots, TheLiveWindowsLightAndDark) {
  for (const bool dark : {false, true}) {
    SCOPED_TRACE(dark ? "dark" : "light");
    const DarkPaletteScope palette(dark);
    SimSession s;
    s.StartAndSearch(QStringLiteral("sim:kestrix2"));
    LiveDisplays& displays = s.session.displays();
    LiveWindowCommands& live = s.session.commands().liveCommands;
    TFrmMain main(s.session.window(), s.session.statusLine(), s.session.publishing());
    TFrmDataDisplay data(displays.dataDisplay, nullptr);
    TFrmGraph graph(displays.graph);
    TFrmWindsock windsock(displays.windsockWindow);
    TFrmAlarm alarm(displays.alarm);
    live.Open(LiveWindowKind::kGraph);
    live.Open(LiveWindowKind::kWindsock);
    live.Open(LiveWindowKind::kAlarm);
    s.rt.RunFor(30'000);
    data.Sync();
    Shoot(main, "main", dark);
    Shoot(data, "data_display", dark);
    Shoot(graph, "graph", dark);
    Shoot(windsock, "windsock", dark);
    Shoot(alarm, "alarm", dark);
    (void)graph.grab();
    EXPECT_EQ(displays.graph.pgraph1().PixelRatio(), std::lround(graph.devicePixelRatio()));

    SimSession t7;
    t7.StartAndSearch(QStringLiteral("sim:t7"));
    TFrmTabDisp table(t7.session.displays().tabular);
    t7.session.commands().liveCommands.Open(LiveWindowKind::kTabular);
    t7.rt.RunFor(30'000);
    table.Sync();
    Shoot(table, "tabular", dark);
  }
}

}  // namespace
}  // namespace ventari
