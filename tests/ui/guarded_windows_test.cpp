// Buttons pressed after the anemometer's port vanished: the error that ends what they start is the
// loss the port's notice told already, so no box opens and the run goes on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "support/sim_session.h"
#include "ui/frm_test.h"
#include "ui/hardware_page.h"

namespace ventari {
namespace {

// Presses the button `name` of `window`; a box that opens meanwhile is closed and counted.
int BoxesOnPressing(TFrmTest& window, const char* name) {
  int boxes = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&boxes] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      ++boxes;
      box->close();
    }
  });
  watch.start(10);
  window.findChild<QPushButton*>(QString::fromLatin1(name))->click();
  window.Sync();
  return boxes;
}

TEST(GuardedWindows, NextPressedAfterThePortVanishedOpensNoBoxAndTheRunGoesOn) {
  test::SimSession s;
  s.StartAndSearch(QStringLiteral("sim:kestrix2"));
  Service& service = s.session.service();
  TFrmTest window(service.testWindow, {}, nullptr);
  window.SetPageWidget(TestPage::kHardwareDiagnostics,
                       new HardwarePage(service.hardwareChecks, nullptr));
  window.Execute();
  service.test.serialNumber = "012345";
  service.testWindow.AnemometerTypeClick(0);
  service.testWindow.BtnSetSensorTypeClick();
  service.testWindow.GoTo(TestPage::kHardwareDiagnostics);
  s.InstrumentOn(QStringLiteral("sim:kestrix2")).Line().Vanish();
  s.rt.RunFor(1'000);

  EXPECT_EQ(BoxesOnPressing(window, "BtnSkip4"), 0);  // "Ne&xt" of the hardware diagnostics
  EXPECT_EQ(BoxesOnPressing(window, "BtnSkip5"), 0);  // and of the software diagnostics
  EXPECT_EQ(service.testWindow.View().activePage, TestPage::kTxdrPathLengths);
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(s.prompts.Messages().empty());
}

}  // namespace
}  // namespace ventari
