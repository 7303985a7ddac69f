#include "displays/data_display.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <ctime>

#include "base/virtual_runtime.h"
#include "support/file_contents.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

using test::ScriptedPrompts;
const auto& Read = test::FileContents;

class DataDisplayTest : public ::testing::Test {
 protected:
  DataDisplayTest() { state.SerialNumber = "100235"; }

  // 09/12/2026 19:00:00 plus the virtual time.
  QDateTime Now() const {
    return QDateTime(QDate(2026, 12, 9), QTime(19, 0, 0)).addMSecs(rt.NowMs());
  }
  QString Path(const char* name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  VirtualRuntime rt;
  ScriptedPrompts prompts;
  AnemState state;
  MainMenu menu;
  DataDisplay display{rt, prompts, state, menu, [this] { return Now(); }};
};

TEST_F(DataDisplayTest, TheScreenShowsTrimmedRecordsAndKeepsTheNewest) {
  display.ShowRecord(
      "\x02Q,271,003.45,M,00,\x03"
      "1C\r\n");
  EXPECT_EQ(display.ScreenLines().back(),
            "Q,271,003.45,M,00,\x03"
            "1C");
  for (std::size_t i = 0; i < DataDisplay::kMaxScreenLines + 5; ++i)
    display.ShowRecord("\x02x\x03");
  EXPECT_EQ(display.ScreenLines().size(), DataDisplay::kMaxScreenLines);
  EXPECT_EQ(display.LinesShown(), DataDisplay::kMaxScreenLines + 6);
}

TEST_F(DataDisplayTest, ATimestampedLogHasTheHeaderThenStampedLinesAsTheyArrive) {
  prompts.files.push_back(Path("wind.log"));
  display.BtnLogClick();
  EXPECT_EQ(display.BtnLogCaption(), "&Stop logging");
  EXPECT_FALSE(display.SettingsEnabled());
  rt.RunFor(1500);
  display.ShowRecord("\x02Q,271,003.45,M,00,\x03");
  // On disk before logging stops.
  EXPECT_EQ(Read(Path("wind.log")),
            "09/12/2026   19:00:00\r\n\r\nSerial no.: 100235\r\n\r\nPolar data\r\n\r\n"
            "Q,271,003.45,M,00,09/12/2026,19:00:01\r\n");
  display.BtnLogClick();
  EXPECT_EQ(display.BtnLogCaption(), "&Start logging");
  EXPECT_TRUE(display.SettingsEnabled());
}

TEST_F(DataDisplayTest, WithoutTimestampsLinesAreBareAndUvModeSaysSo) {
  menu.Check(MenuId::kUVcontinuous);
  display.SetTimestamped(false);
  display.StartLogging(Path("uv.log"));
  display.ShowRecord("\x02Q,+001.50,-002.25,M,00,\x03");
  display.StopLogging();
  EXPECT_EQ(Read(Path("uv.log")),
            "09/12/2026   19:00:00\r\n\r\nSerial no.: 100235\r\n\r\nUV data\r\n\r\n"
            "Q,+001.50,-002.25,M,00,\r\n");
}

TEST_F(DataDisplayTest, OneMinuteSegmentsStoppedAfterTwoAndAHalfMinutesGiveThreeFiles) {
  display.SetTimestamped(false);
  display.CbSegClick(true);
  display.SetSegInterval(1);
  {
    QFile old(Path("wind_1_0.log"));  // an existing file is replaced
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents that must go\r\n");
  }
  display.StartLogging(Path("wind.log"));
  for (int second = 1; second <= 150; ++second) {
    rt.RunFor(1000);
    display.ShowRecord(QByteArray("\x02") + QByteArray::number(second) + "\x03");
  }
  display.StopLogging();
  EXPECT_FALSE(QFile::exists(Path("wind.log")));
  const QByteArray first = Read(Path("wind_1_0.log"));
  const QByteArray second = Read(Path("wind_1_1.log"));
  const QByteArray third = Read(Path("wind_1_2.log"));
  EXPECT_TRUE(first.startsWith("09/12/2026   19:00:00\r\n"));
  EXPECT_TRUE(second.startsWith("09/12/2026   19:01:00\r\n"));
  EXPECT_TRUE(third.startsWith("09/12/2026   19:02:00\r\n"));
  EXPECT_TRUE(first.contains("\r\n\r\n1\r\n"));
  EXPECT_TRUE(first.endsWith("\r\n59\r\n"));
  EXPECT_TRUE(second.contains("\r\n\r\n60\r\n"));
  EXPECT_TRUE(second.endsWith("\r\n119\r\n"));
  EXPECT_TRUE(third.endsWith("\r\n150\r\n"));
  EXPECT_FALSE(first.contains("old contents"));
}

TEST_F(DataDisplayTest, ABareNameGetsTheLogEndingAndItsSegmentsStayInTheChosenFolder) {
  // Cutting four characters off "logs/w" put the segments in the folder above, as "lo_60_0.log".
  ASSERT_TRUE(QDir(dir.path()).mkdir("logs"));
  display.CbSegClick(true);
  display.SetSegInterval(60);
  display.StartLogging(Path("logs/w"));
  EXPECT_EQ(display.FileName(), Path("logs/w.log"));
  display.StopLogging();
  EXPECT_EQ(QDir(Path("logs")).entryList(QDir::Files), QStringList{"w_60_0.log"});
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
  EXPECT_TRUE(Read(Path("logs/w_60_0.log")).startsWith("09/12/2026   19:00:00\r\n"));
}

TEST_F(DataDisplayTest, SegmentFilesOfAnEarlierRunAreReplacedOnlyWhenTheUserSaysYes) {
  {
    QFile old(Path("wind_60_0.log"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier run\r\n");
  }
  display.CbSegClick(true);
  for (const PromptButton answer : {PromptButton::kNo, PromptButton::kYes}) {
    prompts.files.push_back(Path("wind.log"));
    prompts.answers.push_back(answer);
    display.BtnLogClick();
  }
  ASSERT_EQ(prompts.Messages().size(), 2u);
  EXPECT_TRUE(prompts.Messages()[0].text.contains(Path("wind_60_0.log")));
  EXPECT_TRUE(display.Logging());  // after the Yes
  display.ShowRecord("\x02now\x03");
  display.BtnLogClick();
  EXPECT_TRUE(Read(Path("wind_60_0.log")).startsWith("09/12/2026   19:00:00\r\n"));
  EXPECT_FALSE(QFile::exists(Path("wind.log")));
}

TEST_F(DataDisplayTest, RecordsArrivingWhileTheFileIsChosenAreLoggedNotLost) {
  // The save dialog runs the event loop; a record comes in meanwhile.
  class Choosing : public ScriptedPrompts {
   public:
    DataDisplay* display = nullptr;
    QString ChooseSaveFile(const QString&, const QString&, const QString&) override {
      display->ShowRecord("\x02while choosing\x03");
      return file;
    }
    QString file;
  };
  Choosing choosing;
  choosing.file = Path("late.log");
  DataDisplay other(rt, choosing, state, menu, [this] { return Now(); });
  choosing.display = &other;
  other.SetTimestamped(false);
  other.BtnLogClick();
  other.StopLogging();
  EXPECT_TRUE(Read(Path("late.log")).endsWith("\r\n\r\nwhile choosing\r\n"));
}

TEST_F(DataDisplayTest, ACancelledSaveDialogChangesNothing) {
  display.BtnLogClick();
  EXPECT_FALSE(display.Logging());
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(DataDisplayTest, AnUnwritableFileIsReportedOnceAndItsLinesAreKeptUntilItCanBeWritten) {
  const QString folder = Path("gone");
  ASSERT_TRUE(QDir().mkdir(folder));
  const QString file = folder + "/wind.log";
  ASSERT_TRUE(QDir(folder).removeRecursively());
  display.SetTimestamped(false);
  display.StartLogging(file);
  display.ShowRecord("\x02one\x03");
  display.ShowRecord("\x02two\x03");
  // Shown once the record has gone on to the other windows.
  EXPECT_TRUE(prompts.Messages().empty());
  rt.RunFor(0);
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].caption, "File Error");
  EXPECT_TRUE(prompts.Messages()[0].text.contains(file));
  ASSERT_TRUE(QDir().mkdir(folder));
  display.ShowRecord("\x02three\x03");
  display.StopLogging();
  EXPECT_TRUE(Read(file).endsWith("\r\n\r\none\r\ntwo\r\nthree\r\n"));
}

TEST_F(DataDisplayTest, ClosingWhileLoggingIsRefused) {
  EXPECT_TRUE(display.FormCloseQuery());
  display.StartLogging(Path("x.log"));
  EXPECT_FALSE(display.FormCloseQuery());
  EXPECT_EQ(prompts.Count("Please stop logging first."), 1);
  EXPECT_EQ(prompts.Messages()[0].caption, "Info");
}

TEST_F(DataDisplayTest, EachLogLineIsStampedWithTheSecondItCameIn) {
  struct Line {
    qint64 atMs;  // after 09/12/2026 19:00:00
    const char* stamp;
  };
  const Line lines[] = {
      {0, "09/12/2026,19:00:00"},        {999, "09/12/2026,19:00:00"},
      {1000, "09/12/2026,19:00:01"},     {61500, "09/12/2026,19:01:01"},
      {17999999, "09/12/2026,23:59:59"}, {18000000, "10/12/2026,00:00:00"},
  };
  display.StartLogging(Path("stamped.log"));
  QByteArray expected;
  for (const Line& line : lines) {
    rt.RunFor(line.atMs - rt.NowMs());
    display.ShowRecord("\x02Q,001,000.10,M,00,\x03");
    expected += QByteArray("Q,001,000.10,M,00,") + line.stamp + "\r\n";
  }
  display.StopLogging();
  EXPECT_TRUE(Read(Path("stamped.log")).endsWith("\r\n\r\n" + expected));
}

// The system clock in a zone east of Greenwich with summer time.
class SystemClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zone = qgetenv("TZ");
    qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
    tzset();
  }
  void TearDown() override {
    if (zone.isNull()) {
      qunsetenv("TZ");
    } else {
      qputenv("TZ", zone);
    }
    tzset();
  }
  QByteArray zone;
};

TEST_F(SystemClockTest, TellsTheLocalDateAndTime) {
  const WallClock clock = SystemClock();
  for (int i = 0; i < 3; ++i) {
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = clock();
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
    EXPECT_EQ(now.offsetFromUtc(), after.offsetFromUtc());
    EXPECT_GE(now.offsetFromUtc(), 3600);
    const QString shown = LogDate(now) + LogTime(now);
    EXPECT_TRUE(shown == LogDate(before) + LogTime(before) ||
                shown == LogDate(after) + LogTime(after))
        << shown.toStdString();
  }
}

}  // namespace
}  // namespace ventari
