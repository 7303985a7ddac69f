// The Kestrix II test report: the unit's serial number and type written into its EEPROM, the
// print dialog, the read-back check, and the report's lines (the unit, its programming,
// calibration and test results, the downcount statistics when they were logged, and the EEPROM
// dump) printed on the chosen output.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

#include "base/main_window_model.h"
#include "service/diagnostics_page_model.h"
#include "service/eeprom_programmer.h"
#include "service/eeprom_writer.h"
#include "service/ext_tests_model.h"
#include "service/production_test.h"
#include "service/report_output.h"
#include "service/service_folder.h"
#include "service/service_link.h"

namespace ventari {

// What the report prints beyond the production test's own state.
struct KestrixReportFacts {
  QDate date;
  bool verified = false;        // the EEPROM read back as written
  bool softwarePassed = false;  // all five software diagnostics confirmed
  // The downcount statistics to print; none when they were not to be logged.
  const ExtTestsModel* downcounts = nullptr;
};

// "Axis n path length: " and the stored length in millimetres, or NOT CALIBRATED for an axis
// whose length was never stored.
QString PathLengthLine(const ProductionTest& test, int axis);
// The downcount rings, ten values to a row, and the statistics the extended tests window shows.
QStringList DowncountBlock(const ExtTestsModel& downcounts);
QStringList KestrixReportLines(const ProductionTest& test, const KestrixReportFacts& facts);

enum class KestrixReportEnd {
  kPrinted,       // the report went to the chosen output
  kNoOutput,      // no output is installed: nothing was sent
  kNoConfigMode,  // the anemometer did not answer
  kCancelled,     // the print dialog was cancelled
  kPrintFailed,   // the output could not print it
};

class KestrixReport {
 public:
  KestrixReport(ServiceLink& link, ProductionTest& test, EepromWriter& writer,
                EepromProgrammer& programmer, const ExtTestsModel& extTests,
                const SoftwareDiagnosticsModel& diagnostics, MainWindowModel& window,
                const ServiceFolder& folder)
      : link_(link),
        test_(test),
        writer_(writer),
        programmer_(programmer),
        extTests_(extTests),
        diagnostics_(diagnostics),
        window_(window),
        folder_(folder) {}

  // The whole report on `output` (none: the user is told it cannot be printed). Whatever
  // happens, configuration mode is left; on any end but kPrinted the user has been told why
  // and the results stay for another try.
  KestrixReportEnd Run(ReportOutput* output);

 private:
  void Busy(bool busy) const { window_.SetBusyCursor(busy); }
  // The report from the access word to the print, in configuration mode.
  KestrixReportEnd PrintInConfigMode(ReportOutput& output);
  // The serial number into cells 4 to 9 and the sensor state code into cell 3.
  void WriteIdentity();
  KestrixReportFacts Check();

  ServiceLink& link_;
  ProductionTest& test_;
  EepromWriter& writer_;
  EepromProgrammer& programmer_;
  const ExtTestsModel& extTests_;
  const SoftwareDiagnosticsModel& diagnostics_;
  MainWindowModel& window_;
  const ServiceFolder& folder_;
};

}  // namespace ventari
