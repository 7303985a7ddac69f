// ventari-cli srec: the exit statuses, the log it prints and the JSON report of each mode.
#include "cli/srec_command.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace ventari {
namespace {

class SrecCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Write("app.s", "S00600004844521B\nS1070100DEADBEEFBF\nS9030000FC\n");
    Write("bad.s", "S1070100DEADBEEFBF\nS1070104DEADBEEF00\n");
    Write("kernel.s", "S1050000AA55FB\nS1060100010203F2\n");
    Write("user.usr", "S1050000AA55FB\nS10401FF01FA\nS1040200FFFA\n");
  }
  void Write(const QString& name, const QByteArray& text) {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  SrecOutcome Run(const QStringList& options) {
    QStringList arguments{"ventari-cli", "srec"};
    for (const QString& option : options) {
      arguments << (option.contains('.') ? dir_.filePath(option) : option);
    }
    return RunSrec(arguments);
  }
  QJsonObject Json(const QStringList& options) {
    return QJsonDocument::fromJson(Run(options + QStringList{"--json"}).out.toUtf8()).object();
  }

  QTemporaryDir dir_;
};

TEST_F(SrecCommandTest, ExitStatuses) {
  const struct {
    QStringList options;
    int status;
  } cases[] = {
      {{"app.s", "--app"}, 0},
      {{"kernel.s", "--kernel", "3334"}, 0},
      {{"kernel.s", "--kernel", "3337"}, 1},  // nothing at or above the H8/3337's base
      {{"user.usr", "--eeprom", "512"}, 0},
      {{"bad.s", "--app"}, 1},
      {{"bad.s", "--eeprom", "512"}, 1},
      {{"none.s", "--app"}, 1},
      {{"app.s"}, 2},
      {{"app.s", "--app", "--kernel", "3334"}, 2},
      {{"app.s", "--kernel", "3338"}, 2},
      {{"app.s", "--eeprom", "947"}, 2},
      {{"--app"}, 2},
      {{"app.s", "user.usr", "--app"}, 2},
  };
  for (const auto& c : cases) {
    const SrecOutcome outcome = Run(c.options);
    EXPECT_EQ(outcome.status, c.status) << c.options.join(' ').toStdString();
    EXPECT_EQ(outcome.error.isEmpty(), c.status != 2) << c.options.join(' ').toStdString();
  }
}

TEST_F(SrecCommandTest, PrintsTheLog) {
  EXPECT_EQ(Run({"app.s", "--app"}).out, "Getting main prog data from file " +
                                             dir_.filePath("app.s") +
                                             "\nApplication program max address 259\n");
  EXPECT_EQ(Run({"bad.s", "--app"}).out.split('\n')[1],
            dir_.filePath("bad.s") + " line 2: checksum 00, the record adds up to BB");
}

TEST_F(SrecCommandTest, JsonGivesTheImageUpToTheHighestByte) {
  const QJsonObject app = Json({"app.s", "--app"});
  EXPECT_EQ(app["mode"], "app");
  EXPECT_EQ(app["ok"], true);
  EXPECT_EQ(app["programLength"], 260);
  const QString image = app["image"].toString();
  EXPECT_EQ(image.size(), 520);
  EXPECT_TRUE(image.endsWith("FFDEADBEEF"));

  const QJsonObject kernel = Json({"kernel.s", "--kernel", "3334"});
  EXPECT_EQ(kernel["chip"], "3334");
  EXPECT_EQ(kernel["highestAddress"], 0x102);

  const QJsonObject bad = Json({"bad.s", "--app"});
  EXPECT_EQ(bad["ok"], false);
  EXPECT_EQ(bad["image"], "");
  EXPECT_EQ(bad["faults"].toArray()[0].toObject()["line"], 2);
}

TEST_F(SrecCommandTest, JsonGivesTheEepromCellsAndTheRecordsBeyond) {
  const QJsonObject eeprom = Json({"user.usr", "--eeprom", "512"});
  EXPECT_EQ(eeprom["mode"], "eeprom");
  EXPECT_EQ(eeprom["recordsBeyond"], 1);
  const QString image = eeprom["image"].toString();
  ASSERT_EQ(image.size(), 1024);
  EXPECT_TRUE(image.startsWith("AA55FF"));
  EXPECT_TRUE(image.endsWith("FF01"));
  EXPECT_TRUE(Run({"user.usr", "--eeprom", "512"}).out.contains("1 records start at or beyond"));
}

}  // namespace
}  // namespace ventari
