// The Non volatile memory page mirrors its model and forwards the user's actions to it.
#include "ui/nvm_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "service/eeprom_read_handler.h"
#include "service/eeprom_reads.h"
#include "service/eeprom_writer.h"
#include "support/screenshot.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

struct PageRig {
  PageRig() {
    folder.SetRoot(s.dir.path());
    QDir().mkpath(folder.KestrixEeprom());
    for (const char* name : {"K2.usr", "K2.eng", "K2.cal", "old.cal"}) {
      QFile(folder.KestrixEeprom() + QLatin1String(name)).open(QIODevice::WriteOnly);
    }
    names.Kestrix2_User = names.Kestrix2_Eng = names.Kestrix2_Cal = QStringLiteral("K2");
    test.sensor = SensorState::kKestrix2Heated;
  }

  test::SimSession s;
  ProductionTest test;
  ServiceFolder folder;
  ServiceFileNames names;
  CalibrationReadouts readouts;
  AnemometerLink& link = s.session.link();
  ServiceLink service{s.rt,          link.port,    link.matcherGroup,
                      link.matchers, link.channel, s.session.anemometer().state,
                      s.prompts};
  EepromReadHandler handler{link.matchers.EEreadPacket, readouts};
  EepromWriter writer{service, test};
  EepromReads reads{service, handler, test};
  EepromProgrammer programmer{service, test, writer, reads, names, folder};
  std::vector<TestPage> moves;
  NvmPageModel model{test,   programmer, s.prompts,
                     folder, names,      [this](TestPage p) { moves.push_back(p); }};
};

TEST(NvmPage, ShowingThePageFillsItAndTheControlsFollowTheSensorType) {
  PageRig r;
  NvmPage page(r.model);
  r.model.SensorTypeSet();
  page.show();
  EXPECT_EQ(page.Combo(EepromKind::kCal)->count(), 2);
  EXPECT_EQ(page.Combo(EepromKind::kCal)->currentText(), QStringLiteral("K2.cal"));
  EXPECT_TRUE(page.CheckBox(EepromKind::kUser)->isEnabled());
  EXPECT_FALSE(page.CheckBox(EepromKind::kOpt)->isEnabled());
  EXPECT_FALSE(page.BrowseButton(EepromKind::kOpt)->isEnabled());
  EXPECT_TRUE(page.CheckBox(EepromKind::kEng)->isChecked());
  EXPECT_FALSE(page.Label35()->isVisible());
  EXPECT_EQ(page.BtnProgram2()->text(), QStringLiteral("&Program"));
  test::Keep(page, QStringLiteral("nvm_page"));

  page.Combo(EepromKind::kCal)->setCurrentIndex(1);
  EXPECT_EQ(r.model.Kind(EepromKind::kCal).Selected(), QStringLiteral("old.cal"));
  r.s.prompts.files.push_back(r.s.dir.filePath(QStringLiteral("mine.usr")));
  page.BrowseButton(EepromKind::kUser)->click();
  EXPECT_EQ(page.Combo(EepromKind::kUser)->currentText(),
            r.s.dir.filePath(QStringLiteral("mine.usr")));

  // Nothing checked: nothing to write, and the page moves on.
  for (const EepromKind kind : {EepromKind::kUser, EepromKind::kEng, EepromKind::kCal}) {
    page.CheckBox(kind)->setChecked(false);
    EXPECT_FALSE(r.model.Kind(kind).checked);
  }
  page.BtnProgram2()->click();
  EXPECT_EQ(r.moves, std::vector<TestPage>{TestPage::kHardwareDiagnostics});
  EXPECT_TRUE(page.BtnProgram2()->isEnabled());
  page.BtnSkip3()->click();
  EXPECT_EQ(r.moves.size(), 2u);
}

}  // namespace
}  // namespace ventari
