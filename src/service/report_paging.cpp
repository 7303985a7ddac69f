#include "service/report_paging.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>

namespace ventari {
namespace {

constexpr int kPointsPerInch = 72;
// Line spacing 1.4, kept as 14 / 10 so that whole heights stay whole.
constexpr int kSpacingTenths = 14;
// A new page starts its lines at the fourth line height.
constexpr int kFirstLineOfLaterPages = 4;

void DrawFooter(PageCanvas& canvas, int lineHeight) {
  const int width = canvas.PageWidth();
  const int height = canvas.PageHeight();
  canvas.DrawCentred({kReportMarginLeft, height - 2 * lineHeight, width, height - lineHeight},
                     QStringLiteral("Page %1").arg(canvas.PageNumber()));
  canvas.DrawLine(0, height - 2 * lineHeight - 2, width, height - 2 * lineHeight - 2);
}

}  // namespace

int ReportLineHeight(const PageCanvas& canvas) {
  const long long dots =
      std::llabs(static_cast<long long>(canvas.FontPointSize()) * canvas.VerticalDpi());
  return static_cast<int>(
      std::max(1LL, dots * kSpacingTenths / (static_cast<long long>(kPointsPerInch) * 10)));
}

int ReportLinesPerPage(const PageCanvas& canvas, int footLines) {
  return std::max(kFirstLineOfLaterPages,
                  canvas.PageHeight() / ReportLineHeight(canvas) - footLines);
}

void PrintReport(const Report& report, PageCanvas& canvas) {
  const int v = ReportLineHeight(canvas);
  const int linesPerPage = ReportLinesPerPage(canvas, report.footLines);
  canvas.DrawCentred({kReportMarginLeft, v, canvas.PageWidth(), 2 * v},
                     QStringLiteral("ANEMOMETER TEST RESULTS"));
  // A line that holds a line break ("\r\nEEPROM DUMP") is printed as the rows it shows.
  static const QRegularExpression kBreak(QStringLiteral("\r\n|\r|\n"));
  QStringList rows;
  for (const QString& line : report.lines) rows << line.split(kBreak);
  int j = 1;
  for (const QString& line : rows) {
    if (j == linesPerPage) {
      DrawFooter(canvas, v);
      canvas.NewPage();
      j = kFirstLineOfLaterPages;
    } else {
      ++j;
    }
    canvas.DrawText(kReportLineX, v * j, line);
  }
  DrawFooter(canvas, v);
}

}  // namespace ventari
