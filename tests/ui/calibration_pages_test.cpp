// The two calibration pages mirror their models over a simulated Kestrix II: axis 3's entry and
// label disabled, the read-outs filled from the anemometer, "Cal&ibrate" enabled only by the
// readings that follow a confirmed reset and "&Re-calibrate" only by a calibration.
#include <gtest/gtest.h>

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "sim/instrument.h"
#include "support/screenshot.h"
#include "support/sim_session.h"
#include "ui/path_lengths_page.h"
#include "ui/sos_page.h"

namespace ventari {
namespace {

using test::Keep;

const QString kKestrix = QStringLiteral("sim:kestrix2");

sim::InstrumentOptions InTheBin() {
  sim::InstrumentOptions options;
  options.faults.sosError = 0.37;
  return options;
}

class CalibrationPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.StartAndSearch(kKestrix);
    ASSERT_TRUE(s.session.commands().discovery.Found());
    TestWindowModel& window = s.session.service().testWindow;
    window.FormShow();
    window.AnemometerTypeClick(0);
    s.prompts.inputs.push_back(QStringLiteral("123456"));
    window.BtnSetSensorTypeClick();
  }
  Service& service() { return s.session.service(); }
  template <typename T>
  T& Child(QWidget& page, const char* name) {
    T* child = page.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return *child;
  }

  test::SimSession s{InTheBin()};
};

TEST_F(CalibrationPagesTest, ThePathLengthsPageShowsTheCellsAndKeepsAxis3Disabled) {
  PathLengthsPage page(service().pathLengths, nullptr);
  page.resize(760, 330);
  auto& a3 = Child<QLineEdit>(page, "A3Len");
  auto* form = qobject_cast<QFormLayout*>(a3.parentWidget()->layout());
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(a3.isEnabled());
  EXPECT_FALSE(form->labelForField(&a3)->isEnabled());
  EXPECT_TRUE(Child<QLineEdit>(page, "A1Len").isEnabled());

  service().testWindow.GoTo(TestPage::kTxdrPathLengths);
  emit Child<QLineEdit>(page, "A1Len").textEdited(QStringLiteral("1464"));
  emit Child<QLineEdit>(page, "A2Len").textEdited(QStringLiteral("1436"));
  page.Sync();
  EXPECT_EQ(service().pathLengths.Entry(1), QStringLiteral("1436"));
  for (const char* name : {"CurrentAxis1", "CurrentAxis2", "CurrentAxis3", "EngChecksum"}) {
    EXPECT_FALSE(Child<QLineEdit>(page, name).text().isEmpty()) << name;
  }
  Keep(page, QStringLiteral("path_lengths_page"));

  service().test.axis3Enabled = true;
  page.Sync();
  EXPECT_TRUE(a3.isEnabled());
  EXPECT_TRUE(form->labelForField(&a3)->isEnabled());
}

TEST_F(CalibrationPagesTest, CalibrateWaitsForReadingsAndReCalibrateForACalibration) {
  SosPage page(service().sosCalibration, nullptr);
  page.resize(820, 400);
  auto& calibrate = Child<QPushButton>(page, "BtnCalSOS");
  auto& recalibrate = Child<QPushButton>(page, "BtnReCalSOS");
  EXPECT_FALSE(calibrate.isEnabled());
  EXPECT_FALSE(recalibrate.isEnabled());
  EXPECT_FALSE(Child<QLineEdit>(page, "TheoSOSEdit").isEnabled());

  service().testWindow.GoTo(TestPage::kCalibrateSos);
  emit Child<QLineEdit>(page, "TempEdit").textEdited(QStringLiteral("20.0"));
  s.session.link().channel.Delay(8000);
  page.Sync();
  EXPECT_FALSE(calibrate.isEnabled());  // not ten readings yet
  ASSERT_TRUE(s.session.link().channel.WaitFor(
      [this] { return service().sosCalibration.CalEnabled(); }, 30000));
  page.Sync();
  EXPECT_TRUE(calibrate.isEnabled());
  EXPECT_EQ(Child<QListWidget>(page, "SosCalListBox").count(), 13);
  EXPECT_TRUE(Child<QListWidget>(page, "SosCalListBox").item(0)->text().startsWith("Q,"));
  Keep(page, QStringLiteral("sos_page_readings"));

  calibrate.click();
  s.session.link().channel.Delay(5000);
  page.Sync();
  EXPECT_FALSE(calibrate.isEnabled());
  EXPECT_TRUE(recalibrate.isEnabled());
  // -0.36994 m/s: -36 hundredths.
  EXPECT_EQ(Child<QLineEdit>(page, "SOSOffsetLower").text(), QStringLiteral("220"));
  EXPECT_EQ(Child<QLineEdit>(page, "SOSOffsetUpper").text(), QStringLiteral("255"));
  Keep(page, QStringLiteral("sos_page_calibrated"));
}

}  // namespace
}  // namespace ventari
