// Under the dark palette every window's text reads on its background; under a light one the
// windows keep the colours they always had.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "support/dark_palette_scope.h"
#include "support/sim_session.h"
#include "ui/colour_contrast.h"
#include "ui/frm_alarm.h"
#include "ui/frm_data_display.h"
#include "ui/frm_ext_tests.h"
#include "ui/frm_graph.h"
#include "ui/frm_main.h"
#include "ui/frm_tab_disp.h"
#include "ui/frm_terminal.h"
#include "ui/frm_windsock.h"

namespace ventari {
namespace {

using test::DarkPaletteScope;
using test::SimSession;

struct WindowCase {
  const char* name;
  std::function<std::unique_ptr<QWidget>(Session&)> make;
};

const WindowCase kWindows[] = {
    {"main",
     [](Session& s) {
       return std::make_unique<TFrmMain>(s.window(), s.statusLine(), s.publishing());
     }},
    {"data display",
     [](Session& s) {
       return std::make_unique<TFrmDataDisplay>(s.displays().dataDisplay, nullptr);
     }},
    {"graph", [](Session& s) { return std::make_unique<TFrmGraph>(s.displays().graph); }},
    {"windsock",
     [](Session& s) { return std::make_unique<TFrmWindsock>(s.displays().windsockWindow); }},
    {"tabular", [](Session& s) { return std::make_unique<TFrmTabDisp>(s.displays().tabular); }},
    {"alarm", [](Session& s) { return std::make_unique<TFrmAlarm>(s.displays().alarm); }},
    {"terminal", [](Session& s) { return std::make_unique<TFrmTerminal>(s.link().terminal); }},
    {"extended tests",
     [](Session& s) { return std::make_unique<TFrmExtTests>(s.service().extTests, nullptr); }},
};

// The contrast of a widget's text on the background it is drawn on; widgets that set a
// background of their own in their style sheet (over a picture, a chart, a warning's red) keep
// fixed colours and are left out, as are disabled ones and those without text.
std::optional<double> Contrast(QWidget& widget) {
  widget.ensurePolished();
  if (!widget.isEnabled() || widget.styleSheet().contains(QLatin1String("background"))) {
    return std::nullopt;
  }
  const QPalette& p = widget.palette();
  if (qobject_cast<QAbstractScrollArea*>(&widget)) {
    return ContrastRatio(p.color(QPalette::Text), p.color(QPalette::Base));
  }
  QString text;
  if (auto* label = qobject_cast<QLabel*>(&widget)) text = label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) text = button->text();
  if (auto* box = qobject_cast<QGroupBox*>(&widget)) text = box->title();
  if (text.isEmpty()) return std::nullopt;
  return ContrastRatio(p.color(widget.foregroundRole()), p.color(widget.backgroundRole()));
}

TEST(DarkWindows, EveryWindowsTextReadsOnItsBackground) {
  const DarkPaletteScope dark;
  SimSession s;
  s.StartAndSearch(QStringLiteral("sim:kestrix2"));
  s.rt.RunFor(5'000);
  for (const WindowCase& c : kWindows) {
    const std::unique_ptr<QWidget> window = c.make(s.session);
    int read = 0;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(window.get())) continue;
      const std::optional<double> contrast = Contrast(*widget);
      if (!contrast) continue;
      ++read;
      EXPECT_GE(*contrast, kLegibleContrast) << c.name << ": " << widget->metaObject()->className()
                                             << " " << widget->objectName().toStdString();
    }
    EXPECT_GT(read, 0) << c.name;
  }
}

}  // namespace
}  // namespace ventari
