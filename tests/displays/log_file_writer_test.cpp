#include "displays/log_file_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/file_contents.h"

namespace ventari {
namespace {

class LogFileWriterTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir.filePath(name); }
  static QByteArray Read(const QString& path) { return test::FileContents(path); }

  QTemporaryDir dir;
  QStringList reports;
  LogFileWriter writer{[this](const QString& message) { reports.append(message); }};
};

TEST_F(LogFileWriterTest, BytesAbove7FReachTheFileAsReceived) {
  writer.Start(Path("a.log"));
  writer.Append(QString::fromLatin1("\xB0 \xFF"));
  ASSERT_TRUE(writer.Finish());
  EXPECT_EQ(Read(Path("a.log")), QByteArray("\xB0 \xFF\r\n"));
}

TEST_F(LogFileWriterTest, LinesHeldForAFileThatCannotBeWrittenSurviveTheNextFile) {
  const QString folder = Path("late");
  writer.Start(folder + "/first.log");
  writer.Append("one");
  writer.Append("two");
  writer.Start(Path("second.log"));  // a segment boundary while the first file still fails
  writer.Append("three");
  EXPECT_EQ(writer.HeldLines(), 2);
  EXPECT_FALSE(writer.Finish());
  EXPECT_EQ(Read(Path("second.log")), "three\r\n");

  writer.Start(Path("third.log"));
  ASSERT_TRUE(QDir().mkdir(folder));
  writer.Append("four");
  EXPECT_EQ(writer.HeldLines(), 0);
  EXPECT_EQ(Read(folder + "/first.log"), "one\r\ntwo\r\n");
  EXPECT_EQ(Read(Path("third.log")), "four\r\n");
  ASSERT_EQ(reports.size(), 2);  // failing once, written again once
  EXPECT_TRUE(reports[0].startsWith("Cannot write the log file " + folder + "/first.log"));
}

TEST_F(LogFileWriterTest, BeyondTheBoundNewerLinesAreDroppedAndTheUserIsToldOnce) {
  writer.Start(Path("missing/wind.log"));
  for (qsizetype i = 0; i < LogFileWriter::kMaxHeldLines + 10; ++i) writer.Append("x");
  EXPECT_EQ(writer.HeldLines(), LogFileWriter::kMaxHeldLines);
  EXPECT_TRUE(writer.DroppedLines());
  ASSERT_EQ(reports.size(), 2);
  EXPECT_TRUE(reports[1].contains("newer lines are lost"));
}

TEST_F(LogFileWriterTest, AWriterDestroyedWhileFailingTellsNoOne) {
  {
    LogFileWriter failing([this](const QString& message) { reports.append(message); });
    failing.Start(Path("missing/wind.log"));
    failing.Append("x");
    reports.clear();
  }
  EXPECT_TRUE(reports.isEmpty());
}

}  // namespace
}  // namespace ventari
