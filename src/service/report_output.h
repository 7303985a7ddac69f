// Where the test reports go: the print dialog's choice (a printer, the print preview or a PDF
// file), and the printing of a report's lines on that choice. The windows print through Qt's
// printer; tests capture the pages. Every report printed or saved is also kept as a PDF in the
// service folder's "reports/", so that no certificate depends on the paper alone.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "service/production_test.h"
#include "service/service_folder.h"

namespace ventari {

struct Report {
  QString jobTitle;  // "Ventari TEST RESULTS"
  QStringList lines;
  // Lines kept free at the foot of each page: 4 for the Kestrix II report, 2 for the Larkvane's.
  int footLines = 4;
  // The PDF the report is also kept in once printed or saved; empty: it is not kept.
  QString keptAs;
};

// "reports/<serial>_<type>_<UTC date and time>.pdf" in `folder`, e.g.
// "reports/012345_FA_20261210T142501Z.pdf".
inline QString KeptReportPath(const ServiceFolder& folder, const ProductionTest& test,
                              const QDateTime& utc) {
  return folder.Reports() + test.serialNumber + QLatin1Char('_') + test.TypeName() +
         QLatin1Char('_') + utc.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")) +
         QStringLiteral(".pdf");
}

class ReportOutput {
 public:
  virtual ~ReportOutput() = default;

  // The print dialog: true when a printer, the preview or a PDF file was chosen; false when the
  // operator cancelled.
  virtual bool Confirm() = 0;
  // Prints `report` on the choice of the last confirmed dialog and keeps it; false (after saying
  // why) when it could not be printed or saved, or when the print dialog offered again after a
  // preview closed without printing was cancelled. Only a print or a saved file is true: a
  // preview is not.
  virtual bool Print(const Report& report) = 0;
};

}  // namespace ventari
