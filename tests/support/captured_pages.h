// A page canvas for tests: a page of the given size and resolution whose drawings are kept, page
// by page, as positioned texts and lines.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "service/report_paging.h"

namespace ventari::test {

class CapturedPages : public PageCanvas {
 public:
  struct Text {
    int x;
    int y;
    QString text;
    bool centred;
    PageRect rect;  // where a centred text was centred
  };
  struct Line {
    int x1, y1, x2, y2;
  };
  struct Page {
    std::vector<Text> texts;
    std::vector<Line> lines;
  };

  CapturedPages(int pointSize, int dpi, int width, int height)
      : pointSize_(pointSize), dpi_(dpi), width_(width), height_(height) {}

  int FontPointSize() const override { return pointSize_; }
  int VerticalDpi() const override { return dpi_; }
  int PageWidth() const override { return width_; }
  int PageHeight() const override { return height_; }
  void DrawText(int x, int y, const QString& text) override {
    pages.back().texts.push_back({x, y, text, false, {}});
  }
  void DrawCentred(const PageRect& rect, const QString& text) override {
    pages.back().texts.push_back({rect.left, rect.top, text, true, rect});
  }
  void DrawLine(int x1, int y1, int x2, int y2) override {
    pages.back().lines.push_back({x1, y1, x2, y2});
  }
  void NewPage() override { pages.emplace_back(); }
  int PageNumber() const override { return static_cast<int>(pages.size()); }

  // Every text of every page in the order drawn, a "-- page n" line before each page.
  QStringList Texts() const {
    QStringList texts;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      texts << QStringLiteral("-- page %1").arg(p + 1);
      for (const Text& text : pages[p].texts) texts << text.text;
    }
    return texts;
  }

  std::vector<Page> pages{1};

 private:
  int pointSize_;
  int dpi_;
  int width_;
  int height_;
};

}  // namespace ventari::test
