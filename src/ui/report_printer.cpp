#include "ui/report_printer.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "service/report_paging.h"
#include "ui/guarded_handler.h"

namespace ventari {
namespace {

const QString kCaption = QStringLiteral("Ventari");
constexpr int kReportPointSize = 10;

// The printer canvas: texts placed by their top left corner as the paging rule places them.
class PainterCanvas : public PageCanvas {
 public:
  PainterCanvas(QPainter& painter, QPrinter& printer) : painter_(painter), printer_(printer) {}

  int FontPointSize() const override { return painter_.font().pointSize(); }
  int VerticalDpi() const override { return painter_.device()->logicalDpiY(); }
  int PageWidth() const override { return painter_.device()->width(); }
  int PageHeight() const override { return painter_.device()->height(); }
  // A line wider than the page from x on (the Larkvane dump's rows in a wide font) is
  // narrowed to fit rather than cut at the page's edge.
  void DrawText(int x, int y, const QString& text) override {
    const QFontMetrics metrics = painter_.fontMetrics();
    const int width = metrics.horizontalAdvance(text);
    const int room = PageWidth() - x;
    painter_.save();
    painter_.translate(x, y + metrics.ascent());
    if (width > room && room > 0) painter_.scale(static_cast<double>(room) / width, 1.0);
    painter_.drawText(0, 0, text);
    painter_.restore();
  }
  void DrawCentred(const PageRect& rect, const QString& text) override {
    painter_.drawText(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                      Qt::AlignCenter, text);
  }
  void DrawLine(int x1, int y1, int x2, int y2) override { painter_.drawLine(x1, y1, x2, y2); }
  void NewPage() override {
    printer_.newPage();
    ++page_;
  }
  int PageNumber() const override { return page_; }

 private:
  QPainter& painter_;
  QPrinter& printer_;
  int page_ = 1;
};

}  // namespace

ReportPrinter::ReportPrinter(QPrinter& printer, Prompts& prompts, QWidget* parent)
    : QObject(parent), printer_(printer), prompts_(prompts), parent_(parent) {}

QFont ReportPrinter::ReportFont() {
  QFont font(QStringLiteral("Arial"), kReportPointSize);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

void ReportPrinter::ChoosePdf(const QString& fileName) {
  printer_.setOutputFormat(QPrinter::PdfFormat);
  printer_.setOutputFileName(fileName);
  target_ = Target::kPdf;
}

bool ReportPrinter::Confirm() {
  QDialog chooser(parent_);
  chooser.setObjectName(QStringLiteral("PrintDialog"));
  chooser.setWindowTitle(QStringLiteral("Print"));
  auto* layout = new QVBoxLayout(&chooser);
  layout->addWidget(new QLabel(QStringLiteral("Print the test report:"), &chooser));
  auto* buttons = new QDialogButtonBox(&chooser);
  const std::pair<Target, const char*> choices[] = {{Target::kPrinter, "&Print..."},
                                                    {Target::kPreview, "Print pre&view"},
                                                    {Target::kPdf, "Save as &PDF..."}};
  std::optional<Target> chosen;
  for (const auto& [target, caption] : choices) {
    QPushButton* button =
        buttons->addButton(QString::fromLatin1(caption), QDialogButtonBox::ActionRole);
    OnSignal(button, &QPushButton::clicked, &chooser, [&chooser, &chosen, target = target] {
      chosen = target;
      chooser.accept();
    });
  }
  buttons->addButton(QDialogButtonBox::Cancel);
  OnSignal(buttons, &QDialogButtonBox::rejected, &chooser, [&chooser] { chooser.reject(); });
  layout->addWidget(buttons);
  if (chooser.exec() != QDialog::Accepted || !chosen) return false;

  switch (*chosen) {
    case Target::kPrinter: {
      // A PDF chosen before is no longer the output: the printer dialog starts from a printer.
      printer_.setOutputFileName(QString());
      QPrintDialog dialog(&printer_, parent_);
      if (dialog.exec() != QDialog::Accepted) return false;
      target_ = Target::kPrinter;
      return true;
    }
    case Target::kPreview:
      target_ = Target::kPreview;
      return true;
    case Target::kPdf: {
      const QString name =
          prompts_.ChooseSaveFile(QStringLiteral("Save the test report as PDF"),
                                  QDir::currentPath(), QStringLiteral("PDF files (*.pdf)"));
      if (name.isEmpty()) return false;
      ChoosePdf(name);
      return true;
    }
  }
  return false;
}

bool ReportPrinter::Print(const Report& report) {
  printer_.setDocName(report.jobTitle);
  // A preview is not a print: closed without printing, the choice is offered again.
  while (target_ == Target::kPreview) {
    if (Preview(report)) {
      Keep(report);
      return true;
    }
    if (!Confirm()) return false;
  }
  if (!Render(printer_, report)) return false;
  Keep(report);
  return true;
}

bool ReportPrinter::Preview(const Report& report) {
  QPrintPreviewDialog preview(&printer_, parent_);
  preview.setObjectName(QStringLiteral("PrintPreview"));
  bool drawn = true;
  OnSignal(
      &preview, &QPrintPreviewDialog::paintRequested, &preview,
      [this, &report, &drawn](QPrinter* printer) { drawn = Render(*printer, report) && drawn; });
  // The dialog is accepted only once its print button printed the report.
  return preview.exec() == QDialog::Accepted && drawn;
}

void ReportPrinter::Keep(const Report& report) {
  if (report.keptAs.isEmpty()) return;
  QDir().mkpath(QFileInfo(report.keptAs).path());
  QPrinter kept(QPrinter::HighResolution);
  kept.setPageLayout(printer_.pageLayout());
  kept.setDocName(report.jobTitle);
  kept.setOutputFormat(QPrinter::PdfFormat);
  kept.setOutputFileName(report.keptAs);
  Render(kept, report);
}

bool ReportPrinter::Render(QPrinter& printer, const Report& report) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    prompts_.ShowMessage(
        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
            ? QStringLiteral("The test report could not be saved to %1.")
                  .arg(QDir::toNativeSeparators(printer.outputFileName()))
            : QStringLiteral("The test report could not be printed: the printer is not ready."),
        kCaption);
    return false;
  }
  painter.setFont(ReportFont());
  PainterCanvas canvas(painter, printer);
  PrintReport(report, canvas);
  painter.end();
  return true;
}

}  // namespace ventari
