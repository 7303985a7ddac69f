// The main window's status line and its word when no anemometer answered, read from the window
// through a run on virtual time against the simulator.
#include <gtest/gtest.h>

#include <QLabel>
#include <algorithm>
#include <vector>

#include "sim/faults.h"
#include "support/screenshot.h"
#include "support/sim_session.h"
#include "ui/frm_main.h"

namespace ventari {
namespace {

// What the status line's two lines said, each time they changed.
struct StatusLines {
  QString connection;
  QString flow;
  bool operator==(const StatusLines&) const = default;
};

class StatusLineReader {
 public:
  StatusLineReader(test::SimSession& s, TFrmMain& window) : window_(window) {
    // Read as soon as the model tells, also inside the search's waits.
    s.session.statusLine().Changed().Subscribe([this] { Read(); });
    Read();
  }
  std::vector<StatusLines> read;

 private:
  void Read() {
    window_.SyncStatus();
    StatusLines now{Text("StatusConnection"), Text("StatusFlow")};
    if (read.empty() || !(read.back() == now)) read.push_back(now);
  }
  QString Text(const char* name) {
    return window_.findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
  TFrmMain& window_;
};

TEST(StatusLine, TellsTheSearchTheAnemometerItsDataALossAndTheReturn) {
  sim::InstrumentOptions options;
  options.baud = 19200;  // found at the third try
  options.serialNumber = "012345";
  options.softwareVersion = "2.10";
  options.rateHz = 4;
  ASSERT_TRUE(sim::ApplyFault("vanish=40000", options.faults));
  ASSERT_TRUE(sim::ApplyFault("return=5000", options.faults));
  test::SimSession s(options);
  TFrmMain window(s.session.window(), s.session.statusLine(), s.session.publishing());
  window.show();
  StatusLineReader reader(s, window);
  s.StartAndSearch(QStringLiteral("sim:kestrix2"));
  s.rt.RunFor(10'000);
  window.SyncFromModel();
  window.SyncStatus();
  test::Keep(window, QStringLiteral("main_status_data"));
  // A log under way: its file, whole in the tooltip however the line cuts it.
  const QString log =
      s.dir.filePath(QStringLiteral("a-long-name-for-the-wind-log-of-this-run.log"));
  s.session.displays().dataDisplay.StartLogging(log);
  window.SyncStatus();
  auto* files = window.findChild<QLabel*>(QStringLiteral("StatusFiles"));
  EXPECT_FALSE(files->isHidden());
  EXPECT_EQ(files->toolTip(), "logging to " + log);
  test::Keep(window, QStringLiteral("main_status_logging"));
  s.session.displays().dataDisplay.StopLogging();
  s.rt.RunFor(50'000);

  const QString kestrix = QStringLiteral("Unheated Kestrix 2, serial 012345, firmware 2.10");
  const std::vector<StatusLines> expected = {
      {"sim:kestrix2 9600 8N1 | searching at 9600 baud, try 1 of 10", ""},
      {"sim:kestrix2 9600 8N1 | searching at 9600 baud, try 2 of 10", ""},
      {"sim:kestrix2 19200 8N1 | searching at 19200 baud, try 3 of 10", ""},
      {"sim:kestrix2 19200 8N1 | found, identifying", ""},
      {"sim:kestrix2 19200 8N1 | found", kestrix},
      // The first record at once, then the rate and age every half second.
      {"sim:kestrix2 19200 8N1 | found", kestrix + " | last 0.0 s ago"},
      {"sim:kestrix2 19200 8N1 | found", kestrix + " | 4.0 records/s, last 0.2 s ago"},
      {"sim:kestrix2 19200 8N1 | lost, waiting for it to return",
       kestrix + " | 4.0 records/s, last 2.0 s ago"},
      {"sim:kestrix2 19200 8N1 | lost, waiting for it to return",
       kestrix + " | 4.0 records/s, last 2.5 s ago"},
      {"sim:kestrix2 19200 8N1 | lost, waiting for it to return",
       kestrix + " | 4.0 records/s, last 5.0 s ago"},
      // The search after the return starts where the anemometer was.
      {"sim:kestrix2 19200 8N1 | searching at 19200 baud, try 1 of 10",
       kestrix + " | 4.0 records/s, last 5.0 s ago"},
      {"sim:kestrix2 19200 8N1 | found", kestrix + " | 4.0 records/s, last 0.1 s ago"},
  };
  // Each expected text was shown, in this order.
  auto at = reader.read.begin();
  for (const StatusLines& lines : expected) {
    at = std::find(at, reader.read.end(), lines);
    ASSERT_NE(at, reader.read.end())
        << lines.connection.toStdString() << " / " << lines.flow.toStdString();
  }
  EXPECT_EQ(reader.read.back().connection, "sim:kestrix2 19200 8N1 | found");
  // A 4 Hz stream over 40 s changed the line with the step, not with each record.
  EXPECT_LT(reader.read.size(), 60U);
}

TEST(StatusLine, NoAnemometerOnTheStoredPortSaysWhatToDoNext) {
  test::SimSession s;
  s.StoreSettings(QStringLiteral("/dev/ttyUSB0"), 9600);
  TFrmMain window(s.session.window(), s.session.statusLine(), s.session.publishing());
  s.session.OnFirstShow(s.session.AvailablePorts());
  s.session.commands().discovery.OnActivate();
  window.SyncFromModel();
  window.SyncStatus();
  test::Keep(window, QStringLiteral("main_no_anemometer"));

  EXPECT_EQ(s.prompts.Messages().size(), 1U) << "the search's own message stays";
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("StatusConnection"))->text(),
            "/dev/ttyUSB0 300 8N1 | no anemometer answered");
  auto* nextSteps = window.findChild<QLabel*>(QStringLiteral("NextSteps"));
  EXPECT_FALSE(nextSteps->isHidden());
  EXPECT_EQ(nextSteps->text(),
            "No anemometer answered on /dev/ttyUSB0 at any rate.\n"
            "Check that it is connected and powered, then choose its port under Ports in the menu "
            "bar, or try Ventari with a simulated anemometer: start it with --port sim:kestrix2");
}

}  // namespace
}  // namespace ventari
