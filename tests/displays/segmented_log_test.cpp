// The text log both live displays write: the names of its files, the header, the segments, a
// first file that cannot be created, and the question before segment files of an earlier run are
// replaced.
#include "displays/segmented_log.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "base/virtual_runtime.h"
#include "support/file_contents.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

using test::ScriptedPrompts;
const auto& Read = test::FileContents;

class SegmentedLogTest : public ::testing::Test {
 protected:
  SegmentedLogTest() { state.SerialNumber = "100235"; }

  // 09/12/2026 19:00:00 plus the virtual time.
  QDateTime Now() const {
    return QDateTime(QDate(2026, 12, 9), QTime(19, 0, 0)).addMSecs(rt.NowMs());
  }
  QString Path(const QString& name) const { return dir.filePath(name); }
  // A log whose header ends with "tail" and an empty line.
  std::unique_ptr<SegmentedLog> MakeLog(SegmentedLog::Creation creation) {
    auto self = std::make_shared<SegmentedLog*>(nullptr);
    auto log = std::make_unique<SegmentedLog>(
        rt, state, [this] { return Now(); }, creation,
        [this](const QString& message) { reports.append(message); },
        [self] {
          (*self)->Append("tail");
          (*self)->Append("");
        });
    *self = log.get();
    return log;
  }
  void WriteFile(const QString& name, const QByteArray& contents) {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(contents);
  }

  QTemporaryDir dir;
  VirtualRuntime rt;
  AnemState state;
  QStringList reports;
};

TEST(SegmentedLogNames, TheFilesAreNamedAfterTheChosenNameWithItsExtension) {
  const struct {
    const char* chosen;
    int minutes;  // 0: not segmented
    const char* first;
    const char* second;  // the next segment's
  } cases[] = {
      {"wind", 0, "wind.log", ""},
      {"wind.log", 0, "wind.log", ""},
      {"wind.txt", 0, "wind.txt", ""},
      {"logs/w", 0, "logs/w.log", ""},
      {"logs.d/w", 0, "logs.d/w.log", ""},
      {"wind", 60, "wind_60_0.log", "wind_60_1.log"},
      {"wind.log", 60, "wind_60_0.log", "wind_60_1.log"},
      {"run.txt", 1, "run_1_0.log", "run_1_1.log"},
      {"logs/w", 60, "logs/w_60_0.log", "logs/w_60_1.log"},
      {"logs/w.log", 360, "logs/w_360_0.log", "logs/w_360_1.log"},
      {"logs.d/w", 5, "logs.d/w_5_0.log", "logs.d/w_5_1.log"},
      // The four characters cut never reach into the folder.
      {"logs/a.b", 60, "logs/_60_0.log", "logs/_60_1.log"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.chosen) + " " + std::to_string(c.minutes));
    const QString name = SegmentedLog::WithExtension(c.chosen, SegmentedLog::kTextExtension);
    if (c.minutes == 0) {
      EXPECT_EQ(name, c.first);
      continue;
    }
    EXPECT_EQ(SegmentedLog::SegmentName(name, c.minutes, 0), c.first);
    EXPECT_EQ(SegmentedLog::SegmentName(name, c.minutes, 1), c.second);
  }
  EXPECT_EQ(SegmentedLog::WithExtension("wind", QLatin1String(".bny")), "wind.bny");
  EXPECT_EQ(SegmentedLog::WithExtension("wind.dat", QLatin1String(".bny")), "wind.dat");
}

TEST_F(SegmentedLogTest, TheFirstFileIsTheChosenNameOrSegmentZeroWithTheHeader) {
  const struct {
    const char* chosen;
    bool segmented;
    const char* file;
  } cases[] = {{"plain", false, "plain.log"},
               {"plain.txt", false, "plain.txt"},
               {"cut", true, "cut_60_0.log"},
               {"cut.log", true, "cut_60_0.log"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    auto log = MakeLog(SegmentedLog::Creation::kRequired);
    log->SetSegmented(c.segmented);
    ASSERT_TRUE(log->Start(Path(c.chosen)));
    EXPECT_TRUE(log->Writing());
    EXPECT_EQ(log->CurrentFile(), Path(c.file));
    log->Append("a line");
    EXPECT_TRUE(log->Stop());
    EXPECT_FALSE(log->Writing());
    EXPECT_EQ(Read(Path(c.file)),
              "09/12/2026   19:00:00\r\n\r\nSerial no.: 100235\r\n\r\ntail\r\n\r\na line\r\n");
    log->Append("after the stop");
    EXPECT_FALSE(Read(Path(c.file)).contains("after the stop"));
  }
  EXPECT_TRUE(reports.isEmpty());
}

TEST_F(SegmentedLogTest, EachSegmentStartsWithItsOwnHeaderWhenItsMinutesAreUp) {
  auto log = MakeLog(SegmentedLog::Creation::kHoldLines);
  log->SetSegmented(true);
  log->SetSegmentMinutes(2);
  ASSERT_TRUE(log->Start(Path("wind.log")));
  log->SetSegmentMinutes(5);  // not while writing
  EXPECT_EQ(log->SegmentMinutes(), 2);
  rt.RunFor(2 * 60000 - 1);
  EXPECT_EQ(log->CurrentFile(), Path("wind_2_0.log"));
  rt.RunFor(1);
  EXPECT_EQ(log->CurrentFile(), Path("wind_2_1.log"));
  log->Append("second");
  rt.RunFor(2 * 60000);
  EXPECT_TRUE(log->Stop());
  rt.RunFor(10 * 60000);  // no segment after the stop
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
            QStringList({"wind_2_0.log", "wind_2_1.log", "wind_2_2.log"}));
  EXPECT_EQ(Read(Path("wind_2_1.log")),
            "09/12/2026   19:02:00\r\n\r\nSerial no.: 100235\r\n\r\ntail\r\n\r\nsecond\r\n");
  EXPECT_TRUE(Read(Path("wind_2_2.log")).startsWith("09/12/2026   19:04:00\r\n"));
}

TEST_F(SegmentedLogTest, TheMinutesStayWithinOneTo360) {
  auto log = MakeLog(SegmentedLog::Creation::kHoldLines);
  EXPECT_EQ(log->SegmentMinutes(), 60);
  log->SetSegmentMinutes(0);
  EXPECT_EQ(log->SegmentMinutes(), 1);
  log->SetSegmentMinutes(361);
  EXPECT_EQ(log->SegmentMinutes(), 360);
}

TEST_F(SegmentedLogTest, AFileThatCannotBeCreatedStopsARequiredLogAndIsHeldForTheOther) {
  const QString file = Path("missing/run.log");
  auto required = MakeLog(SegmentedLog::Creation::kRequired);
  EXPECT_FALSE(required->Start(file));
  EXPECT_FALSE(required->Writing());
  EXPECT_EQ(required->FileName(), file);
  ASSERT_EQ(reports.size(), 1);
  EXPECT_TRUE(reports[0].startsWith("Cannot create the log file " + file + ": "));
  EXPECT_TRUE(reports[0].endsWith(". Logging has not started."));

  reports.clear();
  auto held = MakeLog(SegmentedLog::Creation::kHoldLines);
  EXPECT_TRUE(held->Start(file));
  EXPECT_TRUE(held->Writing());
  held->Append("kept");
  ASSERT_EQ(reports.size(), 1);
  EXPECT_TRUE(reports[0].startsWith("Cannot write the log file " + file));
  EXPECT_FALSE(held->Stop());
  EXPECT_EQ(held->HeldLines(), 7);
  ASSERT_TRUE(QDir().mkdir(Path("missing")));
  held.reset();  // what is held is written at the end
  EXPECT_TRUE(Read(file).endsWith("tail\r\n\r\nkept\r\n"));
}

TEST_F(SegmentedLogTest, TheSegmentOfAnEarlierRunReplacedFirstIsTheLowestNumberThatExists) {
  ASSERT_TRUE(QDir().mkdir(Path("logs")));
  const struct {
    QStringList existing;
    const char* chosen;
    int minutes;
    const char* found;  // "" none
  } cases[] = {
      {{}, "logs/w", 60, ""},
      {{"w.log", "w_5_0.log", "w_60.log", "w_60_.log", "w_60_x.log", "w_60_01.log", "w_60_-1.log",
        "x_60_0.log", "w_60_0.txt"},
       "logs/w",
       60,
       ""},
      {{"w_60_7.log", "w_60_12.log", "w_60_3.log"}, "logs/w", 60, "logs/w_60_3.log"},
      {{"w_60_0.log"}, "logs/w.log", 60, "logs/w_60_0.log"},
      {{"w_60_0.log"}, "logs/w.txt", 60, "logs/w_60_0.log"},
      {{"w_60_0.log"}, "logs/w", 61, ""},
      {{"w_60_0.log"}, "w", 60, ""},  // another folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.existing.join(' ').toStdString() + " " + c.chosen);
    QDir(Path("logs")).removeRecursively();
    ASSERT_TRUE(QDir().mkdir(Path("logs")));
    for (const QString& name : c.existing) WriteFile("logs/" + name, "earlier\r\n");
    const QString found = SegmentedLog::ExistingSegment(Path(c.chosen), c.minutes);
    EXPECT_EQ(found, *c.found ? Path(c.found) : QString());
  }
}

TEST_F(SegmentedLogTest, ReplacingSegmentsOfAnEarlierRunIsAskedOnceNamingTheFirst) {
  WriteFile("wind_60_1.log", "earlier one\r\n");
  WriteFile("wind_60_4.log", "earlier four\r\n");
  auto log = MakeLog(SegmentedLog::Creation::kHoldLines);
  ScriptedPrompts prompts;
  // Not segmented: the segment files stay whatever is chosen, and nothing is asked.
  EXPECT_TRUE(log->ConfirmReplacing(Path("wind.log"), prompts));
  log->SetSegmented(true);
  EXPECT_TRUE(log->ConfirmReplacing(Path("other.log"), prompts));
  EXPECT_TRUE(prompts.Messages().empty());

  prompts.answers = {PromptButton::kNo, PromptButton::kYes};
  EXPECT_FALSE(log->ConfirmReplacing(Path("wind.log"), prompts));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].caption, "Replace Log Files");
  EXPECT_TRUE(prompts.Messages()[0].text.contains(Path("wind_60_1.log")));
  EXPECT_FALSE(prompts.Messages()[0].text.contains("wind_60_4"));
  EXPECT_TRUE(log->ConfirmReplacing(Path("wind"), prompts));
  EXPECT_EQ(prompts.Messages().size(), 2u);
  // No answer given: the default is No.
  EXPECT_FALSE(log->ConfirmReplacing(Path("wind"), prompts));
  EXPECT_EQ(Read(Path("wind_60_1.log")), "earlier one\r\n");
}

}  // namespace
}  // namespace ventari
