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
  // Draws `report` on the target chosen last; the preview is shown until it is closed. False,
  // after a message, when the printer or the file could not be opened.
  bool Print(const Report& report) override;

  Target LastTarget() const { return target_; }
  // Points the output at a PDF file without the dialogs, as "Save as &PDF..." does.
  void ChoosePdf(const QString& fileName);

  // The font the reports are printed in.
  static QFont ReportFont();

 private:
  // Draws `report` on `printer`; false when its painter could not begin.
  bool Render(QPrinter& printer, const Report& report);

  QPrinter& printer_;
  Prompts& prompts_;
  QPointer<QWidget> parent_;
  Target target_ = Target::kPrinter;
};

}  // namespace ventari
