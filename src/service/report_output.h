// Where the test reports go: the print dialog's choice (a printer, the print preview or a PDF
// file), and the printing of a report's lines on that choice. The windows print through Qt's
// printer; tests capture the pages.
#pragma once

#include <QString>
#include <QStringList>

namespace ventari {

struct Report {
  QString jobTitle;  // "Ventari TEST RESULTS"
  QStringList lines;
  // Lines kept free at the foot of each page: 4 for the Kestrix II report, 2 for the Larkvane's.
  int footLines = 4;
};

class ReportOutput {
 public:
  virtual ~ReportOutput() = default;

  // The print dialog: true when a printer, the preview or a PDF file was chosen; false when the
  // operator cancelled.
  virtual bool Confirm() = 0;
  // Prints `report` on the choice of the last confirmed dialog; false (after saying why) when
  // it could not be printed or saved.
  virtual bool Print(const Report& report) = 0;
};

}  // namespace ventari
