#include "app/service.h"

namespace ventari {

Service::Service(Runtime& runtime, Prompts& prompts, AnemometerLink& anemometerLink,
                 AnemState& state, MainWindowModel& window, const ServiceFileNames& storedFileNames)
    : link{runtime,
           anemometerLink.port,
           anemometerLink.matcherGroup,
           anemometerLink.matchers,
           anemometerLink.channel,
           state,
           prompts},
      fileNames(storedFileNames),
      testWindow(test, prompts,
                 // A printed report ends the unit's test; otherwise the window and its results
                 // stay.
                 [this, &window] {
                   if (test.IsKestrix()) {
                     if (kestrixReport.Run(reports) == KestrixReportEnd::kPrinted) {
                       testWindow.FormClose();
                     }
                   } else if (test.IsLarkvane()) {
                     larkvaneReport.Run(reports, window);
                   }
                 }),
      hardwareChecks(test, testWindow),
      flashProgrammer(link),
      flashPage({prompts, test, folder, fileNames, flashProgrammer,
                 [this](TestPage page) { testWindow.GoTo(page); }}),
      eepromReadHandler(anemometerLink.matchers.EEreadPacket, readouts),
      eepromWriter(link, test),
      eepromReads(link, eepromReadHandler, test),
      eepromProgrammer(link, test, eepromWriter, eepromReads, fileNames, folder),
      nvmPage(test, eepromProgrammer, prompts, folder, fileNames,
              [this](TestPage page) { testWindow.GoTo(page); }),
      extTests(prompts),
      diagnostics(link, extTests),
      kestrixReport(link, test, eepromWriter, eepromProgrammer, extTests, diagnostics, window,
                    folder),
      calibrationReads(link, eepromReadHandler, readouts),
      pathLengths(link, test, calibrationReads, eepromWriter,
                  [this](TestPage page) { testWindow.GoTo(page); }),
      sosCalibration(link, test, calibrationReads, eepromWriter,
                     [this](TestPage page) { testWindow.GoTo(page); }),
      larkvaneChecks(testWindow),
      larkvaneChecksums(link, eepromReadHandler),
      larkvaneSoftwareTest(link, testWindow, larkvaneChecksums),
      larkvaneFinalAssembly(link, testWindow, eepromWriter),
      larkvaneReport({link, test, eepromWriter, eepromProgrammer, larkvaneChecksums, larkvaneChecks,
                      larkvaneSoftwareTest, larkvaneFinalAssembly, testWindow, folder}) {
  testWindow.AddEnterHook(TestPage::kFlashMemory, [this] { flashPage.Show(); });
  // One exchange at a time: while a flash or EEPROM run uses the port, the test window keeps
  // to its page.
  const auto followRuns = [this] {
    testWindow.SetPortBusy(flashProgrammer.Running() || nvmPage.Busy());
  };
  flashProgrammer.Changed().Subscribe(followRuns);
  nvmPage.BusyChanged().Subscribe(followRuns);
  testWindow.SensorTypeSet().Subscribe([this] { nvmPage.SensorTypeSet(); });
  testWindow.UnitStarted().Subscribe([this] {
    extTests.ForgetUnit();
    diagnostics.ForgetUnit();
    larkvaneChecks.ForgetUnit();
    larkvaneSoftwareTest.ForgetUnit();
    larkvaneFinalAssembly.ForgetUnit();
  });
  diagnostics.Output().cellWritten = [this](int address, std::uint8_t value) {
    eepromWriter.Keep(address, value);
  };
  // However the diagnostics page is left, the anemometer stops streaming debug lines.
  testWindow.AddLeaveHook(TestPage::kSoftwareDiagnostics, [this] { diagnostics.StopIfRunning(); });
  testWindow.AddEnterHook(TestPage::kTxdrPathLengths, [this] { pathLengths.Enter(); });
  testWindow.AddLeaveHook(TestPage::kTxdrPathLengths, [this] { pathLengths.Leave(); });
  testWindow.AddEnterHook(TestPage::kCalibrateSos, [this] { sosCalibration.Enter(); });
  // However the SOS page is left (a tab, "Ne&xt", the window closed), "A3" is undone.
  testWindow.AddLeaveHook(TestPage::kCalibrateSos, [this] { sosCalibration.Leave(); });
}

void Service::DataString(const QByteArray& text) {
  larkvaneSoftwareTest.OnDataText(text);
  if (sosCalibration.Active()) sosCalibration.DataString(text);
}

}  // namespace ventari
