#include "displays/tabular_display.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "base/virtual_runtime.h"
#include "displays/tabular_log_headers.h"
#include "support/file_contents.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

using test::ScriptedPrompts;
const auto& Read = test::FileContents;

TEST(TabularLogHeadersTest, NameTheColumnsTheConfigurationReports) {
  const struct {
    int reportMode, sosMode, absTempMode;
    std::array<bool, 6> aip;
    const char* column;
    const char* csv;
    int fieldCount;
  } cases[] = {
      {0, 0, 0, {}, "Sa Sb      U        V        W  ", "U,V,W", 3},
      {1,
       3,
       0,
       {false, true},
       "Sa Sb      U        V        W     SonicC     Aip2 ",
       "U,V,W,SonicC,Aip2",
       5},
      {2,
       1,
       1,
       {},
       "Sa Sb     Dir      Mag       W      SoS     AbsT K",
       "Dir,Mag,W,SoS,AbsT K",
       5},
      {4,
       2,
       2,
       {true, false, false, false, false, true},
       "Sa Sb     Ax1      Ax2      Ax3     SonicK   AbsT C     Aip1      Aip6",
       "Ax1,Ax2,Ax3,SonicK,AbsT C,Aip1,Aip6",
       7},
      {3,
       0,
       2,
       {false, false, true},
       "Sa Sb     Dir      Mag       W     AbsT C     Aip3 ",
       "Dir,Mag,W,AbsT C,Aip3",
       5},
  };
  for (const auto& c : cases) {
    TriAxisConfig config;
    config.ReportMode = c.reportMode;
    config.SosMode = c.sosMode;
    config.AbsTempMode = c.absTempMode;
    config.Aip = c.aip;
    EXPECT_EQ(ColumnHeaderText(config), c.column);
    const CsvHeader csv = CsvHeaderText(config);
    EXPECT_EQ(csv.text, c.csv);
    EXPECT_EQ(csv.fieldCount, c.fieldCount) << c.csv;
  }
}

class TabularDisplayTest : public ::testing::Test {
 protected:
  TabularDisplayTest() {
    state.SerialNumber = "123456";
    config.ReportMode = 0;
    config.SosMode = 0;
    config.AbsTempMode = 0;
    config.StrFormat = 1;
    config.Averaging = "4";
    identity.identityText = "O123456\r\nT7 Version 3.05\r\n";
    identity.serialLetter = 'O';
    identity.configurationText = "ABSTEMP OFF\r\nWINDREP UVW CAL\r\n";
  }

  // 09/12/2026 10:00:00 plus the virtual time.
  QDateTime Now() const {
    return QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0)).addMSecs(rt.NowMs());
  }
  QString Path(const QString& name) const { return dir.filePath(name); }
  void StartLogging(const QString& name) {
    prompts.files.push_back(Path(name));
    display.BtnLoggingClick();
  }

  QTemporaryDir dir;
  VirtualRuntime rt;
  ScriptedPrompts prompts;
  AnemState state;
  TriAxisConfig config;
  TriAxisIdentity identity;
  TabularDisplay display{rt, prompts, state, config, identity, [this] { return Now(); }};
};

constexpr char kUvwLine[] = "00 00   +01.23   -00.45   +00.10   ";
constexpr char kAsciiHeader[] =
    "09/12/2026   10:00:00\r\n\r\nSerial no.: 123456\r\n\r\nOutput rate: 4\r\n\r\n"
    "Sa Sb      U        V        W  \r\n";

TEST_F(TabularDisplayTest, AnAsciiLogReachesTheDiskLineByLine) {
  StartLogging("run.log");
  EXPECT_EQ(display.BtnLoggingCaption(), "&Stop Log");
  EXPECT_EQ(display.Panel1Text(), "Logging to: " + Path("run.log"));
  EXPECT_FALSE(display.SegmentedEnabled());
  EXPECT_EQ(Read(Path("run.log")), kAsciiHeader);
  display.AddLogLine(kUvwLine);
  display.AddLogLine("");  // a malformed record
  EXPECT_EQ(Read(Path("run.log")), QByteArray(kAsciiHeader) + kUvwLine + "\r\n\r\n");
  EXPECT_FALSE(display.FormCloseQuery());
  EXPECT_EQ(prompts.Count("Please stop logging first."), 1);
  EXPECT_EQ(prompts.Messages()[0].caption, "Info");
  display.BtnLoggingClick();
  EXPECT_EQ(display.BtnLoggingCaption(), "&Logging");
  EXPECT_EQ(display.Panel1Text(), "Log file closed.");
  EXPECT_TRUE(display.SegmentedEnabled());
  EXPECT_TRUE(display.FormCloseQuery());
  display.AddLogLine("after the stop");
  EXPECT_EQ(Read(Path("run.log")), QByteArray(kAsciiHeader) + kUvwLine + "\r\n\r\n");
}

TEST_F(TabularDisplayTest, WithPcAveragingTheLogHasTheCsvHeader) {
  config.ReportMode = 2;
  config.SosMode = 1;
  config.PcAvgMinutes = 5;
  StartLogging("avg.log");
  display.AddLogLine("123,4.56,0.12,340.12");
  display.BtnLoggingClick();
  EXPECT_EQ(Read(Path("avg.log")),
            "09/12/2026   10:00:00\r\n\r\nSerial no.: 123456\r\n\r\nOutput rate: 4\r\n\r\n"
            "Dir,Mag,W,SoS\r\n123,4.56,0.12,340.12\r\n");
  EXPECT_EQ(display.FieldCount(), 4);
}

TEST_F(TabularDisplayTest, OneMinuteSegmentsStoppedAfterTwoAndAHalfMinutesGiveThreeFiles) {
  display.CbSegClick(true);
  display.SetSegInterval(1);
  StartLogging("run.log");
  EXPECT_EQ(display.Panel1Text(), "Logging...");
  for (int second = 1; second <= 150; ++second) {
    rt.RunFor(1000);
    display.AddLogLine(QString::number(second));
  }
  display.BtnLoggingClick();
  EXPECT_FALSE(QFile::exists(Path("run.log")));
  const struct {
    const char* file;
    const char* start;
    const char* first;
    const char* last;
  } segments[] = {{"run_1_0.log", "10:00:00", "1", "59"},
                  {"run_1_1.log", "10:01:00", "60", "119"},
                  {"run_1_2.log", "10:02:00", "120", "150"}};
  for (const auto& s : segments) {
    SCOPED_TRACE(s.file);
    QByteArray header = kAsciiHeader;
    header.replace("10:00:00", s.start);
    const QByteArray contents = Read(Path(s.file));
    EXPECT_TRUE(contents.startsWith(header + s.first + "\r\n"));
    EXPECT_TRUE(contents.endsWith(QByteArray("\r\n") + s.last + "\r\n"));
  }
}

TEST_F(TabularDisplayTest, TheSaveDialogsNameGetsTheDefaultExtension) {
  const struct {
    int strFormat;
    const char* chosen;
    const char* file;
  } cases[] = {{1, "run", "run.log"}, {2, "run.txt", "run.txt"}, {0, "wind", "wind.bny"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    config.StrFormat = c.strFormat;
    StartLogging(c.chosen);
    EXPECT_EQ(display.FileName(), Path(c.file));
    display.BtnLoggingClick();
  }
}

TEST_F(TabularDisplayTest, SegmentFilesOfAnEarlierRunAreReplacedOnlyWhenTheUserSaysYes) {
  {
    QFile old(Path("run_60_2.log"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier run\r\n");
  }
  // Not segmented, or segments of other minutes: nothing of the earlier run is replaced.
  StartLogging("run.log");
  display.BtnLoggingClick();
  display.CbSegClick(true);
  display.SetSegInterval(1);
  StartLogging("run.log");
  display.BtnLoggingClick();
  EXPECT_TRUE(prompts.Messages().empty());

  display.SetSegInterval(60);
  prompts.answers = {PromptButton::kNo, PromptButton::kYes};
  StartLogging("run.log");
  EXPECT_FALSE(display.Logging());
  EXPECT_EQ(display.BtnLoggingCaption(), "&Logging");
  EXPECT_EQ(Read(Path("run_60_2.log")), "earlier run\r\n");
  StartLogging("run");
  EXPECT_TRUE(display.Logging());
  ASSERT_EQ(prompts.Messages().size(), 2u);
  EXPECT_TRUE(prompts.Messages()[1].text.contains(Path("run_60_2.log")));
  EXPECT_EQ(Read(Path("run_60_0.log")), kAsciiHeader);
  display.BtnLoggingClick();
}

TEST_F(TabularDisplayTest, ACancelledSaveDialogLeavesLoggingOff) {
  display.BtnLoggingClick();
  EXPECT_FALSE(display.Logging());
  EXPECT_EQ(display.BtnLoggingCaption(), "&Logging");
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(TabularDisplayTest, ABinaryLogStartsWithTheIdentityAndConfigurationTexts) {
  config.StrFormat = 0;
  display.FormShow();
  EXPECT_FALSE(display.SegmentedEnabled());
  StartLogging("wind.bny");
  EXPECT_TRUE(display.Logging());
  EXPECT_EQ(display.BtnLoggingCaption(), "&Stop Log");
  EXPECT_FALSE(QFile::exists(Path("wind.bny")));  // until the first record
  display.OpenBinaryLogIfWaiting();
  EXPECT_FALSE(display.Logging());
  EXPECT_TRUE(display.BinaryLogOpen());
  const QByteArray texts = identity.identityText + identity.configurationText;
  EXPECT_EQ(Read(Path("wind.bny")), texts);
  const QByteArray record("\x00\x1B\x00\x7B\xFF\xD3\x00\x0A\x5F", 9);
  display.OpenBinaryLogIfWaiting();  // every record asks; the file is created once
  display.LogBinaryRecord(record);
  EXPECT_EQ(Read(Path("wind.bny")), texts + "\xBA\xBA" + record);
  EXPECT_FALSE(display.FormCloseQuery());
  display.BtnLoggingClick();
  EXPECT_FALSE(display.BinaryLogOpen());
  EXPECT_EQ(display.BtnLoggingCaption(), "&Logging");
  display.LogBinaryRecord(record);
  EXPECT_EQ(Read(Path("wind.bny")), texts + "\xBA\xBA" + record);
}

TEST_F(TabularDisplayTest, StoppingABinaryLogBeforeItsFirstRecordCreatesNoFile) {
  config.StrFormat = 0;
  StartLogging("wind.bny");
  display.BtnLoggingClick();
  display.OpenBinaryLogIfWaiting();
  EXPECT_FALSE(display.BinaryLogOpen());
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(TabularDisplayTest, ALogFileThatCannotBeCreatedIsReportedAndLoggingDoesNotStart) {
  const struct {
    int strFormat;
    const char* message;
  } cases[] = {{1, "Cannot create the log file "}, {0, "Cannot create the binary log file "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.strFormat);
    ScriptedPrompts shown;
    TabularDisplay other(rt, shown, state, config, identity, [this] { return Now(); });
    config.StrFormat = c.strFormat;
    const QString file = Path("missing/run.log");
    shown.files.push_back(file);
    other.BtnLoggingClick();
    other.OpenBinaryLogIfWaiting();
    other.AddLogLine(kUvwLine);
    EXPECT_TRUE(shown.Messages().empty());  // not while the record is handled
    rt.RunFor(0);
    ASSERT_EQ(shown.Messages().size(), 1u);
    EXPECT_EQ(shown.Messages()[0].caption, "File Error");
    EXPECT_TRUE(shown.Messages()[0].text.startsWith(c.message + file));
    EXPECT_FALSE(other.Logging());
    EXPECT_FALSE(other.BinaryLogOpen());
    EXPECT_EQ(other.BtnLoggingCaption(), "&Logging");
    EXPECT_EQ(other.Panel1Text(), "Log file not created.");
    EXPECT_TRUE(other.FormCloseQuery());
  }
}

TEST_F(TabularDisplayTest, TheTableKeepsTheNewestLinesAndEmptiesOnClearAndShow) {
  for (std::size_t i = 0; i < TabularDisplay::kMaxScreenLines + 5; ++i)
    display.AddLine(QString::number(i));
  EXPECT_EQ(display.ScreenLines().size(), TabularDisplay::kMaxScreenLines);
  EXPECT_EQ(display.ScreenLines().back(), QString::number(TabularDisplay::kMaxScreenLines + 4));
  EXPECT_EQ(display.LinesShown(), TabularDisplay::kMaxScreenLines + 5);
  display.BtnClearClick();
  EXPECT_TRUE(display.ScreenLines().empty());
  display.AddLine(kUvwLine);
  display.FormShow();
  EXPECT_TRUE(display.ScreenLines().empty());
}

TEST_F(TabularDisplayTest, TheHeaderLabelMovesWithPcAveraging) {
  int told = 0;
  display.Changed().Subscribe([&told] { ++told; });
  display.SetHeader("   SoS            ");
  EXPECT_TRUE(display.HeaderLabelsShown());
  EXPECT_EQ(display.HeaderLabelLeft(), 246);
  config.PcAvgMinutes = 5;
  display.PcAveragingChanged();
  EXPECT_FALSE(display.HeaderLabelsShown());
  EXPECT_EQ(display.HeaderLabelLeft(), 2);
  EXPECT_EQ(display.HeaderLabelText(), "U,V,W");
  EXPECT_EQ(display.FieldCount(), 3);
  config.PcAvgMinutes = 0;
  display.PcAveragingChanged();
  EXPECT_TRUE(display.HeaderLabelsShown());
  EXPECT_EQ(display.HeaderLabelLeft(), 246);
  EXPECT_EQ(told, 3);
}

TEST_F(TabularDisplayTest, StatusGoesToPanel0AndTheClinometerToPanel1) {
  display.ShowStatus(0, 0x05);
  EXPECT_EQ(display.StatusText(), "Transducer pairs 1 & 3 failed");
  for (const auto& [address, value] :
       {std::pair{1, 0x08}, {7, 0xFF}, {8, 0x9C}, {9, 0x00}, {10, 0x64}})
    display.ShowStatus(address, value);
  EXPECT_EQ(display.StatusText(), "Status OK");
  EXPECT_EQ(display.Panel1Text(), "Clinometer at: -1, 1");
}

}  // namespace
}  // namespace ventari
