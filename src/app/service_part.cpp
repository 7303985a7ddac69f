#include "app/service_part.h"

namespace ventari {

Service::Service(Runtime& runtime, Prompts& prompts, AnemometerLink& anemometerLink,
                 AnemState& state, const ServiceFileNames& storedFileNames)
    : link{runtime,
           anemometerLink.port,
           anemometerLink.matcherGroup,
           anemometerLink.matchers,
           anemometerLink.channel,
           state,
           prompts},
      fileNames(storedFileNames),
      testWindow(test, prompts),
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
      kestrixReport(link, test, eepromWriter, eepromProgrammer, extTests, diagnostics) {
  testWindow.AddEnterHook(TestPage::kFlashMemory, [this] { flashPage.Show(); });
  testWindow.SensorTypeSet().Subscribe([this] { nvmPage.SensorTypeSet(); });
  diagnostics.Output().cellWritten = [this](int address, std::uint8_t value) {
    eepromWriter.Keep(address, value);
  };
  // However the diagnostics page is left, the anemometer stops streaming debug lines.
  testWindow.AddLeaveHook(TestPage::kSoftwareDiagnostics, [this] { diagnostics.StopIfRunning(); });
  // A printed report ends the unit's test; otherwise the window and its results stay.
  testWindow.printReport = [this] {
    if (test.IsKestrix()) {
      if (kestrixReport.Run(reports) == KestrixReportEnd::kPrinted) testWindow.FormClose();
    }
  };
}

}  // namespace ventari
