// The software diagnostics page and the extended downcounts window mirror their models: the
// items with their marks, the memo, the received lines with the newest in view, "Extended
// testing" only beside Downcounts, the statistics red until 120 samples and green after.
#include "ui/diagnostics_page.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <string>

#include "service/diagnostics_page_model.h"
#include "support/channel_on_line.h"
#include "support/screenshot.h"
#include "ui/frm_ext_tests.h"

namespace ventari {
namespace {

using test::Keep;
using test::ScriptedLine;

class DiagnosticsWindowsTest : public ::testing::Test, protected test::ChannelOnLine {
 protected:
  DiagnosticsWindowsTest() {
    line.SetResponder([](ScriptedLine& l, std::uint8_t byte) {
      if (byte == '*') l.DeliverIn(20, "\r\nCONFIGURATION MODE\r\n");
    });
  }

  void Receive(const std::string& text, int times) {
    for (int i = 0; i < times; ++i) line.DeliverIn(10 * (i + 1), "\n" + text);
    rt.RunFor(10 * (times + 1));
    page.Sync();
    ext.Sync();
  }
  QStringList ItemTexts() {
    QStringList texts;
    for (QRadioButton* radio : page.SoftwareDiagnostics().findChildren<QRadioButton*>()) {
      texts << radio->text();
    }
    return texts;
  }
  QString Colour(ExtTestsRow row, int axis) {
    return ext.ValueLabel(row, axis).palette().color(QPalette::WindowText).name();
  }

  ExtTestsModel extModel{prompts};
  SoftwareDiagnosticsModel model{ServiceLink{rt, port, group, matchers, channel, state, prompts},
                                 extModel};
  DiagnosticsPage page{model, nullptr};
  TFrmExtTests ext{extModel, nullptr};
};

TEST_F(DiagnosticsWindowsTest, ThePageShowsItsItemsMemoAndTheNewestLines) {
  page.resize(760, 560);
  page.show();
  EXPECT_EQ(page.SoftwareDiagnostics().title(), "Software diagnostics");
  EXPECT_EQ(ItemTexts(), (QStringList{"&1   Status", "&2   Gain", "&3   Downcounts", "&4   Preload",
                                      "&5   Coarse Difference"}));
  EXPECT_TRUE(page.SoftwareDiagnostics().findChildren<QRadioButton*>()[0]->isChecked());
  EXPECT_EQ(page.BtnStartTest1().text(), "Sta&rt test");
  EXPECT_EQ(page.BtnStopTest1().text(), "Sto&p test");
  EXPECT_EQ(page.BtnSkip5().text(), "Ne&xt");
  EXPECT_EQ(page.Lines().frameShape(), QFrame::NoFrame);
  EXPECT_TRUE(page.Lines().toPlainText().endsWith("Paths blocked:   n4x2 (fixed)"));
  EXPECT_TRUE(page.ExtTests().isHidden());

  page.SoftwareDiagnostics().findChildren<QRadioButton*>()[2]->click();
  page.Sync();
  EXPECT_FALSE(page.ExtTests().isHidden());
  EXPECT_TRUE(page.ExtTests().isChecked());
  EXPECT_EQ(page.ExtTests().text(), "Extended testing");
  EXPECT_EQ(page.Lines().toPlainText(),
            "Check data matches the following format:- \nPaths clear:     1C-24 (range)");

  page.SoftwareDiagnostics().findChildren<QRadioButton*>()[0]->click();
  page.BtnStartTest1().click();
  EXPECT_NE(line.SentText().find("W 65 1\r\n"), std::string::npos);
  for (int i = 0; i < 40; ++i) {
    line.DeliverIn(10 * (i + 1), "\n" + std::to_string(i % 4) + "100 1100 2100 3100 sample" +
                                     std::to_string(100 + i) + "\r");
  }
  rt.RunFor(500);
  page.Sync();
  QListWidget& list = page.DbgListBox();
  EXPECT_EQ(list.count(), 40);
  // The newest 15 lines in view, the newest at the bottom.
  const QRect view = list.viewport()->rect();
  EXPECT_TRUE(view.contains(list.visualItemRect(list.item(39))));
  EXPECT_TRUE(view.contains(list.visualItemRect(list.item(25))));
  EXPECT_FALSE(view.intersects(list.visualItemRect(list.item(24))));
  Keep(page, QStringLiteral("diagnostics_page"));

  prompts.answers = {PromptButton::kYes};
  page.BtnStopTest1().click();
  page.Sync();
  EXPECT_EQ(ItemTexts()[0], "&1   Status OK");
  EXPECT_TRUE(page.SoftwareDiagnostics().findChildren<QRadioButton*>()[1]->isChecked());
}

TEST_F(DiagnosticsWindowsTest, TheStatisticsWindowIsRedUntil120SamplesThenGreen) {
  EXPECT_EQ(ext.windowTitle(), "Extended downcounts tests");
  EXPECT_FALSE(ext.isModal());
  EXPECT_EQ(ext.ValueLabel(ExtTestsRow::kMin, 2).objectName(), "MinAxis3");
  EXPECT_EQ(ext.ValueLabel(ExtTestsRow::kStdDev, 0).objectName(), "StdDevAxis1");
  EXPECT_EQ(ext.ValueLabel(ExtTestsRow::kMin, 2).text(), "999");
  EXPECT_FALSE(ext.isVisible());

  model.Select(2);
  model.Start();
  ext.Sync();
  EXPECT_TRUE(ext.isVisible());
  Receive("1C   1E   20  ", 30);
  Receive("1c   1E   20  ", 1);
  EXPECT_EQ(Colour(ExtTestsRow::kAverage, 1), "#ff0000");
  EXPECT_EQ(ext.Counts().text(), "Samples: 30   Bad lines: 1");
  Keep(ext, QStringLiteral("ext_tests_red"));

  Receive("1C   1E   20  ", 90);
  EXPECT_EQ(Colour(ExtTestsRow::kAverage, 1), "#008000");
  EXPECT_EQ(ext.ValueLabel(ExtTestsRow::kAverage, 1).text(), "30.0000");
  EXPECT_EQ(ext.ValueLabel(ExtTestsRow::kStdDev, 2).text(), "0.0000");
  EXPECT_EQ(ext.ValueLabel(ExtTestsRow::kMax, 0).text(), "28");
  Keep(ext, QStringLiteral("ext_tests_green"));

  prompts.answers = {PromptButton::kOk};
  ext.BtnOKExtDwncnts().click();
  ext.Sync();
  page.Sync();
  EXPECT_FALSE(ext.isVisible());
  EXPECT_EQ(ItemTexts()[2], "&3   Downcounts OK");
  EXPECT_EQ(prompts.Messages().back().caption, "LOG DOWNCOUNTS?");
}

}  // namespace
}  // namespace ventari
