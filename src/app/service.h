// The service part of a run: the production test's state, the folder of the service files, the
// stored default file names and the models of the test window's pages, over what they use of the
// anemometer's link. Each page's model is one member here, built after the test window's model
// it registers with.
#pragma once

#include <QByteArray>
#include <functional>

#include "app/session_parts.h"
#include "service/calibration_readouts.h"
#include "service/diagnostics_page_model.h"
#include "service/eeprom_programmer.h"
#include "service/eeprom_read_handler.h"
#include "service/eeprom_reads.h"
#include "service/eeprom_writer.h"
#include "service/ext_tests_model.h"
#include "service/flash_page_model.h"
#include "service/flash_programmer.h"
#include "service/hardware_checks.h"
#include "service/kestrix_report.h"
#include "service/larkvane_checks.h"
#include "service/larkvane_checksums.h"
#include "service/larkvane_final_assembly.h"
#include "service/larkvane_report.h"
#include "service/larkvane_software_test.h"
#include "service/nvm_page_model.h"
#include "service/path_lengths_model.h"
#include "service/production_test.h"
#include "service/readout_reads.h"
#include "service/report_output.h"
#include "service/service_file_names.h"
#include "service/service_folder.h"
#include "service/service_link.h"
#include "service/sos_calibration_model.h"
#include "service/test_window_model.h"

namespace ventari {

struct Service {
  // `fileNames` are the stored ones, read when the settings load.
  Service(Runtime& runtime, Prompts& prompts, AnemometerLink& link, AnemState& state,
          MainWindowModel& window, const ServiceFileNames& fileNames);
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;

  // A flash, EEPROM or test-window run is in progress.
  bool Running() const {
    return testWindow.View().visible || flashProgrammer.Running() || nvmPage.Busy();
  }

  ServiceLink link;
  const ServiceFileNames& fileNames;
  ProductionTest test;
  ServiceFolder folder;
  TestWindowModel testWindow;
  HardwareChecks hardwareChecks;

  FlashProgrammer flashProgrammer;
  FlashPageModel flashPage;

  // Every cell read and written, for the EEPROM page and the calibration read-outs.
  CalibrationReadouts readouts;
  EepromReadHandler eepromReadHandler;
  EepromWriter eepromWriter;
  EepromReads eepromReads;
  EepromProgrammer eepromProgrammer;
  NvmPageModel nvmPage;

  ExtTestsModel extTests;
  SoftwareDiagnosticsModel diagnostics;
  KestrixReport kestrixReport;

  // The calibration pages, reading their cells into `readouts`.
  ReadoutReads calibrationReads;
  PathLengthsModel pathLengths;
  SosCalibrationModel sosCalibration;

  // The Larkvane's pages and its report.
  LarkvaneChecks larkvaneChecks;
  LarkvaneChecksums larkvaneChecksums;
  LarkvaneSoftwareTest larkvaneSoftwareTest;
  LarkvaneFinalAssembly larkvaneFinalAssembly;
  LarkvaneReport larkvaneReport;

  // A two-axis data string as the decoder received it: the Larkvane software test's list shows
  // it, the SOS page takes it while active.
  void DataString(const QByteArray& text);

  // Where the reports are printed: set by the windows (and by tests); none, and a report says
  // that it cannot be printed.
  ReportOutput* reports = nullptr;
  // Ends the run as closing the main window does (after the Larkvane report); set by the
  // windows.
};

}  // namespace ventari
