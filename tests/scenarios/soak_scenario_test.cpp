// A long run on virtual time: a two-axis anemometer streaming at 10 messages a second into every
// live window's model with segmented logging on. Nothing may grow with time, and every message
// must reach the log files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/sim_session.h"

namespace ventari {
namespace {

using test::SimSession;

// VENTARI_SOAK_HOURS sets the length (24 for the full day); the suite runs a shorter one.
double SoakHours() {
  bool ok = false;
  const double hours = qEnvironmentVariable("VENTARI_SOAK_HOURS").toDouble(&ok);
  return ok && hours > 0 ? hours : 1.0;
}

// The resident memory of this process in MiB (0 where the system does not tell).
long ResidentMiB() {
  QFile statm("/proc/self/statm");
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toLong() * 4096 / (1024 * 1024) : 0;
}

int CountLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  return static_cast<int>(file.readAll().count("\r\n"));
}

TEST(SoakScenario, DaysOfDataKeepMemoryBoundedAndLoseNoLogLine) {
  sim::InstrumentOptions options;
  options.rateHz = 10;
  SimSession s(options);
  s.StartAndSearch("sim:kestrix2");
  ASSERT_TRUE(s.session.commands().discovery.Found());
  s.session.displays().windsockWindow.SelectAveraging(WindsockWindowModel::kTenMinutes);
  s.session.displays().graph.pgraph1().SetSize(QSize(615, 449));

  DataDisplay& display = s.session.displays().dataDisplay;
  display.CbSegClick(true);
  display.SetSegInterval(60);
  const QString logName = s.dir.filePath("soak.log");
  display.StartLogging(logName);
  const std::uint64_t linesBefore = display.LinesShown();

  const auto hours = SoakHours();
  s.rt.SetDeadline(s.rt.NowMs() + static_cast<std::int64_t>((hours + 1) * 3'600'000));
  const std::int64_t stepMs = 600'000;
  std::size_t maxBuffered = 0;
  for (std::int64_t t = 0; t < static_cast<std::int64_t>(hours * 3'600'000); t += stepMs) {
    s.rt.RunFor(stepMs);
    maxBuffered = std::max(maxBuffered, s.session.link().matcherGroup.BufferedBytes());
    ASSERT_LE(display.ScreenLines().size(), DataDisplay::kMaxScreenLines);
    if ((t + stepMs) % 3'600'000 == 0) {
      std::printf("[soak] hour %lld: %ld MiB resident\n",
                  static_cast<long long>((t + stepMs) / 3'600'000), ResidentMiB());
    }
  }
  display.StopLogging();
  const std::uint64_t logged = display.LinesShown() - linesBefore;

  // 10 messages a second, a few lost only to the discarded backlog.
  EXPECT_GT(logged, static_cast<std::uint64_t>(hours * 3600 * 10 * 0.95));
  EXPECT_LT(maxBuffered, 256u);
  EXPECT_LE(s.session.displays().windsockWindow.CalvarnWindsock1().GetSampleCount(), 6000);
  EXPECT_TRUE(s.prompts.Messages().empty());

  // Every message is in the files: six header lines per file, one line per message.
  const QStringList files =
      QDir(s.dir.path()).entryList({"soak_60_*.log"}, QDir::Files, QDir::Name);
  // A segment starts on every hour, the last one as logging stops.
  ASSERT_EQ(files.size(), static_cast<int>(std::floor(hours)) + 1);
  std::uint64_t lines = 0;
  for (const QString& file : files) lines += CountLines(s.dir.filePath(file)) - 6;
  EXPECT_EQ(lines, logged);
}

}  // namespace
}  // namespace ventari
