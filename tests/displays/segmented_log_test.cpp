// The names of the text log's files, which both live displays share: the extension added to a
// bare name, the segments kept in the chosen folder, and the first segment of an earlier run that
// a new run would replace. Writing, segmenting and the question are tested through the displays.
#include "displays/segmented_log.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace ventari {
namespace {

TEST(SegmentedLogNames, TheFilesAreNamedAfterTheChosenNameWithItsExtension) {
  const struct {
    const char* chosen;
    int minutes;  // 0: not segmented
    const char* first;
    const char* second;  // the next segment's
  } cases[] = {
      {"wind", 0, "wind.log", ""},
      {"wind.txt", 0, "wind.txt", ""},
      {"logs.d/w", 0, "logs.d/w.log", ""},
      {"wind.log", 60, "wind_60_0.log", "wind_60_1.log"},
      {"logs/w", 60, "logs/w_60_0.log", "logs/w_60_1.log"},
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
}

TEST(SegmentedLogNames, TheSegmentOfAnEarlierRunReplacedFirstIsTheLowestNumberThatExists) {
  QTemporaryDir dir;
  const struct {
    QStringList existing;
    const char* chosen;
    int minutes;
    const char* found;  // "" none
  } cases[] = {
      {{"w.log", "w_5_0.log", "w_60_x.log", "w_60_01.log", "x_60_0.log", "w_60_0.txt"},
       "logs/w",
       60,
       ""},
      {{"w_60_7.log", "w_60_12.log", "w_60_3.log"}, "logs/w", 60, "logs/w_60_3.log"},
      {{"w_60_0.log"}, "logs/w.txt", 60, "logs/w_60_0.log"},
      {{"w_60_0.log"}, "w", 60, ""},  // another folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.existing.join(' ').toStdString() + " " + c.chosen);
    QDir(dir.filePath("logs")).removeRecursively();
    ASSERT_TRUE(QDir().mkdir(dir.filePath("logs")));
    for (const QString& name : c.existing) {
      QFile file(dir.filePath("logs/" + name));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(SegmentedLog::ExistingSegment(dir.filePath(c.chosen), c.minutes),
              *c.found ? dir.filePath(c.found) : QString());
  }
}

}  // namespace
}  // namespace ventari
