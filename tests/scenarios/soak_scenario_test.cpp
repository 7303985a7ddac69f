// Long runs on virtual time: a two-axis anemometer streaming at 10 messages a second into every
// live window's model with segmented logging on, and the 50 Hz three-axis models streaming into
// the tabular display and its logs. Nothing may grow with time, and every message must reach
// the log files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <deque>
#include <string>
#include <vector>

#include "link/record_collector.h"
#include "support/sim_session.h"
#include "triaxis/tri_axis_binary_decoder.h"
#include "triaxis/tri_axis_config.h"
#include "triaxisconfig/tri_axis_setup.h"

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

namespace ventari {
namespace {

using test::SimSession;

// What the simulator sent against what reached the log: every record sent whole while the
// program held the port and the anemometer is in the log once, in order, and the log holds
// nothing else. Records are matched as the log grows, so nothing here grows with the run.
class SentAgainstLog {
 public:
  SentAgainstLog(Runtime& runtime, int periodMs) : runtime_(runtime), periodMs_(periodMs) {}

  void Sent(QByteArray record) {
    pending_.push_back({runtime_.NowMs(), std::move(record)});
    ++sent_;
  }
  // Whether the program is without the port or the anemometer (lost, searching, in Setup).
  void SetAway(bool away) {
    if (away && !away_) awaySince_.push_back(runtime_.NowMs());
    if (!away && away_) awayUntil_.push_back(runtime_.NowMs());
    away_ = away;
  }
  // The records logged since the last call, in order.
  void Logged(const std::vector<QByteArray>& records) {
    for (const QByteArray& record : records) {
      const auto found = std::find_if(pending_.begin(), pending_.end(),
                                      [&](const Record& sent) { return sent.record == record; });
      if (found == pending_.end()) {
        ++strangers_;
        continue;
      }
      while (pending_.begin() != found) Skip();
      pending_.pop_front();
      ++matched_;
    }
  }
  // Logging ended: what is left was never logged.
  void Finish() {
    while (!pending_.empty()) Skip();
  }

  std::uint64_t sent() const { return sent_; }
  std::uint64_t matched() const { return matched_; }
  std::uint64_t missing() const { return missing_; }
  std::uint64_t strangers() const { return strangers_; }
  std::size_t pending() const { return pending_.size(); }

 private:
  struct Record {
    std::int64_t atMs;
    QByteArray record;
  };
  // A record that is not in the log: missing unless it was sent around a time away. Its
  // bytes may wait for the line a period and take another.
  void Skip() {
    const std::int64_t from = pending_.front().atMs - periodMs_;
    const std::int64_t to = pending_.front().atMs + 2 * periodMs_;
    bool around = false;
    for (std::size_t i = 0; i < awaySince_.size() && !around; ++i) {
      const std::int64_t until = i < awayUntil_.size() ? awayUntil_[i] : INT64_MAX;
      around = awaySince_[i] <= to && until >= from;
    }
    missing_ += around ? 0 : 1;
    pending_.pop_front();
  }

  Runtime& runtime_;
  int periodMs_;
  std::deque<Record> pending_;
  bool away_ = false;
  std::vector<std::int64_t> awaySince_;
  std::vector<std::int64_t> awayUntil_;
  std::uint64_t sent_ = 0;
  std::uint64_t matched_ = 0;
  std::uint64_t missing_ = 0;
  std::uint64_t strangers_ = 0;
};

// The bytes a log file gained since the last call.
class LogTail {
 public:
  explicit LogTail(QString path) : path_(std::move(path)) {}
  QByteArray Next() {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset_)) return {};
    const QByteArray bytes = file.readAll();
    offset_ += bytes.size();
    return bytes;
  }

 private:
  QString path_;
  qint64 offset_ = 0;
};

struct DayWithFaults {
  const char* name;
  const char* port;
  int baud;
  double rateHz;
  // A three-axis anemometer sends binary records with every optional field, into the tabular
  // display's binary log; a two-axis one logs through the data display.
  bool triAxis;
};

// One round of faults every quarter of an hour, from its first minute: the line stalls inside a
// record for two and a half minutes; the port is lost for half a minute; it is lost again, and
// once more as the anemometer is searched for on its return; Setup is asked for another output
// format while the log runs. Throughout, a record now and then loses its tail.
constexpr int kRoundMinutes = 15;
constexpr int kStallMinute = 1;
constexpr int kLossMinute = 5;
constexpr int kTwoLossesMinute = 8;
constexpr int kFormatMinute = 12;
constexpr double kTailLost = 0.002;

class DayWithFaultsScenario : public ::testing::TestWithParam<DayWithFaults> {};

TEST_P(DayWithFaultsScenario, EveryWholeRecordSentWhileThePortWasThereIsLoggedOnceInOrder) {
  const DayWithFaults& c = GetParam();
  sim::InstrumentOptions options;
  options.baud = c.baud;
  options.rateHz = c.rateHz;
  options.faults.truncate = kTailLost;
  SimSession s(options);
  const QString port = QLatin1String(c.port);
  s.StoreSettings(port, c.baud);
  s.StartAndSearch(port);
  ASSERT_TRUE(s.session.commands().discovery.Found());
  if (c.triAxis) {
    s.Configure({"INST ON", "STRFMT BINARY", "SOSREP SPEED", "ABSTEMP ON C", "ANAIP 1 E",
                 "ANAIP 2 E", "ANAIP 3 E", "ANAIP 4 E", "ANAIP 5 E", "ANAIP 6 E"});
    ASSERT_TRUE(s.session.commands().liveCommands.Open(LiveWindowKind::kTabular));
  }
  sim::Instrument& instrument = s.InstrumentOn(port);
  const int periodMs = static_cast<int>(1000 / c.rateHz);
  SentAgainstLog check(s.rt, periodMs);
  instrument.Device().SetSentHandler([&](const std::string& message) {
    // A two-axis log line is the message between its STX and ETX.
    QByteArray record = QByteArray::fromStdString(message);
    if (!c.triAxis) record = record.left(record.indexOf('\x03')).mid(1).trimmed();
    check.Sent(std::move(record));
  });
  PortRecovery& recovery = s.session.recovery();
  SerialPort& serial = s.session.link().port;
  bool inSetup = false;
  const auto away = [&] { check.SetAway(inSetup || !serial.IsOpen() || recovery.Waiting()); };
  serial.AddStateConsumer([&](bool) { away(); });
  // The second loss comes as the search on the port's return starts.
  bool loseOnReturn = false;
  int losses = 0;
  QString notice;
  s.session.window().Changed().Subscribe([&] {
    away();
    const QString& now = s.session.window().PortNotice();
    losses += now != notice && now.endsWith("lost - waiting for it to return") ? 1 : 0;
    notice = now;
    if (!loseOnReturn || !s.session.window().PortNotice().contains("looking for the anemometer"))
      return;
    loseOnReturn = false;
    s.rt.Schedule(200, [&] {
      instrument.Line().Vanish();
      s.rt.Schedule(20'000, [&] { instrument.Line().Return(); });
    });
  });

  const QString log = s.dir.filePath(c.triAxis ? "day.bny" : "day.log");
  LogTail tail(log);
  QByteArray unread;
  TabularDisplay& tabular = s.session.displays().tabular;
  DataDisplay& display = s.session.displays().dataDisplay;
  if (c.triAxis) {
    tabular.StartLogging(log);
  } else {
    display.SetTimestamped(false);
    display.StartLogging(log);
  }
  const TriAxisConfig& config = s.session.anemometer().triAxisConfig;
  const TriAxisIdentity& identity = s.session.anemometer().triAxisIdentity;
  const qsizetype binaryHeader = identity.identityText.size() + identity.configurationText.size();
  const qsizetype recordSize = 2 + TriAxisBinaryDecoder::RecordSize(config);
  bool headerRead = false;
  // The records the log gained.
  const auto readLog = [&] {
    unread += tail.Next();
    std::vector<QByteArray> records;
    if (c.triAxis) {
      if (!headerRead && unread.size() >= binaryHeader) {
        unread.remove(0, binaryHeader);
        headerRead = true;
      }
      qsizetype used = 0;
      for (; headerRead && unread.size() - used >= recordSize; used += recordSize) {
        records.push_back(unread.mid(used, recordSize));
      }
      unread.remove(0, used);
    } else {
      qsizetype end = 0;
      while ((end = unread.indexOf("\r\n")) >= 0) {
        const QByteArray line = unread.left(end);
        if (line.startsWith("Q,")) records.push_back(line);
        unread.remove(0, end + 2);
      }
    }
    check.Logged(records);
  };

  const double hours = SoakHours(c.triAxis ? 0.25 : 0.5);
  const int minutes = static_cast<int>(hours * 60);
  s.rt.SetDeadline(s.rt.NowMs() + static_cast<std::int64_t>((hours + 1) * 3'600'000));
  std::size_t maxBuffered = 0;
  std::size_t maxPending = 0;
  int refusals = 0;
  for (int minute = 0; minute < minutes; ++minute) {
    const int inRound = minute % kRoundMinutes;
    if (inRound == kStallMinute) {
      sim::Faults faults = options.faults;
      faults.stallAfterMs = s.rt.NowMs() + 10'000;
      faults.resumeAfterMs = 150'000;
      instrument.Device().SetFaults(faults);
    } else if (inRound == kLossMinute) {
      instrument.Line().Vanish();
      s.rt.Schedule(30'000, [&] { instrument.Line().Return(); });
    } else if (inRound == kTwoLossesMinute) {
      loseOnReturn = true;
      instrument.Line().Vanish();
      s.rt.Schedule(20'000, [&] { instrument.Line().Return(); });
    } else if (inRound == kFormatMinute && c.triAxis) {
      TriAxisSetup& setup = s.session.commands().setup;
      inSetup = true;
      away();
      setup.Open();
      refusals += setup.Choose(kStrFormatChoice, 1) ? 0 : 1;
      setup.Close();
      s.session.link().channel.Delay(500);
      inSetup = false;
      away();
    }
    s.rt.RunFor(60'000);
    readLog();
    maxBuffered = std::max(maxBuffered, s.session.link().matcherGroup.BufferedBytes());
    maxPending = std::max(maxPending, check.pending());
    ASSERT_LE(display.ScreenLines().size(), DataDisplay::kMaxScreenLines);
    ASSERT_LE(tabular.ScreenLines().size(), TabularDisplay::kMaxScreenLines);
    if ((minute + 1) % 60 == 0) {
      std::printf("[soak] %s hour %d: %ld MiB resident, %zu bytes held by the matchers\n", c.name,
                  (minute + 1) / 60, ResidentMiB(), s.session.link().matcherGroup.BufferedBytes());
    }
  }
  if (c.triAxis) {
    ASSERT_TRUE(tabular.StopLogging());
  } else {
    display.StopLogging();
  }
  readLog();
  check.Finish();

  const RecordCounts& counts = s.session.decoding().recordCounts;
  std::printf(
      "[soak] %s: %llu records sent whole, %llu logged; dropped %llu incomplete, %llu bad\n",
      c.name, static_cast<unsigned long long>(check.sent()),
      static_cast<unsigned long long>(check.matched()),
      static_cast<unsigned long long>(counts.incomplete),
      static_cast<unsigned long long>(counts.bad));
  EXPECT_GT(check.matched(), static_cast<std::uint64_t>(hours * 3600 * c.rateHz * 0.6));
  EXPECT_EQ(check.missing(), 0u) << "records sent while the port was there but never logged";
  EXPECT_EQ(check.strangers(), 0u) << "logged records never sent whole, or logged twice";
  EXPECT_TRUE(unread.isEmpty()) << "a part of a record at the end of the log";
  EXPECT_GT(counts.incomplete, 0u);
  EXPECT_LT(maxBuffered, 256u);
  EXPECT_LT(maxPending, static_cast<std::size_t>(c.rateHz * 600)) << "the check keeps up";
  EXPECT_FALSE(recovery.Waiting());
  const int oneLoss = (minutes + kRoundMinutes - 1 - kLossMinute) / kRoundMinutes;
  const int twoLosses = (minutes + kRoundMinutes - 1 - kTwoLossesMinute) / kRoundMinutes;
  EXPECT_EQ(losses, oneLoss + 2 * twoLosses);
  // The only messages are the refusals of the format change.
  const int rounds = (minutes + kRoundMinutes - 1 - kFormatMinute) / kRoundMinutes;
  EXPECT_EQ(refusals, c.triAxis ? rounds : 0);
  ASSERT_EQ(s.prompts.Messages().size(), static_cast<std::size_t>(refusals));
  for (const auto& message : s.prompts.Messages()) {
    EXPECT_EQ(message.text, QStringLiteral("Stop logging before changing the output format."));
  }
}

INSTANTIATE_TEST_SUITE_P(
    DayWithFaults, DayWithFaultsScenario,
    ::testing::Values(DayWithFaults{"kestrix2", "sim:kestrix2", 9600, 10, false},
                      DayWithFaults{"t7-50", "sim:t7-50", 115200, 50, true}),
    [](const auto& info) { return std::string(info.param.triAxis ? "TriAxisBinary" : "TwoAxis"); });

}  // namespace
}  // namespace ventari
