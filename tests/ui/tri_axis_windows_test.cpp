// The live windows showing a simulated three-axis anemometer's records: the table under its
// labels, and the graph and windsock beside it.
#include <gtest/gtest.h>

#include <QLabel>

#include "support/screenshot.h"
#include "support/sim_session.h"
#include "ui/fixed_pitch_lines.h"
#include "ui/frm_graph.h"
#include "ui/frm_tab_disp.h"
#include "ui/frm_windsock.h"

namespace ventari {
namespace {

using test::Keep;
using test::SimSession;

struct Look {
  const char* name;
  std::initializer_list<const char*> settings;
  int pcAvgMinutes = 0;
  bool logging = false;
  bool withGraphAndWindsock = false;
};

TEST(TriAxisWindows, TheTableGraphAndWindsockShowTheRecords) {
  const Look looks[] = {
      {"tabular_polar",
       {"WINDREP POLAR CAL", "SOSREP SPEED", "ABSTEMP ON C", "ANAIP 1 E", "ANAIP 2 E"},
       0,
       false,
       true},
      {"tabular_uvw", {"WINDREP UVW CAL", "SOSREP SONICTEMP C"}, 0, false, true},
      {"tabular_binary", {"STRFMT BINARY", "SOSREP SPEED", "ANAIP 1 E"}},
      {"tabular_averaged", {"WINDREP POLAR CAL", "ABSTEMP ON K", "ANAIP 3 E"}, 1},
      {"tabular_logging", {"WINDREP AXIS"}, 0, true},
  };
  for (const Look& look : looks) {
    SCOPED_TRACE(look.name);
    SimSession s;
    s.StartAndSearch(QStringLiteral("sim:t7"));
    ASSERT_TRUE(s.session.commands().discovery.Found());
    s.Configure(look.settings);
    LiveDisplays& displays = s.session.displays();
    Commands& commands = s.session.commands();
    s.session.anemometer().triAxisConfig.PcAvgMinutes = look.pcAvgMinutes;
    displays.tabular.PcAveragingChanged();

    TFrmTabDisp table(displays.tabular);
    TFrmGraph graph(displays.graph);
    TFrmWindsock windsock(displays.windsockWindow);
    commands.liveCommands.Open(LiveWindowKind::kTabular, [&table] { table.show(); });
    if (look.withGraphAndWindsock) {
      ASSERT_TRUE(commands.liveCommands.Graph().show);
      commands.liveCommands.Open(LiveWindowKind::kGraph, [&graph] { graph.show(); });
      commands.liveCommands.Open(LiveWindowKind::kWindsock, [&windsock] { windsock.show(); });
    }
    if (look.logging) {
      s.prompts.files.push_back(s.dir.filePath("look"));
      displays.tabular.BtnLoggingClick();
    }
    s.rt.RunFor(look.pcAvgMinutes > 0 ? 200'000 : 90'000);
    table.Sync();

    auto* memo = table.findChild<FixedPitchLines*>(QStringLiteral("Memo1"));
    ASSERT_NE(memo, nullptr);
    ASSERT_FALSE(displays.tabular.ScreenLines().empty());
    EXPECT_EQ(memo->Text().section('\n', -1), displays.tabular.ScreenLines().back());
    auto* header = table.findChild<QLabel*>(QStringLiteral("HeaderLabel"));
    // The same names, set over the columns.
    EXPECT_EQ(header->text().simplified(), displays.tabular.HeaderLabelText().simplified());
    EXPECT_EQ(table.findChild<QLabel*>(QStringLiteral("Label1"))->isVisible(),
              look.pcAvgMinutes == 0);
    Keep(table, look.name);
    if (look.withGraphAndWindsock) {
      graph.Sync();
      windsock.Sync();
      // Only polar records carry a direction for the windsock.
      EXPECT_EQ(displays.windsockWindow.CalvarnWindsock1().GetSampleCount() > 0,
                s.session.anemometer().triAxisConfig.ReportsPolar());
      Keep(graph, QStringLiteral("%1_graph").arg(look.name));
      Keep(windsock, QStringLiteral("%1_windsock").arg(look.name));
    }
    if (look.logging) displays.tabular.BtnLoggingClick();
  }
}

}  // namespace
}  // namespace ventari
