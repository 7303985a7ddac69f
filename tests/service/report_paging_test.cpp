#include "service/report_paging.h"

#include <gtest/gtest.h>

#include "support/captured_pages.h"

namespace ventari {
namespace {

using test::CapturedPages;

Report Numbered(int count, int footLines) {
  Report report{QStringLiteral("Ventari TEST RESULTS"), {}, footLines, {}};
  for (int i = 1; i <= count; ++i) report.lines << QStringLiteral("line %1").arg(i);
  return report;
}

// Where line `text` was drawn: its page (from 1) and y; page 0 when it was not.
std::pair<int, int> Placed(const CapturedPages& canvas, const QString& text) {
  for (std::size_t p = 0; p < canvas.pages.size(); ++p) {
    for (const auto& t : canvas.pages[p].texts) {
      if (t.text == text) return {static_cast<int>(p) + 1, t.y};
    }
  }
  return {0, 0};
}

TEST(ReportPagingTest, LineHeightIsOnePointFourFontHeightsRoundedDown) {
  struct Case {
    int points, dpi, height;
  };
  const Case cases[] = {{10, 600, 116}, {-10, 600, 116}, {12, 300, 70},
                        {10, 72, 14},   {9, 1200, 210},  {0, 600, 1}};
  for (const Case& c : cases) {
    const CapturedPages canvas(c.points, c.dpi, 4960, 7016);
    EXPECT_EQ(ReportLineHeight(canvas), c.height) << c.points << " pt at " << c.dpi;
  }
  EXPECT_EQ(ReportLinesPerPage(CapturedPages(10, 600, 4960, 7016), 4), 7016 / 116 - 4);
  EXPECT_EQ(ReportLinesPerPage(CapturedPages(10, 600, 4960, 7016), 2), 7016 / 116 - 2);
}

TEST(ReportPagingTest, HundredLinesAtFortyToAPage) {
  const int v = 14;  // 10 pt at 72 dpi
  CapturedPages canvas(10, 72, 500, 44 * v);
  ASSERT_EQ(ReportLinesPerPage(canvas, 4), 40);

  PrintReport(Numbered(100, 4), canvas);

  ASSERT_EQ(canvas.pages.size(), 3u);
  const auto& heading = canvas.pages[0].texts.front();
  EXPECT_EQ(heading.text, QStringLiteral("ANEMOMETER TEST RESULTS"));
  EXPECT_TRUE(heading.centred);
  EXPECT_EQ(heading.rect.left, 20);
  EXPECT_EQ(heading.rect.top, v);
  EXPECT_EQ(heading.rect.right, 500);
  EXPECT_EQ(heading.rect.bottom, 2 * v);
  for (int line = 1; line <= 39; ++line) {
    EXPECT_EQ(Placed(canvas, QStringLiteral("line %1").arg(line)),
              std::make_pair(1, (line + 1) * v));
  }
  EXPECT_EQ(Placed(canvas, "line 40"), std::make_pair(2, 4 * v));
  EXPECT_EQ(Placed(canvas, "line 76"), std::make_pair(2, 40 * v));
  EXPECT_EQ(Placed(canvas, "line 77"), std::make_pair(3, 4 * v));
  EXPECT_EQ(Placed(canvas, "line 100"), std::make_pair(3, 27 * v));
  for (const auto& t : canvas.pages[2].texts) EXPECT_NE(t.text, heading.text) << "first page only";

  for (std::size_t p = 0; p < 3; ++p) {
    const auto& footer = canvas.pages[p].texts.back();
    EXPECT_EQ(footer.text, QStringLiteral("Page %1").arg(p + 1));
    EXPECT_TRUE(footer.centred);
    EXPECT_EQ(footer.rect.left, 20);
    EXPECT_EQ(footer.rect.top, 44 * v - 2 * v);
    EXPECT_EQ(footer.rect.right, 500);
    EXPECT_EQ(footer.rect.bottom, 44 * v - v);
    ASSERT_EQ(canvas.pages[p].lines.size(), 1u);
    const auto& rule = canvas.pages[p].lines[0];
    EXPECT_EQ(rule.x1, 0);
    EXPECT_EQ(rule.x2, 500);
    EXPECT_EQ(rule.y1, 44 * v - 2 * v - 2);
    EXPECT_EQ(rule.y2, rule.y1);
  }
  for (const auto& t : canvas.pages[1].texts) {
    if (!t.centred) {
      EXPECT_EQ(t.x, 150);
    }
  }
}

TEST(ReportPagingTest, FewerFootLinesLeaveMoreLinesOnAPage) {
  CapturedPages canvas(10, 72, 500, 44 * 14);
  PrintReport(Numbered(42, 2), canvas);
  EXPECT_EQ(Placed(canvas, "line 41").first, 1);
  EXPECT_EQ(Placed(canvas, "line 42"), std::make_pair(2, 4 * 14));
}

TEST(ReportPagingTest, APageTooSmallStillTakesALineEach) {
  CapturedPages canvas(10, 72, 500, 5 * 14);
  PrintReport(Numbered(6, 4), canvas);
  for (const auto& page : canvas.pages) {
    for (const auto& t : page.texts) {
      if (!t.centred) {
        EXPECT_LE(t.y, 4 * 14) << t.text.toStdString();
      }
    }
  }
  EXPECT_EQ(canvas.pages.size(), 4u);
}

TEST(ReportPagingTest, AnEmptyReportIsOnePageWithItsHeadingAndFooter) {
  CapturedPages canvas(10, 600, 4960, 7016);
  PrintReport(Numbered(0, 4), canvas);
  EXPECT_EQ(canvas.Texts(), (QStringList{"-- page 1", "ANEMOMETER TEST RESULTS", "Page 1"}));
}

}  // namespace
}  // namespace ventari
