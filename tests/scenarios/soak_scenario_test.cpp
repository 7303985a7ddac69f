// Long runs on virtual time: a two-axis anemometer streaming at 10 messages a second into every
// live window's model with segmented logging on, and the 50 Hz three-axis models streaming into
// the tabular display and its logs. Nothing may grow with time, and every message must reach
// the log files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "support/sim_session.h"
#include "triaxis/tri_axis_binary_decoder.h"

namespace ventari {
namespace {

using test::SimSession;

// VENTARI_SOAK_HOURS sets the length (24 for the full day); the suite runs a shorter one.
double SoakHours(double inTheSuite) {
  bool ok = false;
  const double hours = qEnvironmentVariable("VENTARI_SOAK_HOURS").toDouble(&ok);
  return ok && hours > 0 ? hours : inTheSuite;
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

  const auto hours = SoakHours(1.0);
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

struct TriAxisSoak {
  const char* port;
  bool binary;
  int pcAvgMinutes;
};

class TriAxisSoakScenario : public ::testing::TestWithParam<TriAxisSoak> {};

TEST_P(TriAxisSoakScenario, DaysOfFiftyHertzRecordsKeepMemoryBoundedAndLoseNoRecord) {
  const TriAxisSoak& c = GetParam();
  // Fast enough for fifty of the longest records a second.
  sim::InstrumentOptions options;
  options.baud = 115200;
  SimSession s(options);
  s.StoreSettings(QLatin1String(c.port), 115200);
  s.StartAndSearch(QLatin1String(c.port));
  ASSERT_TRUE(s.session.commands().discovery.Found());
  // Polar records with every optional field.
  s.Configure({"INST ON", c.binary ? "STRFMT BINARY" : "STRFMT ASCII PAD", "SOSREP SPEED",
               "ABSTEMP ON C", "ANAIP 1 E", "ANAIP 2 E", "ANAIP 3 E", "ANAIP 4 E", "ANAIP 5 E",
               "ANAIP 6 E"});
  TriAxisConfig& config = s.session.anemometer().triAxisConfig;
  ASSERT_EQ(config.IsBinary(), c.binary);
  config.PcAvgMinutes = c.pcAvgMinutes;
  TabularDisplay& tabular = s.session.displays().tabular;
  tabular.PcAveragingChanged();
  std::uint64_t records = 0;
  std::uint64_t lines = 0;
  s.session.decoding().triAxisData.onSample = [&](const TriAxisSample& sample) {
    records += sample.kind == TriAxisSample::Kind::kRecord ? 1 : 0;
    lines += sample.line ? 1 : 0;
  };
  ASSERT_TRUE(s.session.commands().liveCommands.Open(LiveWindowKind::kTabular));

  const double hours = SoakHours(0.25);
  const int segmentMinutes = hours >= 2 ? 60 : 5;
  if (!c.binary) {
    tabular.CbSegClick(true);
    tabular.SetSegInterval(segmentMinutes);
  }
  tabular.StartLogging(s.dir.filePath(c.binary ? "soak.bny" : "soak.log"));
  s.rt.SetDeadline(s.rt.NowMs() + static_cast<std::int64_t>((hours + 1) * 3'600'000));
  const std::int64_t stepMs = 300'000;
  std::size_t maxBuffered = 0;
  for (std::int64_t t = 0; t < static_cast<std::int64_t>(hours * 3'600'000); t += stepMs) {
    s.rt.RunFor(stepMs);
    maxBuffered = std::max(maxBuffered, s.session.link().matcherGroup.BufferedBytes());
    ASSERT_LE(tabular.ScreenLines().size(), TabularDisplay::kMaxScreenLines);
    if ((t + stepMs) % 3'600'000 == 0) {
      std::printf("[soak] %s hour %lld: %ld MiB resident\n", c.port,
                  static_cast<long long>((t + stepMs) / 3'600'000), ResidentMiB());
    }
  }
  ASSERT_TRUE(tabular.StopLogging());

  EXPECT_GT(records, static_cast<std::uint64_t>(hours * 3600 * 50 * 0.99));
  EXPECT_LT(maxBuffered, 256u);
  EXPECT_TRUE(s.prompts.Messages().empty());
  if (c.pcAvgMinutes > 0) {
    EXPECT_NEAR(static_cast<double>(lines), hours * 60 / c.pcAvgMinutes, 1.0);
  } else {
    EXPECT_EQ(lines, records);
  }

  if (c.binary) {
    // The identity and configuration texts, then one record a line shown.
    const TriAxisIdentity& identity = s.session.anemometer().triAxisIdentity;
    const qint64 header = identity.identityText.size() + identity.configurationText.size();
    EXPECT_EQ(QFileInfo(s.dir.filePath("soak.bny")).size(),
              header + static_cast<qint64>(lines) * (2 + TriAxisBinaryDecoder::RecordSize(config)));
    return;
  }
  // Seven header lines per file, then one line per line shown; a segment starts every
  // interval, the last one as logging stops.
  const QStringList files = QDir(s.dir.path())
                                .entryList({QStringLiteral("soak_%1_*.log").arg(segmentMinutes)},
                                           QDir::Files, QDir::Name);
  ASSERT_EQ(files.size(), static_cast<int>(std::floor(hours * 60 / segmentMinutes)) + 1);
  std::uint64_t logged = 0;
  for (const QString& file : files) logged += CountLines(s.dir.filePath(file)) - 7;
  EXPECT_EQ(logged, lines);
}

INSTANTIATE_TEST_SUITE_P(FiftyHertz, TriAxisSoakScenario,
                         ::testing::Values(TriAxisSoak{"sim:t7-50", false, 0},
                                           TriAxisSoak{"sim:t7-50", true, 1},
                                           TriAxisSoak{"sim:mz-50", false, 1},
                                           TriAxisSoak{"sim:mz-50", true, 0}),
                         [](const auto& info) {
                           return std::string(info.param.port + 4 /* "sim:" */).substr(0, 2) +
                                  (info.param.binary ? "Binary" : "Ascii") +
                                  (info.param.pcAvgMinutes > 0 ? "Averaged" : "");
                         });

}  // namespace
}  // namespace ventari
