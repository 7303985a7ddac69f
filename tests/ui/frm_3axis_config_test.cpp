// The three-axis setup dialog offscreen over a simulated T7: its controls and captions for each
// model and rate, a list change that talks to the anemometer, and the averaging edit's keys.
#include "ui/frm_3axis_config.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "support/screenshot.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

using test::Keep;
using test::SimSession;

struct Look {
  const char* name;
  const char* port;
  int baud;
  bool instantaneous;
  bool channels;
};

QStringList GroupTitles(const QWidget& dialog) {
  QStringList titles;
  for (const QGroupBox* box : dialog.findChildren<QGroupBox*>()) titles.append(box->title());
  return titles;
}

TEST(Frm3AxisConfig, ShowsEveryControlForTheModelFound) {
  const Look looks[] = {
      {"setup_t7", "sim:t7", 19200, false, true},
      {"setup_t7_50", "sim:t7-50", 38400, true, true},
      {"setup_t7_9600", "sim:t7", 9600, false, false},
  };
  for (const Look& look : looks) {
    SCOPED_TRACE(look.name);
    sim::InstrumentOptions options;
    options.baud = look.baud;
    SimSession s(options);
    s.StoreSettings(QString::fromLatin1(look.port), look.baud);
    s.StartAndSearch(QString::fromLatin1(look.port));
    TriAxisSetup& setup = s.session.commands().setup;
    TFrm3AxisConfig dialog(setup, nullptr);
    setup.Open();
    dialog.show();
    QApplication::processEvents();

    EXPECT_EQ(dialog.windowTitle(), "Setup");
    const QStringList titles = GroupTitles(dialog);
    for (const char* title :
         {"Data Reported", "Meaurement Mode String Format", "Reporting Speed", "Analogue Input",
          "Channel Control", "Additional Features", "PC Averaging", "Averaging (1 to 250)"}) {
      EXPECT_TRUE(titles.contains(QString::fromLatin1(title))) << title;
    }
    EXPECT_EQ(dialog.findChild<QComboBox*>("CbReportMode")->count(), 5);
    EXPECT_EQ(dialog.findChild<QComboBox*>("CbBaud")->currentText(), QString::number(look.baud));
    EXPECT_FALSE(dialog.findChild<QComboBox*>("CbMessageMode")->isVisible());
    EXPECT_EQ(dialog.findChild<QComboBox*>("CbInstantaneous")->isEnabled(), look.instantaneous);
    EXPECT_EQ(dialog.findChild<QCheckBox*>("Channel1")->isEnabled(), look.channels);
    EXPECT_EQ(dialog.findChild<QPushButton*>("BtnAvgSet")->text(), "Set");
    EXPECT_NE(dialog.findChild<QPushButton*>("BtnClose"), nullptr);
    Keep(dialog, QString::fromLatin1(look.name));
    dialog.close();
    EXPECT_FALSE(setup.Shown());
  }
}

struct Change {
  const char* list;
  int item;
  const char* sent;
};

TEST(Frm3AxisConfig, AChosenItemIsSentAndTheDialogComesBack) {
  const Change changes[] = {
      {"CbReportMode", 3, "WINDREP POLAR UNCAL\r"},
      {"CbCtone", 0, "CTONE DISABLE\r"},
      {"CbAlign", 1, "ALIGNUVW SPAR\r"},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.list);
    SimSession s;
    s.StartAndSearch(QStringLiteral("sim:t7"));
    TriAxisSetup& setup = s.session.commands().setup;
    TFrm3AxisConfig dialog(setup, nullptr);
    setup.Open();
    dialog.show();
    const std::int64_t from = s.rt.NowMs();
    auto* list = dialog.findChild<QComboBox*>(QString::fromLatin1(change.list));
    list->setCurrentIndex(change.item);
    emit list->activated(change.item);
    EXPECT_EQ(s.tap.SentSince(from), change.sent);
    EXPECT_TRUE(dialog.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(list->currentIndex(), change.item);
    dialog.close();
  }
}

TEST(Frm3AxisConfig, AKeyThatIsNoDigitEmptiesTheAveraging) {
  SimSession s;
  s.StartAndSearch(QStringLiteral("sim:t7"));
  TriAxisSetup& setup = s.session.commands().setup;
  TFrm3AxisConfig dialog(setup, nullptr);
  setup.Open();
  dialog.show();
  auto* edit = dialog.findChild<QLineEdit*>("EdAveraging");
  edit->setText(QStringLiteral("12"));
  emit edit->textEdited(edit->text());
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    bool kept;
  } keys[] = {{Qt::Key_5, Qt::NoModifier, true},
              {Qt::Key_5, Qt::KeypadModifier, true},
              {Qt::Key_Return, Qt::NoModifier, true},
              {Qt::Key_Backspace, Qt::NoModifier, false}};
  for (const auto& key : keys) {
    setup.SetAveragingText(QStringLiteral("12"));
    QKeyEvent release(QEvent::KeyRelease, key.key, key.modifiers);
    QApplication::sendEvent(edit, &release);
    EXPECT_EQ(setup.Config().Averaging.isEmpty(), !key.kept) << key.key;
  }
  dialog.close();
}

}  // namespace
}  // namespace ventari
