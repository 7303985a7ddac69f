// The test reports on paper, in the print preview or in a PDF file: the print dialog offers the
// three, and the report is drawn by the paging rule on the test window's printer with its
// resolution and the report's font.
#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "base/prompts.h"
#include "service/report_output.h"

class QPainter;
class QPrinter;

namespace ventari {

class ReportPrinter : public QObject, public ReportOutput {
 public:
  enum class Target { kPrinter, kPreview, kPdf };

  // Dialogs are centred on `parent`, which owns the printer object.
  ReportPrinter(QPrinter& printer, Prompts& prompts, QWidget* parent);

  // The chooser: "&Print..." (then the printer dialog), "Print pre&view" or "Save as &PDF..."
  // (then the file name); false when any of them was cancelled.
  bool Confirm() override;
  // Draws `report` on the target chosen last, then keeps it as a PDF in `report.keptAs`. The
  // preview is shown until it is closed: printed from there the report is printed; closed
  // without, the chooser comes back. False, after a message, when the printer or the file could
  // not be opened; false when the chooser that came back was cancelled.
  bool Print(const Report& report) override;

  Target LastTarget() const { return target_; }
  // Points the output at a PDF file without the dialogs, as "Save as &PDF..." does.
  void ChoosePdf(const QString& fileName);

  // The font the reports are printed in.
  static QFont ReportFont();

 private:
  // Draws `report` on `printer`; false when its painter could not begin.
  bool Render(QPrinter& printer, const Report& report);
  // The preview until it is closed; true when the report was printed from it.
  bool Preview(const Report& report);
  // The PDF of a report printed or saved, on the printer's page layout.
  void Keep(const Report& report);

  QPrinter& printer_;
  Prompts& prompts_;
  QPointer<QWidget> parent_;
  Target target_ = Target::kPrinter;
};

}  // namespace ventari
