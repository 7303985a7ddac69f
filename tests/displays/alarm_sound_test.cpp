// Where the alarm finds its wave file.
#include "displays/alarm_sound.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace ventari {
namespace {

void Touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(AlarmSoundFile, IsFoundBesideTheExecutableBeforeTheInstalledDataFolder) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QDir dir(root.path());
  ASSERT_TRUE(dir.mkpath("bin") && dir.mkpath("share/ventari"));
  const QString bin = dir.filePath("bin");
  EXPECT_TRUE(AlarmSoundFile(bin).isEmpty());

  Touch(dir.filePath("share/ventari/two_tone.wav"));
  EXPECT_EQ(AlarmSoundFile(bin),
            QFileInfo(dir.filePath("share/ventari/two_tone.wav")).canonicalFilePath());

  Touch(dir.filePath("bin/two_tone.wav"));
  EXPECT_EQ(AlarmSoundFile(bin), QFileInfo(dir.filePath("bin/two_tone.wav")).canonicalFilePath());
}

TEST(AlarmSoundFile, AFolderOfThatNameIsNoSound) {
  QTemporaryDir root;
  ASSERT_TRUE(QDir(root.path()).mkpath("two_tone.wav"));
  EXPECT_TRUE(AlarmSoundFile(root.path()).isEmpty());
}

}  // namespace
}  // namespace ventari
