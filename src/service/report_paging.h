// Lays a test report's lines out on printed pages: the heading, one line per row at a line height
// taken from the font and the printer's resolution, a page footer with its number and a rule, and
// a new page once a page's lines are used up. Drawn on an abstract canvas, so the printer, the
// PDF writer and the tests all get the same pages.
#pragma once

#include <QString>

#include "service/report_output.h"

namespace ventari {

// A rectangle by its edges, as the printer canvas takes it.
struct PageRect {
  int left;
  int top;
  int right;
  int bottom;
};

class PageCanvas {
 public:
  virtual ~PageCanvas() = default;

  // The font's size in points (a negative size counts by its magnitude).
  virtual int FontPointSize() const = 0;
  // Vertical resolution in pixels per inch.
  virtual int VerticalDpi() const = 0;
  // The page in device pixels.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  // Text with its top left corner at (x, y).
  virtual void DrawText(int x, int y, const QString& text) = 0;
  // One line of text centred horizontally and vertically in `rect`.
  virtual void DrawCentred(const PageRect& rect, const QString& text) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  virtual void NewPage() = 0;
  // The number of the page being drawn, from 1.
  virtual int PageNumber() const = 0;
};

inline constexpr int kReportLineX = 150;
inline constexpr int kReportMarginLeft = 20;

// The line height: 1.4 times the font's height in pixels, rounded down (at least one pixel).
int ReportLineHeight(const PageCanvas& canvas);
// Lines per page: the page height in lines, less the report's foot lines. A page keeps at least
// the three lines of its top margin and one report line, however small it is.
int ReportLinesPerPage(const PageCanvas& canvas, int footLines);

// Draws `report` from the first page on: "ANEMOMETER TEST RESULTS" at the top of the first page,
// the lines at x = 150 one line height apart, and each page's footer.
void PrintReport(const Report& report, PageCanvas& canvas);

}  // namespace ventari
