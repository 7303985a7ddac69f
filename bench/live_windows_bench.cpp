// The live windows as a user runs them: a simulated anemometer streams records on virtual time
// and the open window is brought up to date every 40 ms and repaints what changed, as on a screen
// refreshed 25 times a second. Each benchmark iteration is one second of records; the counters give
// the CPU time per record and the share of a core the whole stream takes (the core's decoding
// included: "none" is that share with no window open).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QWidget>
#include <functional>
#include <memory>

#include "gui_application.h"
#include "support/sim_session.h"
#include "ui/frm_data_display.h"
#include "ui/frm_graph.h"
#include "ui/frm_tab_disp.h"
#include "ui/frm_windsock.h"

namespace ventari {
namespace {

using test::SimSession;

constexpr int kPaintIntervalMs = 40;
// Long enough for the tables to fill to their bound, as after a few minutes of a run.
constexpr int kWarmUpMs = 210'000;

enum class Window { kNone, kTabular, kDataDisplay, kGraph, kWindsock };

// An open window and how it is brought up to date.
struct Shown {
  std::unique_ptr<QWidget> widget;
  std::function<void()> sync;
};

Shown Open(SimSession& s, Window window) {
  LiveDisplays& displays = s.session.displays();
  LiveWindowCommands& commands = s.session.commands().liveCommands;
  Shown shown;
  switch (window) {
    case Window::kNone:
      return shown;
    case Window::kTabular: {
      auto* table = new TFrmTabDisp(displays.tabular);
      shown = {std::unique_ptr<QWidget>(table), [table] { table->Sync(); }};
      commands.Open(LiveWindowKind::kTabular, [table] { table->show(); });
      return shown;
    }
    case Window::kDataDisplay: {
      auto* text = new TFrmDataDisplay(displays.dataDisplay, nullptr);
      text->show();
      return {std::unique_ptr<QWidget>(text), [text] { text->Sync(); }};
    }
    case Window::kGraph: {
      auto* graph = new TFrmGraph(displays.graph);
      commands.Open(LiveWindowKind::kGraph, [graph] { graph->show(); });
      return {std::unique_ptr<QWidget>(graph), [graph] { graph->Sync(); }};
    }
    case Window::kWindsock: {
      auto* windsock = new TFrmWindsock(displays.windsockWindow);
      commands.Open(LiveWindowKind::kWindsock, [windsock] { windsock->show(); });
      return {std::unique_ptr<QWidget>(windsock), [windsock] { windsock->Sync(); }};
    }
  }
  return shown;
}

// `port` streaming at `rateHz` with `window` open.
void BM_LiveWindow(benchmark::State& state, const char* port, double rateHz, Window window) {
  EnsureGuiApplication();
  sim::InstrumentOptions options;
  options.rateHz = rateHz;
  SimSession s(options);
  s.StartAndSearch(QString::fromLatin1(port));
  if (!s.session.commands().discovery.Found()) {
    state.SkipWithError("the simulated anemometer was not found");
    return;
  }
  Shown shown = Open(s, window);
  s.rt.RunFor(kWarmUpMs);
  if (shown.sync) shown.sync();
  double seconds = 0;
  for (auto _ : state) {
    for (int ms = 0; ms < 1000; ms += kPaintIntervalMs) {
      s.rt.RunFor(kPaintIntervalMs);
      if (!shown.widget) continue;
      shown.sync();
      QCoreApplication::processEvents();
    }
    seconds += 1;
  }
  using benchmark::Counter;
  state.counters["cpu_per_record"] = Counter(seconds * rateHz, Counter::kIsRate | Counter::kInvert);
  state.counters["core_share"] = Counter(seconds, Counter::kIsRate | Counter::kInvert);
}

BENCHMARK_CAPTURE(BM_LiveWindow, t7_50Hz_none, "sim:t7-50", 50, Window::kNone)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LiveWindow, t7_50Hz_tabular, "sim:t7-50", 50, Window::kTabular)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LiveWindow, kestrix2_10Hz_none, "sim:kestrix2", 10, Window::kNone)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LiveWindow, kestrix2_10Hz_data_display, "sim:kestrix2", 10,
                  Window::kDataDisplay)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LiveWindow, kestrix2_10Hz_graph, "sim:kestrix2", 10, Window::kGraph)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LiveWindow, kestrix2_10Hz_windsock, "sim:kestrix2", 10, Window::kWindsock)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ventari
