// The flash programming window and the "Flash &memory" page mirror their models and forward
// what the user does: a run seen mid-way (which its close box cannot end) and after a failure,
// Abort from the window, the page's lists and buttons.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "service/flash_rig.h"
#include "support/screenshot.h"
#include "ui/flash_page.h"
#include "ui/frm_flash.h"

namespace ventari {
namespace {

using test::Keep;

class FlashWindows : public ::testing::Test, protected test::FlashRig {
 protected:
  QStringList Shown() const {
    QStringList lines;
    for (int i = 0; i < frm.FlashProgressLst()->count(); ++i) {
      lines << frm.FlashProgressLst()->item(i)->text();
    }
    return lines;
  }

  TFrmFlash frm{programmer};
  FlashPage flashPage{page};
};

TEST_F(FlashWindows, AbortPressedMidRunStopsItAndTheWindowStaysWithItsLog) {
  EXPECT_EQ(frm.windowTitle(), "Hitachi H8/333x Flash programming");
  EXPECT_EQ(frm.AbortButton()->text(), "A&bort");
  EXPECT_FALSE(frm.isVisible());
  QStringList midRun;
  programmer.Log().Changed().Subscribe([&] {
    if (programmer.Log().Lines().back() != "S5 : Upload program") return;
    frm.Sync();
    midRun = Shown();
    EXPECT_TRUE(frm.isVisible());
    EXPECT_FALSE(frm.isModal());
    Keep(frm, "flash_mid_run");
    frm.close();  // the close box keeps the window with its log and Abort mid-run
    frm.Sync();
    EXPECT_TRUE(frm.isVisible());
    frm.AbortButton()->click();
  });

  ProgramFromPage();

  EXPECT_EQ(midRun.last(), "S5 : Upload program");
  frm.Sync();
  EXPECT_EQ(Shown(), Log());
  EXPECT_EQ(Shown().last(), "Programming aborted");
  EXPECT_TRUE(frm.isVisible());
  EXPECT_EQ(test.flashResult, kNotProgrammed);
}

TEST_F(FlashWindows, AfterAFailureTheLogStaysInViewAndGrowsWithTheNextRun) {
  board.Processor().SetBootFaults({.eraseFails = true});
  ProgramFromPage();
  frm.Sync();
  EXPECT_TRUE(frm.isVisible());
  EXPECT_EQ(Shown().last(), "Flash erase failed");
  Keep(frm, "flash_after_failure");
  const int firstRun = frm.FlashProgressLst()->count();

  board.Processor().SetBootFaults({});
  s.prompts.answers = {PromptButton::kYes};
  page.BtnProgram1Click();
  frm.Sync();
  EXPECT_EQ(frm.FlashProgressLst()->item(firstRun)->text(), " Flash upload program for H8/3337");
  EXPECT_EQ(Shown().last(), "Processor reset");
  EXPECT_FALSE(frm.isVisible());  // closed after success
  EXPECT_EQ(test.flashResult, 0);
}

TEST_F(FlashWindows, ThePageShowsTheFilesAndTargetsAndForwardsItsButtons) {
  page.Show();
  flashPage.Sync();
  QComboBox* files = flashPage.SRecordString();
  ASSERT_EQ(files->count(), 2);
  EXPECT_EQ(files->currentText(), "ventari.s");
  EXPECT_EQ(flashPage.TargetProcString()->currentText(), "Hitachi H8/3337");
  EXPECT_EQ(flashPage.TargetProcString()->count(), 2);
  EXPECT_EQ(flashPage.BtnProgram1()->text(), "&Program");
  EXPECT_EQ(flashPage.BtnSkip2()->text(), "Ne&xt");
  EXPECT_EQ(flashPage.Browse()->text(), "...");
  EXPECT_EQ(flashPage.findChild<QLabel*>("SRecordPath")->text(), folder.SRecords());
  Keep(flashPage, "flash_page");

  files->activated(0);
  EXPECT_EQ(page.View().file, 0);
  flashPage.TargetProcString()->activated(0);
  EXPECT_EQ(page.KernelPath(), folder.SRecords() + "fp3334.s");
  s.prompts.files = {s.dir.filePath("other.s")};
  flashPage.Browse()->click();
  flashPage.Sync();
  EXPECT_EQ(files->currentText(), s.dir.filePath("other.s"));
  flashPage.BtnSkip2()->click();
  EXPECT_EQ(moves, std::vector<TestPage>{TestPage::kNonVolatileMemory});
}

}  // namespace
}  // namespace ventari
