// The Larkvane's pages of the test window mirror their models over a simulated Larkvane and
// forward the technician's clicks, ticks and hovers to them.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "support/larkvane_rig.h"
#include "support/screenshot.h"
#include "ui/larkvane_check_page.h"
#include "ui/larkvane_final_page.h"
#include "ui/larkvane_select_page.h"
#include "ui/larkvane_software_page.h"

namespace ventari {
namespace {

template <typename T>
T& Child(QWidget& page, const char* name) {
  T* child = page.findChild<T*>(QLatin1String(name));
  if (!child) throw std::runtime_error(std::string("no control ") + name);
  return *child;
}

void Hover(QWidget& box) {
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(&box, &enter);
}

struct PagesRig : test::LarkvaneRig {
  PagesRig() { ChooseLarkvane(); }
  template <typename Page>
  void Show(Page& page) {
    page.resize(1180, 500);
    page.show();
    page.Sync();
  }
};

TEST(LarkvanePages, SelectAndCheckPagesForwardChoicesTicksAndHovers) {
  PagesRig r;
  LarkvaneSelectPage select(r.service.larkvaneChecks, nullptr);
  r.Show(select);
  select.findChildren<QRadioButton*>().at(1)->click();
  select.Sync();
  EXPECT_EQ(r.service.larkvaneChecks.SelectedTest(), 1);
  test::Keep(select, QStringLiteral("lark_select_test"));
  Child<QPushButton>(select, "BtnSkip8").click();
  EXPECT_EQ(r.service.testWindow.View().activePage, TestPage::kPartB);

  LarkvaneCheckPage assembly(r.service.larkvaneChecks, TestPage::kPartB, nullptr);
  r.Show(assembly);
  EXPECT_EQ(assembly.findChildren<QCheckBox*>().size(), 4);
  Child<QCheckBox>(assembly, "CheckMidRail").setChecked(true);
  EXPECT_TRUE(r.service.larkvaneChecks.Checked(LarkvaneCheck::kMidRail));
  Hover(Child<QCheckBox>(assembly, "CheckSupplyRails2"));
  assembly.Sync();
  EXPECT_EQ(Child<QPlainTextEdit>(assembly, "Memo4").toPlainText(),
            LarkvaneChecks::Box(LarkvaneCheck::kSupplyRails2).instructions.join('\n'));
  test::Keep(assembly, QStringLiteral("lark_part_b_assembly"));
  Child<QPushButton>(assembly, "BtnSkip11").click();
  EXPECT_EQ(r.service.testWindow.View().activePage, TestPage::kNonVolatileMemory);

  LarkvaneCheckPage head(r.service.larkvaneChecks, TestPage::kPartA, nullptr);
  r.Show(head);
  Hover(Child<QCheckBox>(head, "WiringCheckBox"));
  head.Sync();
  EXPECT_EQ(Child<QPlainTextEdit>(head, "Memo6").toPlainText().count('\n'), 2);
  test::Keep(head, QStringLiteral("lark_part_a"));
  LarkvaneCheckPage hardware(r.service.larkvaneChecks, TestPage::kPartBHardware, nullptr);
  r.Show(hardware);
  Hover(Child<QCheckBox>(hardware, "WvfrmsCheck"));
  Child<QCheckBox>(hardware, "WvfrmsCheck").setChecked(true);
  hardware.Sync();
  EXPECT_TRUE(r.service.larkvaneChecks.HardwarePassed());
  test::Keep(hardware, QStringLiteral("lark_part_b_hardware"));
}

TEST(LarkvanePages, SoftwarePageShowsTheChecksumsAndFollowsTheCaption) {
  PagesRig r;
  LarkvaneSoftwarePage page(r.service.larkvaneSoftwareTest, nullptr);
  r.Show(page);
  QPushButton& start = Child<QPushButton>(page, "BtnStartLVSwTest");
  EXPECT_EQ(start.text(), QStringLiteral("&Start Test"));
  start.click();
  page.Sync();
  EXPECT_EQ(start.text(), QStringLiteral("&Next Test"));
  EXPECT_EQ(Child<QListWidget>(page, "LVSwTestListBox").item(0)->text(),
            QStringLiteral("ROM checksum : 7A3F"));
  EXPECT_FALSE(Child<QPushButton>(page, "BtnSkip12").isEnabled());
  for (const char* name : {"RomCsum", "FactCsum"}) Child<QCheckBox>(page, name).setChecked(true);
  page.Sync();
  test::Keep(page, QStringLiteral("lark_part_b_software"));
  start.click();
  r.s.rt.RunFor(4000);
  page.Sync();
  EXPECT_EQ(start.text(), QStringLiteral("&Stop Test"));
  test::Keep(page, QStringLiteral("lark_part_b_software_data"));
  start.click();
  page.Sync();
  EXPECT_TRUE(Child<QPushButton>(page, "BtnSkip12").isEnabled());
  EXPECT_TRUE(r.service.larkvaneSoftwareTest.Checked(LarkvaneSwCheck::kFactCsum));
}

TEST(LarkvanePages, FinalAssemblyPageShowsTheRepliesAndTheJudgedListing) {
  PagesRig r;
  LarkvaneFinalPage page(r.service.larkvaneFinalAssembly, r.service.larkvaneReport, nullptr);
  r.Show(page);
  QPushButton& start = Child<QPushButton>(page, "BtnStartLVFinalAssyTest");
  start.click();
  page.Sync();
  EXPECT_EQ(Child<QListWidget>(page, "LVFinalAssyListBox").count(), 5);
  test::Keep(page, QStringLiteral("lark_part_c_checksum"));
  start.click();
  r.s.prompts.answers.push_back(PromptButton::kYes);
  start.click();
  page.Sync();
  EXPECT_EQ(start.text(), QStringLiteral("&Set M2"));
  EXPECT_EQ(page.findChildren<QRadioButton*>().at(1)->text(),
            QStringLiteral("&2    Check debug data OK"));
  EXPECT_TRUE(page.findChildren<QRadioButton*>().at(1)->isChecked());
  test::Keep(page, QStringLiteral("lark_part_c_debug"));

  r.s.prompts.answers.push_back(PromptButton::kCancel);
  Child<QPushButton>(page, "BtnFinish").click();
  EXPECT_EQ(r.service.testWindow.View().activePage, TestPage::kSelectTest);
  EXPECT_TRUE(r.reports.printed.empty());
}

}  // namespace
}  // namespace ventari
