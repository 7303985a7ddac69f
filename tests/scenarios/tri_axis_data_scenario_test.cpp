// A three-axis anemometer's records flowing into the tabular display, its logs and the other
// live windows, end to end on virtual time against the simulated instruments.
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <optional>
#include <vector>

#include "sim/faults.h"
#include "sim/sim_device.h"
#include "support/file_contents.h"
#include "support/golden_file.h"
#include "support/sim_session.h"
#include "triaxis/tri_axis_binary_decoder.h"

namespace ventari {
namespace {

using test::FileContents;
using test::MatchesGolden;
using test::SimSession;
using Kind = TriAxisSample::Kind;

const QString kT7 = QStringLiteral("sim:t7");

class TriAxisDataScenario : public ::testing::Test {
 protected:
  // Finds the anemometer, sets it up, and from then on records what the windows got.
  void Start(std::initializer_list<const char*> settings, sim::Faults faults = {},
             const QString& port = kT7) {
    s.StartAndSearch(port);
    ASSERT_TRUE(s.session.commands().discovery.Found());
    if (settings.size() > 0) s.Configure(settings);
    s.InstrumentOn(port).Device().SetFaults(faults);
    TriAxisDataApplier& applier = s.session.decoding().triAxisData;
    applier.onSample = [this](const TriAxisSample& sample) {
      samples.push_back(sample);
      if (sample.alarmChecked) alarmChecks.push_back(*sample.alarmChecked);
    };
    s.session.displays().graph.pgraph1().Changed().Subscribe([this] { ++graphChanges; });
  }

  // One format of a test that tries several: the first finds the anemometer, with `first` set
  // too; the next ones only switch the format.
  void StartInFormat(const char* format, const char* first = nullptr) {
    if (s.session.commands().discovery.Found()) {
      s.Configure({format});
    } else if (first != nullptr) {
      Start({first, format});
    } else {
      Start({format});
    }
  }

  void OpenTabular() {
    Commands& commands = s.session.commands();
    ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kTabular));
  }

  void CloseTabular() {
    ASSERT_TRUE(tabular().FormCloseQuery());
    s.session.commands().liveCommands.Close(LiveWindowKind::kTabular);
  }

  TabularDisplay& tabular() { return s.session.displays().tabular; }

  std::vector<const TriAxisSample*> OfKind(Kind kind) const {
    std::vector<const TriAxisSample*> found;
    for (const auto& sample : samples) {
      if (sample.kind == kind) found.push_back(&sample);
    }
    return found;
  }

  SimSession s;
  std::vector<TriAxisSample> samples;
  std::vector<std::pair<double, double>> alarmChecks;
  int graphChanges = 0;
};

TEST_F(TriAxisDataScenario, PolarRecordsReachAllFourWindows) {
  Start({"WINDREP POLAR CAL", "STRFMT ASCII PAD"});
  s.InstrumentOn(kT7).Device().Wind().SetSequence({{.speed = 4.5, .direction = 123}});
  OpenTabular();
  Commands& commands = s.session.commands();
  for (auto open :
       {&LiveWindowCommands::Graph, &LiveWindowCommands::Windsock, &LiveWindowCommands::Alarm}) {
    ASSERT_TRUE((commands.liveCommands.*open)().startContinuous);
  }
  for (auto kind : {LiveWindowKind::kGraph, LiveWindowKind::kWindsock, LiveWindowKind::kAlarm}) {
    ASSERT_TRUE(commands.liveCommands.Open(kind));
  }
  samples.clear();
  s.rt.RunFor(10'000);

  const auto records = OfKind(Kind::kRecord);
  ASSERT_GE(records.size(), 8u);
  const QRegularExpression polarLine(
      QStringLiteral(R"(^\d\d [0-9A-F]{2}    123     04\.50    [+-]\d\d\.\d\d   $)"));
  for (const TriAxisSample* record : records) {
    ASSERT_TRUE(record->line);
    EXPECT_TRUE(polarLine.match(*record->line).hasMatch()) << record->line->toStdString();
    EXPECT_TRUE(record->fedWindsock);
  }
  EXPECT_EQ(tabular().ScreenLines().back(), *records.back()->line);
  EXPECT_EQ(tabular().StatusText(), "Status OK");
  EXPECT_EQ(s.session.displays().windsockWindow.CalvarnWindsock1().GetSampleCount(),
            static_cast<int>(records.size()));
  // Direction and speed to the alarm; three points and a repaint per record to the graph.
  ASSERT_EQ(alarmChecks.size(), records.size());
  EXPECT_EQ(alarmChecks.back(), std::pair(123.0, 4.5));
  EXPECT_GE(graphChanges, static_cast<int>(records.size()));
}

TEST_F(TriAxisDataScenario, UvwRecordsRaiseTheAlarmOnTheirComponents) {
  Start({"WINDREP UVW CAL", "STRFMT ASCII PAD"});
  // From the south at 5 m/s: the air goes north, V = 5.
  s.InstrumentOn(kT7).Device().Wind().SetSequence({{.speed = 5, .direction = 180}});
  ASSERT_TRUE(s.session.commands().liveCommands.Alarm().startContinuous);
  ASSERT_TRUE(s.session.commands().liveCommands.Open(LiveWindowKind::kAlarm));
  s.rt.RunFor(5000);

  ASSERT_GE(alarmChecks.size(), 3u);
  EXPECT_NEAR(alarmChecks.back().first, 0, 0.011);
  EXPECT_NEAR(alarmChecks.back().second, 5, 0.011);
  EXPECT_FALSE(OfKind(Kind::kRecord).back()->fedWindsock);
}

TEST_F(TriAxisDataScenario, AxisAndUnpaddedRecordsShowInTheTableOnly) {
  for (const char* format : {"STRFMT ASCII PAD", "STRFMT ASCII UNPAD"}) {
    SCOPED_TRACE(format);
    samples.clear();
    alarmChecks.clear();
    if (s.session.commands().discovery.Found()) {
      s.Configure({"WINDREP AXIS", format});
    } else {
      Start({"WINDREP AXIS", format});
    }
    OpenTabular();
    const int changesBefore = graphChanges;
    s.rt.RunFor(5000);
    CloseTabular();

    const auto records = OfKind(Kind::kRecord);
    ASSERT_GE(records.size(), 3u);
    // Unpadded fields are set at their padded widths, so both formats show alike.
    const QRegularExpression axisLine(
        QStringLiteral(R"(^\d\d [0-9A-F]{2}(   [+-]\d\d\.\d\d){3}   $)"));
    for (const TriAxisSample* record : records) {
      EXPECT_TRUE(axisLine.match(*record->line).hasMatch()) << record->line->toStdString();
      EXPECT_FALSE(record->fedWindsock);
    }
    EXPECT_TRUE(alarmChecks.empty());
    EXPECT_EQ(graphChanges, changesBefore);
  }
}

TEST_F(TriAxisDataScenario, BinaryRecordsWithSpeedOfSoundAndTwoInputsAreLoggedByteForByte) {
  Start({"STRFMT BINARY", "WINDREP POLAR CAL", "SOSREP SPEED", "ABSTEMP OFF", "ANAIP 1 E",
         "ANAIP 3 E"});
  OpenTabular();
  const QString name = s.dir.filePath("run");
  s.prompts.files.push_back(name);
  tabular().BtnLoggingClick();
  ASSERT_EQ(tabular().BtnLoggingCaption(), "&Stop Log");
  samples.clear();
  s.rt.RunFor(6000);
  tabular().BtnLoggingClick();
  EXPECT_EQ(tabular().Panel1Text(), "Log file closed.");

  // The file: the identity and configuration texts, then every record shown, as received.
  const QByteArray file = FileContents(name + ".bny");
  const TriAxisIdentity& identity = s.session.anemometer().triAxisIdentity;
  const QByteArray header = identity.identityText + identity.configurationText;
  ASSERT_TRUE(file.startsWith(header));
  const TriAxisConfig& config = s.session.anemometer().triAxisConfig;
  const int size = 2 + TriAxisBinaryDecoder::RecordSize(config);
  ASSERT_EQ(size, 17);
  const QByteArray body = file.mid(header.size());
  const auto records = OfKind(Kind::kRecord);
  ASSERT_GE(records.size(), 4u);
  ASSERT_EQ(body.size(), size * static_cast<qsizetype>(OfKind(Kind::kRecord).size()));
  for (std::size_t i = 0; i < records.size(); ++i) {
    const QByteArray record = body.mid(static_cast<qsizetype>(i) * size, size);
    ASSERT_TRUE(record.startsWith("\xBA\xBA")) << i;
    EXPECT_EQ(TriAxisBinaryDecoder(config).Decode(record.mid(2)).line, *records[i]->line) << i;
    ASSERT_EQ(records[i]->values.size(), 6u);
  }
  EXPECT_TRUE(MatchesGolden(file, QStringLiteral("scenarios/golden/tabular_binary.bny")));
}

TEST_F(TriAxisDataScenario, OneMinuteOfPcAveragingGivesOneAveragedLineAMinute) {
  for (const char* format : {"STRFMT ASCII PAD", "STRFMT BINARY"}) {
    SCOPED_TRACE(format);
    samples.clear();
    StartInFormat(format, "WINDREP UVW CAL");
    s.session.anemometer().triAxisConfig.PcAvgMinutes = 1;
    tabular().PcAveragingChanged();
    OpenTabular();
    s.rt.RunFor(150'000);
    CloseTabular();

    // The record after each minute ends the period and is part of its average.
    const auto averaged = OfKind(Kind::kAveraged);
    ASSERT_EQ(averaged.size(), 2u);
    EXPECT_EQ(tabular().ScreenLines().size(), 2u);
    std::vector<double> sums(3);
    int counted = 0;
    std::size_t next = 0;
    for (const TriAxisSample& sample : samples) {
      if (sample.kind == Kind::kAveraged) {
        ASSERT_LT(next, averaged.size());
        for (std::size_t field = 0; field < 3; ++field) {
          EXPECT_NEAR(*averaged[next]->values[field], sums[field] / counted, 0.0051) << next;
        }
        sums.assign(3, 0);
        counted = 0;
        ++next;
        continue;
      }
      ASSERT_EQ(sample.kind, Kind::kRecord);
      EXPECT_FALSE(sample.line);
      for (std::size_t field = 0; field < 3; ++field) sums[field] += *sample.values[field];
      ++counted;
    }
    EXPECT_EQ(tabular().HeaderLabelText(), "U,V,W");
    s.session.anemometer().triAxisConfig.PcAvgMinutes = 0;
    tabular().PcAveragingChanged();
  }
}

TEST_F(TriAxisDataScenario, AWindSwingingAcrossNorthAveragesToNorth) {
  for (const char* format : {"STRFMT ASCII PAD", "STRFMT BINARY"}) {
    SCOPED_TRACE(format);
    samples.clear();
    StartInFormat(format, "WINDREP POLAR CAL");
    s.InstrumentOn(kT7).Device().Wind().SetSequence(
        {{.speed = 5, .direction = 350}, {.speed = 5, .direction = 10}});
    s.session.anemometer().triAxisConfig.PcAvgMinutes = 1;
    OpenTabular();
    s.rt.RunFor(150'000);
    CloseTabular();

    // The lines in the table, and so in the log and the averaged binary records.
    const auto averaged = OfKind(Kind::kAveraged);
    ASSERT_EQ(averaged.size(), 2u);
    for (const TriAxisSample* sample : averaged) {
      ASSERT_TRUE(sample->values[0]) << sample->line->toStdString();
      const double direction = *sample->values[0];
      EXPECT_LE(std::min(direction, 360 - direction), 1.0) << sample->line->toStdString();
      EXPECT_NEAR(*sample->values[1], 5.0, 0.0051);
    }
    s.session.anemometer().triAxisConfig.PcAvgMinutes = 0;
  }
}

TEST_F(TriAxisDataScenario, ARejectedRecordFirstAfterThePeriodEndStillGivesThePeriodItsLineOnTime) {
  Start({"WINDREP UVW CAL", "STRFMT ASCII PAD"});
  s.session.anemometer().triAxisConfig.PcAvgMinutes = 1;
  tabular().PcAveragingChanged();
  std::optional<std::int64_t> firstRecordAt;
  std::vector<std::int64_t> averagedAt;
  s.session.decoding().triAxisData.onSample = [&](const TriAxisSample& sample) {
    samples.push_back(sample);
    if (sample.kind == Kind::kRecord && !firstRecordAt) firstRecordAt = s.rt.NowMs();
    if (sample.kind == Kind::kAveraged) averagedAt.push_back(s.rt.NowMs());
  };
  for (const char* fault : {"malformed=1", "blocked=1"}) {
    SCOPED_TRACE(fault);
    samples.clear();
    firstRecordAt.reset();
    averagedAt.clear();
    OpenTabular();
    const QString name = s.dir.filePath(QStringLiteral("rejected_%1.log").arg(fault[0]));
    tabular().StartLogging(name);
    for (int waited = 0; !firstRecordAt && waited < 5000; waited += 10) s.rt.RunFor(10);
    ASSERT_TRUE(firstRecordAt);

    // The records at 60 s and 61 s after the first are spoilt: at least the second of them
    // arrives after the period's timer ran out.
    const std::int64_t periodEnd = *firstRecordAt + 60'000;
    s.rt.RunFor(periodEnd - 500 - s.rt.NowMs());
    sim::Faults faults;
    ASSERT_TRUE(sim::ApplyFault(fault, faults));
    s.InstrumentOn(kT7).Device().SetFaults(faults);
    s.rt.RunFor(2000);
    s.InstrumentOn(kT7).Device().SetFaults({});
    s.rt.RunFor(*firstRecordAt + 150'000 - s.rt.NowMs());
    ASSERT_TRUE(tabular().StopLogging());
    CloseTabular();

    EXPECT_GE(OfKind(fault[0] == 'm' ? Kind::kMalformed : Kind::kBlocked).size(), 1u);
    // The period's line comes with the first accepted record after its end, and the log holds
    // both periods' lines and no empty line.
    ASSERT_EQ(averagedAt.size(), 2u);
    EXPECT_LE(averagedAt[0], periodEnd + 2500);
    const auto averaged = OfKind(Kind::kAveraged);
    const QStringList lines = QString::fromLatin1(FileContents(name)).split("\r\n");
    const qsizetype header = lines.indexOf(QStringLiteral("U,V,W"));
    ASSERT_GE(header, 0);
    EXPECT_EQ(lines.mid(header + 1),
              QStringList({*averaged[0]->line, *averaged[1]->line, QString()}));
  }
}

TEST_F(TriAxisDataScenario, AFiftyHertzWindsocksTwoMinuteWindowSpansTwoMinutesOfRecords) {
  const QString t7_50 = QStringLiteral("sim:t7-50");
  Start({"WINDREP POLAR CAL", "STRFMT ASCII PAD", "INST ON"}, {}, t7_50);
  WindsockWindowModel& windsock = s.session.displays().windsockWindow;
  windsock.SelectAveraging(WindsockWindowModel::kTwoMinutes);
  ASSERT_TRUE(s.session.commands().liveCommands.Open(LiveWindowKind::kWindsock));
  EXPECT_EQ(windsock.SamplesPerSecond(), 50);
  EXPECT_EQ(windsock.CalvarnWindsock1().NumRollingAveSamples(), 6000);

  // The window warms up for two minutes of records, not for 2.4 s.
  s.rt.RunFor(119'000);
  EXPECT_TRUE(windsock.CalvarnWindsock1().WaitingTextShown());
  s.rt.RunFor(2000);
  EXPECT_FALSE(windsock.CalvarnWindsock1().WaitingTextShown());
}

TEST_F(TriAxisDataScenario, AOneMinuteSegmentedLogStoppedAfterTwoAndAHalfMinutesGivesThreeFiles) {
  Start({"WINDREP POLAR CAL", "STRFMT ASCII PAD"});
  OpenTabular();
  tabular().CbSegClick(true);
  tabular().SetSegInterval(1);
  const QString name = s.dir.filePath("run.log");
  tabular().StartLogging(name);
  samples.clear();
  s.rt.RunFor(150'000);
  ASSERT_TRUE(tabular().StopLogging());

  EXPECT_FALSE(QFile::exists(name));
  QStringList logged;
  for (const char* file : {"run_1_0.log", "run_1_1.log", "run_1_2.log"}) {
    const QStringList lines =
        QString::fromLatin1(FileContents(s.dir.filePath(file))).split(QStringLiteral("\r\n"));
    ASSERT_GT(lines.size(), 7) << file;
    EXPECT_EQ(lines[2], "Serial no.: " + s.session.anemometer().state.SerialNumber);
    EXPECT_TRUE(lines[4].startsWith("Output rate: "));
    EXPECT_EQ(lines[6], "Sa Sb     Dir      Mag       W  ");
    EXPECT_EQ(lines.back(), "");  // every line ends with CR LF
    logged += lines.mid(7, lines.size() - 8);
  }
  EXPECT_FALSE(QFile::exists(s.dir.filePath("run_1_3.log")));
  // Every record shown is in a file, in order.
  QStringList shown;
  for (const TriAxisSample& sample : samples) shown << *sample.line;
  EXPECT_EQ(logged, shown);
  EXPECT_TRUE(MatchesGolden(FileContents(s.dir.filePath("run_1_0.log")),
                            QStringLiteral("scenarios/golden/tabular_ascii.log")));
}

TEST_F(TriAxisDataScenario, ARecordStalledForMinutesIsDroppedAndTheRecordsAfterItFlow) {
  for (const char* format : {"STRFMT ASCII PAD", "STRFMT BINARY"}) {
    SCOPED_TRACE(format);
    StartInFormat(format);
    OpenTabular();
    const RecordCounts before = s.session.decoding().recordCounts;
    sim::Faults stall;
    stall.stallAfterMs = s.rt.NowMs() + 3000;
    stall.resumeAfterMs = 130'000;
    s.InstrumentOn(kT7).Device().SetFaults(stall);
    s.rt.RunFor(134'000);
    samples.clear();
    s.rt.RunFor(5000);
    CloseTabular();

    EXPECT_GE(OfKind(Kind::kRecord).size(), 4u);
    EXPECT_EQ(OfKind(Kind::kRecord).size(), samples.size());
    EXPECT_EQ(s.session.decoding().recordCounts.incomplete, before.incomplete + 1);
  }
}

TEST_F(TriAxisDataScenario, ABinaryRecordWithABadCheckByteIsDroppedAloneAndCounted) {
  sim::Faults faults;
  faults.malformed = 0.2;
  Start({"STRFMT BINARY", "WINDREP UVW CAL"}, faults);
  const RecordCounts& counts = s.session.decoding().recordCounts;
  const std::uint64_t badBefore = counts.bad;
  OpenTabular();
  const QString name = s.dir.filePath("run");
  s.prompts.files.push_back(name);
  tabular().BtnLoggingClick();
  s.rt.RunFor(60'000);
  tabular().BtnLoggingClick();

  // Status addresses run 0 to 10 record by record, bad records too: every record shown is the
  // one after those shown and dropped before it.
  int next = -1;
  for (const TriAxisSample& sample : samples) {
    if (sample.kind == Kind::kRecord) {
      EXPECT_TRUE(next < 0 || sample.status->address == next) << next;
      next = sample.status->address;
    }
    if (next >= 0) next = (next + 1) % 11;
  }
  const std::uint64_t bad = counts.bad - badBefore;
  EXPECT_GE(bad, 5u);
  EXPECT_EQ(OfKind(Kind::kBad).size(), bad);
  EXPECT_EQ(tabular().StatusText(), QStringLiteral("Status OK - %1 bad records dropped").arg(bad));
  // The file holds the records shown, each whole and good.
  const TriAxisConfig& config = s.session.anemometer().triAxisConfig;
  const TriAxisIdentity& identity = s.session.anemometer().triAxisIdentity;
  const QByteArray body =
      FileContents(name + ".bny")
          .mid(identity.identityText.size() + identity.configurationText.size());
  const int size = 2 + TriAxisBinaryDecoder::RecordSize(config);
  ASSERT_EQ(body.size(), size * static_cast<qsizetype>(OfKind(Kind::kRecord).size()));
  for (qsizetype at = 0; at < body.size(); at += size) {
    EXPECT_EQ(TriAxisBinaryDecoder(config).Decode(body.mid(at + 2, size - 2)).outcome,
              TriAxisBinaryRecord::Outcome::kUsable);
  }
}

TEST_F(TriAxisDataScenario, ClosingOneOfTwoWindowsKeepsTheRecordsComingTheLastStopsThem) {
  Start({"WINDREP POLAR CAL", "MSGMODE POLL"});
  OpenTabular();
  Commands& commands = s.session.commands();
  ASSERT_TRUE(commands.liveCommands.Open(LiveWindowKind::kWindsock));

  commands.liveCommands.Close(LiveWindowKind::kWindsock);
  const auto linesBefore = tabular().LinesShown();
  s.rt.RunFor(5000);
  EXPECT_GE(tabular().LinesShown(), linesBefore + 4);

  const std::int64_t closed = s.rt.NowMs();
  CloseTabular();
  EXPECT_EQ(s.tap.SentSince(closed), "IM\rMSGMODE POLL\rEXIT\r");
  const auto linesAfter = tabular().LinesShown();
  s.rt.RunFor(5000);
  EXPECT_EQ(tabular().LinesShown(), linesAfter);
}

TEST_F(TriAxisDataScenario, AListingThatTimesOutStillStartsTheRecords) {
  Start({"WINDREP POLAR CAL"});
  // The listing never comes: the device answers CONFIG after the wait is over.
  s.InstrumentOn(kT7).Device().SetProcessingMs(4000);
  OpenTabular();
  s.InstrumentOn(kT7).Device().SetProcessingMs(sim::SimDevice::kDefaultProcessingMs);
  EXPECT_FALSE(s.session.link().matchers.TriAxisPkt.Enabled());
  samples.clear();
  s.rt.RunFor(10'000);
  EXPECT_GE(OfKind(Kind::kRecord).size(), 4u);
  EXPECT_TRUE(OfKind(Kind::kMalformed).empty());
}

TEST_F(TriAxisDataScenario, ALogThatCannotBeCreatedSaysSoAndDoesNotRun) {
  Start({});
  OpenTabular();
  s.prompts.files.push_back(s.dir.filePath("no/such/folder/run.log"));
  tabular().BtnLoggingClick();
  s.rt.RunFor(2000);
  EXPECT_EQ(tabular().BtnLoggingCaption(), "&Logging");
  EXPECT_EQ(tabular().Panel1Text(), "Log file not created.");
  ASSERT_FALSE(s.prompts.Messages().empty());
  EXPECT_TRUE(s.prompts.Messages().back().text.startsWith("Cannot create the log file"));
  EXPECT_EQ(s.prompts.Messages().back().caption, "File Error");
  EXPECT_TRUE(tabular().FormCloseQuery());
}

}  // namespace
}  // namespace ventari
