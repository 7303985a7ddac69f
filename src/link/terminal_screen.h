// The terminal's text: every received byte written as text on a screen of a fixed number of rows,
// with a bounded scroll-back that can be switched on. No escape sequence is interpreted.
#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <span>

namespace ventari {

class TerminalScreen {
 public:
  static constexpr int kRows = 22;
  static constexpr int kScrollBackLines = 1000;
  // A line that never ends goes on on the next one past this width, so memory stays bounded.
  static constexpr int kMaxColumns = 1024;

  explicit TerminalScreen(int rows = kRows);

  // CR returns to the start of the line, LF starts the next line, BS steps back; other control
  // bytes show in caret notation ("^B"), bytes above 0x7F as Latin-1 (C1 controls as a dot).
  void Write(std::span<const std::uint8_t> bytes);
  // Empties the screen and the scroll-back.
  void Clear();

  bool ScrollBack() const { return scrollBack_; }
  // Switching it off drops the lines above the screen.
  void SetScrollBack(bool on);
  int Rows() const { return rows_; }
  // At least one row.
  void SetRows(int rows);

  // The scroll-back's lines, then the screen's rows; the last one holds the cursor.
  const std::deque<QString>& Lines() const { return lines_; }
  int Column() const { return column_; }
  // How many lines have left the top so far (trimmed or cleared): a view keeps a place in the
  // scroll-back on its text by moving up as many lines as left since it last looked.
  std::int64_t Dropped() const { return dropped_; }
  QString Text() const;

 private:
  void Put(QChar c);
  void NewLine();
  void Trim();

  int rows_;
  bool scrollBack_ = false;
  std::deque<QString> lines_;
  int column_ = 0;
  std::int64_t dropped_ = 0;
};

}  // namespace ventari
