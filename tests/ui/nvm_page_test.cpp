// The Non volatile memory page mirrors its model and forwards the user's actions to it.
#include "ui/nvm_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "support/eeprom_parts.h"
#include "support/screenshot.h"

namespace ventari {
namespace {

struct PageRig : test::EepromParts {
  PageRig() {
    QDir().mkpath(folder.KestrixEeprom());
    for (const char* name : {"K2.usr", "K2.eng", "K2.cal", "old.cal"}) {
      QFile(folder.KestrixEeprom() + QLatin1String(name)).open(QIODevice::WriteOnly);
    }
    names.Kestrix2_User = names.Kestrix2_Eng = names.Kestrix2_Cal = QStringLiteral("K2");
    test.sensor = SensorState::kKestrix2Heated;
  }
};

TEST(NvmPage, ShowingThePageFillsItAndTheControlsFollowTheSensorType) {
  PageRig r;
  NvmPage page(r.page);
  r.page.SensorTypeSet();
  page.show();
  EXPECT_EQ(page.Combo(EepromKind::kCal)->count(), 2);
  EXPECT_EQ(page.Combo(EepromKind::kCal)->currentText(), QStringLiteral("K2.cal"));
  EXPECT_TRUE(page.CheckBox(EepromKind::kUser)->isEnabled());
  EXPECT_FALSE(page.CheckBox(EepromKind::kOpt)->isEnabled());
  EXPECT_FALSE(page.BrowseButton(EepromKind::kOpt)->isEnabled());
  EXPECT_TRUE(page.CheckBox(EepromKind::kEng)->isChecked());
  EXPECT_FALSE(page.BusyLabel()->isVisible());
  EXPECT_EQ(page.BtnProgram2()->text(), QStringLiteral("&Program"));
  test::Keep(page, QStringLiteral("nvm_page"));

  page.Combo(EepromKind::kCal)->setCurrentIndex(1);
  EXPECT_EQ(r.page.Kind(EepromKind::kCal).Selected(), QStringLiteral("old.cal"));
  r.s.prompts.files.push_back(r.s.dir.filePath(QStringLiteral("mine.usr")));
  page.BrowseButton(EepromKind::kUser)->click();
  EXPECT_EQ(page.Combo(EepromKind::kUser)->currentText(),
            r.s.dir.filePath(QStringLiteral("mine.usr")));

  // Nothing checked: nothing to write, and the page moves on.
  for (const EepromKind kind : {EepromKind::kUser, EepromKind::kEng, EepromKind::kCal}) {
    page.CheckBox(kind)->setChecked(false);
    EXPECT_FALSE(r.page.Kind(kind).checked);
  }
  page.BtnProgram2()->click();
  EXPECT_EQ(r.moves, std::vector<TestPage>{TestPage::kHardwareDiagnostics});
  EXPECT_TRUE(page.BtnProgram2()->isEnabled());
  page.BtnSkip3()->click();
  EXPECT_EQ(r.moves.size(), 2u);
}

TEST(NvmPage, RestoringTheMinimisedWindowKeepsTheChosenFile) {
  PageRig r;
  NvmPage page(r.page);
  r.page.SensorTypeSet();
  page.show();
  const QString mine = r.s.dir.filePath(QStringLiteral("mine.cal"));
  r.s.prompts.files.push_back(mine);
  page.BrowseButton(EepromKind::kCal)->click();
  page.setWindowState(Qt::WindowMinimized);
  page.setWindowState(Qt::WindowNoState);
  EXPECT_EQ(page.Combo(EepromKind::kCal)->currentText(), mine);
  EXPECT_EQ(r.page.SourcePath(EepromKind::kCal), mine);
}

}  // namespace
}  // namespace ventari
