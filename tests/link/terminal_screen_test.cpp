#include "link/terminal_screen.h"

#include <gtest/gtest.h>

#include <string_view>

namespace ventari {
namespace {

void Write(TerminalScreen& screen, std::string_view text) {
  screen.Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

struct ShownCase {
  std::string_view in;
  QString shown;
};

class TerminalScreenShows : public ::testing::TestWithParam<ShownCase> {};

TEST_P(TerminalScreenShows, EveryByteAsText) {
  TerminalScreen screen;
  Write(screen, GetParam().in);
  EXPECT_EQ(screen.Text(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, TerminalScreenShows,
    ::testing::Values(ShownCase{"D1\r\nK 1234", "D1\nK 1234"}, ShownCase{"abcd\rxy", "xycd"},
                      ShownCase{"ab\bc", "ac"}, ShownCase{"\b\bq", "q"},
                      ShownCase{"no cr\nat end", "no cr\nat end"},
                      ShownCase{std::string_view("\x02Q\x03\x1b[2J", 7), "^BQ^C^[[2J"},
                      ShownCase{std::string_view("\x00\x7f\x85\xb0", 4),
                                QString::fromUtf16(u"^@^?\u00b7\u00b0")}));

TEST(TerminalScreenTest, KeepsTheRowsOnlyUntilScrollBackIsOnThenBoundsIt) {
  TerminalScreen screen;
  for (int i = 0; i < 30; ++i) Write(screen, "line\r\n");
  EXPECT_EQ(screen.Lines().size(), std::size_t{TerminalScreen::kRows});
  screen.SetScrollBack(true);
  for (int i = 0; i < 3000; ++i) Write(screen, "line\r\n");
  EXPECT_EQ(screen.Lines().size(),
            std::size_t{TerminalScreen::kRows + TerminalScreen::kScrollBackLines});
  screen.SetScrollBack(false);
  EXPECT_EQ(screen.Lines().size(), std::size_t{TerminalScreen::kRows});
  screen.Clear();
  EXPECT_EQ(screen.Text(), "");
}

TEST(TerminalScreenTest, AnEndlessLineGoesOnOnTheNextAndFewerRowsDropTheOldest) {
  TerminalScreen screen;
  Write(screen, std::string(TerminalScreen::kMaxColumns + 5, 'x'));
  ASSERT_EQ(screen.Lines().size(), 2u);
  EXPECT_EQ(screen.Lines()[1], "xxxxx");
  screen.SetRows(0);
  EXPECT_EQ(screen.Rows(), 1);
  EXPECT_EQ(screen.Text(), "xxxxx");
}

}  // namespace
}  // namespace ventari
