// The two-axis configuration windows mirror their models: the groups the model found offers,
// the selection last read, OK and Cancel forwarded, OK disabled while the anemometer is talked
// to.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <memory>

#include "support/screenshot.h"
#include "support/sim_session.h"
#include "ui/frm_analogue.h"
#include "ui/frm_anemcomms.h"
#include "ui/frm_averaging.h"
#include "ui/frm_lv_analogue.h"
#include "ui/frm_out_format.h"

namespace ventari {
namespace {

using test::Keep;
using test::SimSession;

// The checked item's caption of each visible group, "-" for none.
QStringList Checked(RadioDialog& dialog, int groups) {
  QStringList checked;
  for (int g = 0; g < groups; ++g) {
    QGroupBox& box = dialog.Group(g);
    if (box.isHidden()) continue;
    QString text = QStringLiteral("-");
    for (QRadioButton* radio : box.findChildren<QRadioButton*>()) {
      if (radio->isChecked()) text = radio->text();
    }
    checked << text;
  }
  return checked;
}

struct Look {
  const char* name;
  const char* port;
  std::function<std::unique_ptr<RadioDialog>(TwoAxisDialogs&)> make;
  const char* caption;
  int groups;
  QStringList checked;   // as read from the simulated anemometer's defaults
  QStringList disabled;  // the object names of the disabled groups
  const char* firstGroup;
};

TEST(TwoAxisConfigWindows, EachDialogShowsTheGroupsOfTheModelFoundWithTheSettingsRead) {
  const auto comms = [](TwoAxisDialogs& d) {
    return std::make_unique<TFrmAnemcomms>(d.comms, nullptr);
  };
  const auto format = [](TwoAxisDialogs& d) {
    return std::make_unique<TFrmOutFormat>(d.outputFormat, nullptr);
  };
  const Look looks[] = {
      {"comms_kestrix",
       "sim:kestrix2",
       comms,
       "Anemometer communications",
       4,
       {"9&600 baud", "&None", "&8", "&Full duplex"},
       {"Duplex"},
       "BaudRate"},
      {"comms_larkvane",
       "sim:larkvane",
       comms,
       "Anemometer communications",
       4,
       {"9&600 baud", "&None", "&8", "-"},
       {"DataBits", "Duplex"},
       "LvBaudRate"},
      {"out_format_kestrix",
       "sim:kestrix2",
       format,
       "Output formatting",
       7,
       {"&CR && LF", "Fi&xed field", "&1 Hz", "&mps", "&Disabled", "&None"},
       {},
       "MessageTerm"},
      {"out_format_larkvane",
       "sim:larkvane",
       format,
       "Output formatting",
       7,
       {"&CR && LF", "CS&V", "&1 Hz", "&mps", "-", "-"},
       {"VerticalPad", "SonicOutputs"},
       "MessageTerm"},
      {"analogue_kestrix",
       "sim:kestrix2",
       [](TwoAxisDialogs& d) { return std::make_unique<TFrmAnalogue>(d.analogue, nullptr); },
       "Analogue output module configuration",
       5,
       {"+/- &10 m/s", "&0 - 5V", "&Power-up tests off", "&Status", "540 &degrees"},
       {},
       "Scaling"},
      {"analogue_larkvane",
       "sim:larkvane",
       [](TwoAxisDialogs& d) { return std::make_unique<TFrmLVAnalogue>(d.lvAnalogue, nullptr); },
       "Analogue output module configuration",
       3,
       {"Analogue output disabled", "0 - 539 degrees", "0 - 5 volt"},
       {},
       "LvAnalogueRange"},
  };
  for (const Look& look : looks) {
    SCOPED_TRACE(look.name);
    SimSession s;
    s.StartAndSearch(QString::fromLatin1(look.port));
    auto dialog = look.make(s.session.commands().twoAxisDialogs);
    dialog->show();
    dialog->Sync();
    EXPECT_EQ(dialog->windowTitle(), look.caption);
    EXPECT_EQ(Checked(*dialog, look.groups), look.checked);
    QStringList disabled;
    for (int g = 0; g < look.groups; ++g) {
      if (!dialog->Group(g).isHidden() && !dialog->Group(g).isEnabled()) {
        disabled << dialog->Group(g).objectName();
      }
    }
    EXPECT_EQ(disabled, look.disabled);
    EXPECT_EQ(dialog->Group(0).objectName(), look.firstGroup);
    Keep(*dialog, QString::fromLatin1(look.name));
  }
}

TEST(TwoAxisConfigWindows, CancelPutsTheSelectionBackAndSendsNothing) {
  SimSession s;
  s.StartAndSearch("sim:kestrix2");
  TwoAxisDialogs& dialogs = s.session.commands().twoAxisDialogs;
  TFrmOutFormat window(dialogs.outputFormat, nullptr);
  dialogs.outputFormat.Activate();
  window.show();
  window.Sync();
  window.Group(OutputFormatDialog::kOutputUnits).findChildren<QRadioButton*>()[1]->click();
  EXPECT_EQ(s.session.anemometer().twoAxisConfig.OutputUnits, 1);
  const auto writes = s.tap.Writes().size();
  window.CancelButton().click();
  EXPECT_EQ(s.session.anemometer().twoAxisConfig.OutputUnits, 0);
  EXPECT_EQ(s.tap.Writes().size(), writes);
  EXPECT_FALSE(window.isVisible());
}

TEST(TwoAxisConfigWindows, OkTalksWithOkDisabledAndClosesAfterwards) {
  SimSession s;
  s.StartAndSearch("sim:kestrix2");
  TwoAxisDialogs& dialogs = s.session.commands().twoAxisDialogs;
  TFrmAnalogue window(dialogs.analogue, nullptr);
  dialogs.analogue.Activate();
  window.show();
  window.Sync();
  window.Group(AnalogueDialog::kScaling).findChildren<QRadioButton*>()[2]->click();
  std::vector<bool> okEnabled;
  s.rt.Schedule(2000, [&] {
    window.Sync();
    okEnabled.push_back(window.OkButton().isEnabled());
  });
  const auto writes = s.tap.Writes().size();
  window.OkButton().click();
  EXPECT_EQ(okEnabled, std::vector<bool>{false});
  EXPECT_TRUE(window.OkButton().isEnabled());
  EXPECT_FALSE(window.isVisible());
  EXPECT_NE(s.tap.SentSince(s.tap.Writes()[writes].atMs).find("Z3\r\n"), std::string::npos);
}

TEST(TwoAxisConfigWindows, TheAveragingEditTakesFourDigitsAndShowsItsHint) {
  SimSession s;
  s.StartAndSearch("sim:kestrix2");
  AveragingDialog& model = s.session.commands().twoAxisDialogs.averaging;
  TFrmAveraging window(model, nullptr);
  window.show();
  window.Sync();
  EXPECT_EQ(window.windowTitle(), "Set averaging period");
  EXPECT_EQ(window.Edit().toolTip(),
            "The averaging period may be set to any value between 0 and 3600 seconds");
  EXPECT_EQ(window.Edit().font().pixelSize(), 32);
  window.Edit().setFocus();
  window.Edit().home(false);
  for (const char c : {'0', '6', '0', '0'}) {
    window.Edit().insert(QString(QChar::fromLatin1(c)));
  }
  Q_EMIT window.Edit().textEdited(window.Edit().text());
  EXPECT_EQ(model.Text(), "0600");
  Keep(window, QStringLiteral("averaging"));
  window.OkButton().click();
  EXPECT_EQ(s.session.anemometer().twoAxisConfig.AveragingPeriod, 600);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace ventari
