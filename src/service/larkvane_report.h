// The Larkvane test report: the serial number written into the unit, its factory checksum
// brought up to date, its EEPROM read back and compared with what the system wrote, and the
// results of every Larkvane page printed with the EEPROM dump. A report that was printed (or
// saved) ends the test and the run; one cancelled at the print dialog, or that could not be
// printed, leaves both as they were.
#pragma once

#include <QDate>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "base/change_notifier.h"
#include "service/eeprom_programmer.h"
#include "service/eeprom_read_handler.h"
#include "service/eeprom_writer.h"
#include "service/larkvane_checks.h"
#include "service/larkvane_checksums.h"
#include "service/larkvane_final_assembly.h"
#include "service/larkvane_software_test.h"
#include "service/production_test.h"
#include "service/report_output.h"
#include "service/service_folder.h"
#include "service/service_link.h"

namespace ventari {

class MainWindowModel;

// What the report's lines say beyond the production test's own state.
struct LarkvaneResults {
  bool partA = false;
  bool assembly = false;
  bool verificationFailed = false;
  // Set when all five software boxes were ticked: the checksums as read for the report.
  std::optional<ChecksumReading> checksums;
  bool hardware = false;
  bool debugDataOk = false;
  QString alignment;
};

QStringList LarkvaneReportLines(const ProductionTest& test, const QDate& date,
                                const LarkvaneResults& results);

class LarkvaneReport {
 public:
  struct Parts {
    ServiceLink& link;
    ProductionTest& test;
    EepromWriter& writer;
    EepromProgrammer& programmer;
    LarkvaneChecksums& checksums;
    LarkvaneChecks& checks;
    LarkvaneSoftwareTest& software;
    LarkvaneFinalAssembly& finalAssembly;
    TestWindowModel& window;
    const ServiceFolder& folder;
  };
  // The cells the anemometer keeps changing itself: what it reads is taken into the image.
  static constexpr int kLiveCells[] = {0x43, 0x44, 0x45};

  explicit LarkvaneReport(Parts parts) : parts_(parts) {}

  // The report on `output` (none: it says that no report can be printed); once printed the test
  // window closes and the main window is asked to close, which ends the run. Returns whether it
  // was printed.
  bool Run(ReportOutput* output, MainWindowModel& window, const QDate& date = QDate::currentDate());

  bool Busy() const { return busy_; }
  ChangeNotifier& Changed() { return changed_; }

 private:
  // Writes the serial number, asks for the checksum and shows the print dialog; false when it
  // was cancelled. `failed` tells whether the verification failed.
  bool Prepare(ReportOutput& output, bool& failed);
  // The read-back and its comparison with the image; false (after its message) on a failure.
  bool Verify();
  void SetBusy(bool busy);

  Parts parts_;
  bool busy_ = false;
  ChangeNotifier changed_;
};

}  // namespace ventari
