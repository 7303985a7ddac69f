// The report printer: the print dialog's three choices, a report saved as PDF and read back as
// text, the print preview (no print: closed, the choice comes back), the PDF every report
// printed or saved is kept in, a PDF that cannot be written, and the widest rows on the page.
#include "ui/report_printer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include "service/kestrix_report.h"
#include "service/larkvane_report.h"
#include "service/report_lines.h"
#include "support/screenshot.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

// Clicks the button captioned `caption` of the next modal dialog once it is shown, after
// `look` has seen the dialog.
void ClickWhenShown(const QString& caption, std::function<void(QWidget&)> look = {}) {
  QTimer::singleShot(0, [caption, look = std::move(look)] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    if (look) look(*dialog);
    for (auto* button : dialog->findChildren<QPushButton*>()) {
      if (button->text() == caption) {
        button->click();
        return;
      }
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
    dialog->close();
  });
}

// Runs of blanks as one, line breaks dropped: how a line reads back from the PDF's text.
QString Squeezed(QString text) {
  return text.remove(QLatin1Char('\r'))
      .replace(QLatin1Char('\n'), QLatin1Char(' '))
      .replace(QRegularExpression(QStringLiteral(" +")), QStringLiteral(" "))
      .trimmed();
}

QString PdfText(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!process.waitForFinished(30000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Keeps a PDF beside the screenshots for a person to look at.
void KeepPdf(const QString& path, const QString& name) {
  const QString folder = qEnvironmentVariable("VENTARI_SCREENSHOTS");
  if (!folder.isEmpty()) {
    QFile::remove(folder + "/" + name + ".pdf");
    QFile::copy(path, folder + "/" + name + ".pdf");
  }
}

ProductionTest UnitUnderTest() {
  ProductionTest test;
  test.sensorText = QStringLiteral("FA");
  test.serialNumber = QStringLiteral("012345");
  test.operatorName = QStringLiteral("Ann");
  test.eepromResult = 0;
  test.userFile = QStringLiteral("/srv/ventari/eeprom/K2.usr");
  test.hardwareChecks.fill(true);
  test.pathStored = {true, true, false};
  test.pathOffsets = {128, 230, kUnstoredPathOffset};
  for (std::size_t cell = 0; cell < kEepromImageSize; ++cell) {
    test.eepromReadBack[cell] = static_cast<std::uint8_t>((cell * 7) % 256);
    test.readBackValid[cell] = true;
  }
  return test;
}

class ReportPrinterTest : public ::testing::Test {
 protected:
  ReportPrinterTest() : printer(QPrinter::HighResolution), output(printer, prompts, &parent) {}

  Report KestrixReport() {
    ExtTestsModel ext(prompts);
    ext.StartCollection();
    for (int i = 0; i < 120; ++i) ext.AddLine(i % 3 ? "1C   1E   20  " : "1D   1F   21  ");
    KestrixReportFacts facts{QDate(2026, 12, 10), true, true, &ext};
    return {QStringLiteral("Ventari TEST RESULTS"), KestrixReportLines(test, facts), 4, {}};
  }

  QTemporaryDir dir;
  test::ScriptedPrompts prompts;
  QWidget parent;
  QPrinter printer;
  ReportPrinter output;
  ProductionTest test = UnitUnderTest();
};

TEST_F(ReportPrinterTest, SavedAsPdfTheReportReadsBackLineByLine) {
  const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
  prompts.files = {pdf};
  ClickWhenShown(QStringLiteral("Save as &PDF..."), [](QWidget& dialog) {
    test::Keep(dialog, QStringLiteral("report_print_dialog"));
  });
  ASSERT_TRUE(output.Confirm());
  EXPECT_EQ(output.LastTarget(), ReportPrinter::Target::kPdf);
  const Report report = KestrixReport();

  ASSERT_TRUE(output.Print(report));

  EXPECT_EQ(printer.docName(), QStringLiteral("Ventari TEST RESULTS"));
  KeepPdf(pdf, QStringLiteral("kestrix_report"));
  const QString text = PdfText(pdf);
  ASSERT_FALSE(text.isEmpty()) << "pdftotext";
  const QString squeezed = Squeezed(text);
  for (const QString& line : report.lines) {
    EXPECT_TRUE(squeezed.contains(Squeezed(line))) << line.toStdString();
  }
  for (const char* mark : {"ANEMOMETER TEST RESULTS", "Page 1", "Page 2"}) {
    EXPECT_TRUE(text.contains(QLatin1String(mark))) << mark;
  }
  EXPECT_FALSE(text.contains(QStringLiteral("Page 3")));
  // The heading stands alone, above the first line.
  EXPECT_LT(text.indexOf(QStringLiteral("ANEMOMETER TEST RESULTS")),
            text.indexOf(QStringLiteral("Anemometer: FA012345")));
}

TEST_F(ReportPrinterTest, CancelAtTheDialogOrTheFileNameConfirmsNothing) {
  ClickWhenShown(QStringLiteral("Cancel"));
  EXPECT_FALSE(output.Confirm());
  ClickWhenShown(QStringLiteral("Save as &PDF..."));
  EXPECT_FALSE(output.Confirm()) << "no file name given";
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(ReportPrinterTest, APdfThatCannotBeWrittenSaysSo) {
  output.ChoosePdf(dir.filePath(QStringLiteral("no such folder/report.pdf")));
  EXPECT_FALSE(output.Print(KestrixReport()));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_TRUE(prompts.Messages()[0].text.startsWith(
      QStringLiteral("The test report could not be saved to ")));
}

// Clicks `caption` on the print dialog once it is the modal dialog, looking every 10 ms.
void ClickOnThePrintDialog(const QString& caption) {
  QTimer::singleShot(10, [caption] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || dialog->objectName() != QStringLiteral("PrintDialog")) {
      ClickOnThePrintDialog(caption);
      return;
    }
    ClickWhenShown(caption);
  });
}

// Shows the preview once it is open, then closes it without printing and answers the chooser
// that comes back with `choice`.
void ClosePreviewThenChoose(const QString& choice, bool& shown) {
  QTimer::singleShot(0, [choice, &shown] {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(preview, nullptr);
    shown = true;
    preview->resize(900, 1100);
    test::Keep(*preview, QStringLiteral("kestrix_report_preview"));
    ClickOnThePrintDialog(choice);
    preview->close();
  });
}

TEST_F(ReportPrinterTest, ThePreviewShowsTheReport) {
  ClickWhenShown(QStringLiteral("Print pre&view"));
  ASSERT_TRUE(output.Confirm());
  bool shown = false;
  ClosePreviewThenChoose(QStringLiteral("Cancel"), shown);
  Report report = KestrixReport();
  report.keptAs = dir.filePath(QStringLiteral("reports/kept.pdf"));

  EXPECT_FALSE(output.Print(report)) << "a preview closed is no print";
  EXPECT_TRUE(shown);
  EXPECT_FALSE(QFile::exists(report.keptAs));
}

TEST_F(ReportPrinterTest, APreviewClosedOffersTheChoiceAgainAndWhatIsSavedIsKept) {
  const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
  prompts.files = {pdf};
  ClickWhenShown(QStringLiteral("Print pre&view"));
  ASSERT_TRUE(output.Confirm());
  bool shown = false;
  ClosePreviewThenChoose(QStringLiteral("Save as &PDF..."), shown);
  Report report = KestrixReport();
  report.keptAs = dir.filePath(QStringLiteral("reports/012345_FA_20261210T142501Z.pdf"));

  ASSERT_TRUE(output.Print(report));

  EXPECT_TRUE(shown);
  EXPECT_EQ(output.LastTarget(), ReportPrinter::Target::kPdf);
  for (const QString& path : {pdf, report.keptAs}) {
    const QString text = Squeezed(PdfText(path));
    EXPECT_TRUE(text.contains(QStringLiteral("Anemometer: FA012345"))) << path.toStdString();
    EXPECT_TRUE(text.contains(Squeezed(report.lines.last()))) << path.toStdString();
  }
}

TEST_F(ReportPrinterTest, TheLarkvaneReportsDumpRowsFitThePage) {
  const QString pdf = dir.filePath(QStringLiteral("larkvane.pdf"));
  output.ChoosePdf(pdf);
  LarkvaneResults results;
  results.partA = results.assembly = results.hardware = results.debugDataOk = true;
  results.alignment = QStringLiteral("A1 +000.0 A2 +000.0 A3 +000.0");
  test.eepromSize = kLarkvaneEepromSize;
  const Report report{QStringLiteral("Ventari TEST RESULTS"),
                      LarkvaneReportLines(test, QDate(2026, 12, 10), results),
                      2,
                      {}};
  ASSERT_TRUE(output.Print(report));
  KeepPdf(pdf, QStringLiteral("larkvane_report"));
  const QString text = Squeezed(PdfText(pdf));
  for (const QString& row : LarkvaneDumpRows(test, kLarkvaneEepromSize)) {
    EXPECT_TRUE(text.contains(Squeezed(row))) << row.toStdString();
  }
}

}  // namespace
}  // namespace ventari
