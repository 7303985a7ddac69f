// The "Flash &memory" page: the files it lists and selects for each sensor type, the paths it
// programs from, and the question before a run.
#include "service/flash_page_model.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "support/channel_on_line.h"

namespace ventari {
namespace {

class FlashPageTest : public ::testing::Test, protected test::ChannelOnLine {
 protected:
  FlashPageTest() { folder.SetRoot(dir.path()); }

  void Files(const QStringList& names) {
    QDir(dir.path()).mkpath(QStringLiteral("srecords"));
    for (const QString& name : names) {
      QFile file(folder.SRecords() + name);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
  }
  QString Selected() const {
    const auto& view = page.View();
    return view.file >= 0 ? view.files[view.file] : QString();
  }

  QTemporaryDir dir;
  ServiceFolder folder;
  ServiceLink link{rt, port, group, matchers, channel, state, prompts};
  FlashProgrammer programmer{link};
  ProductionTest test;
  ServiceFileNames names;
  std::vector<TestPage> moves;
  FlashPageModel page{
      {prompts, test, folder, names, programmer, [this](TestPage to) { moves.push_back(to); }}};
};

struct DefaultCase {
  const char* name;
  SensorState sensor;
  const char* remembered;
  QStringList files;
  QString selected;  // empty: none
  int target;
};

class PageDefaults : public FlashPageTest, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(PageDefaults, FollowTheSensorTypeAndTheRememberedFirmware) {
  const DefaultCase& c = GetParam();
  Files(c.files + QStringList{"user.usr", "cal.cal"});
  test.sensor = c.sensor;
  names.Kestrix2_Srec = QString::fromLatin1(c.remembered);
  page.Show();
  EXPECT_EQ(page.View().files.filter(".s", Qt::CaseInsensitive), page.View().files);
  EXPECT_EQ(page.View().files.size(), c.files.size());
  EXPECT_EQ(Selected(), c.selected);
  EXPECT_EQ(page.View().target, c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Types, PageDefaults,
    ::testing::Values(
        DefaultCase{"Remembered",
                    SensorState::kKestrix2Unheated,
                    "k2v305",
                    {"fp3337.s", "k2v305.s", "old.s"},
                    "k2v305.s",
                    1},
        DefaultCase{
            "CapitalS", SensorState::kKestrix2Heated, "K2", {"a.s", "K2.S", "z.s"}, "K2.S", 1},
        DefaultCase{"NoMatchTakesTheLast",
                    SensorState::kKestrix2Unheated,
                    "gone",
                    {"a.s", "b.s", "c.s"},
                    "c.s",
                    1},
        DefaultCase{"NoFiles", SensorState::kKestrix2Unheated, "gone", {}, "", 1},
        DefaultCase{"Larkvane", SensorState::kLarkvane, "a", {"a.s"}, "", -1},
        DefaultCase{"NoType", SensorState::kNone, "a", {"a.s"}, "", -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlashPageTest, AFileFromTheListAndTheSameFileBrowsedAreOpenedFromOnePlace) {
  Files({"k2.s"});
  test.sensor = SensorState::kKestrix2Unheated;
  names.Kestrix2_Srec = "k2";
  page.Show();
  const QString fromList = page.ApplicationPath();
  EXPECT_EQ(fromList, folder.SRecords() + "k2.s");
  prompts.files = {folder.SRecords() + "k2.s"};
  page.BrowseClick();
  EXPECT_EQ(page.View().files.size(), 2);
  EXPECT_EQ(page.View().file, 1);
  EXPECT_EQ(QFileInfo(page.ApplicationPath()), QFileInfo(fromList));
}

TEST_F(FlashPageTest, TheKernelFollowsTheTargetProcessor) {
  page.Show();
  EXPECT_EQ(page.KernelPath(), folder.SRecords() + "fp3334.s");  // none selected
  page.SelectTarget(1);
  EXPECT_EQ(page.KernelPath(), folder.SRecords() + "fp3337.s");
  page.SelectTarget(0);
  EXPECT_EQ(page.KernelPath(), folder.SRecords() + "fp3334.s");
  page.SelectTarget(7);
  EXPECT_EQ(page.View().target, -1);
}

TEST_F(FlashPageTest, ProgramAsksFirstAndNextMovesOn) {
  Files({"k2.s"});
  test.sensor = SensorState::kKestrix2Unheated;
  names.Kestrix2_Srec = "k2";
  page.Show();
  prompts.answers = {PromptButton::kNo};
  page.BtnProgram1Click();
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, "Program using ...k2.s");
  EXPECT_TRUE(programmer.Log().Lines().empty());
  EXPECT_FALSE(programmer.WindowShown());
  page.BtnSkip2Click();
  EXPECT_EQ(moves, std::vector<TestPage>{TestPage::kNonVolatileMemory});
}

TEST(FlashLogTest, KeepsItsNewestLinesAndCountsAll) {
  FlashLog log;
  int told = 0;
  log.Changed().Subscribe([&told] { ++told; });
  for (std::size_t i = 0; i < FlashLog::kMaxLines + 3; ++i) log.Add(QString::number(i));
  EXPECT_EQ(log.Lines().size(), FlashLog::kMaxLines);
  EXPECT_EQ(log.Lines().front(), "3");
  EXPECT_EQ(log.Added(), FlashLog::kMaxLines + 3);
  EXPECT_EQ(told, static_cast<int>(FlashLog::kMaxLines) + 3);
}

}  // namespace
}  // namespace ventari
