#include "link/terminal_screen.h"

#include <QStringList>
#include <algorithm>

namespace ventari {
namespace {

constexpr char16_t kC1Dot = 0x00B7;

// C0 controls and DEL in caret notation ("^B", "^?"), which every fixed-pitch font can show.
QString Shown(std::uint8_t byte) {
  if (byte < 0x20) return QStringLiteral("^") + QChar(static_cast<char16_t>('@' + byte));
  if (byte == 0x7F) return QStringLiteral("^?");
  if (byte >= 0x80 && byte < 0xA0) return QString(QChar(kC1Dot));
  return QString(QChar(static_cast<char16_t>(byte)));
}

}  // namespace

TerminalScreen::TerminalScreen(int rows) : rows_(std::max(1, rows)) { lines_.emplace_back(); }

void TerminalScreen::Write(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    switch (byte) {
      case '\r':
        column_ = 0;
        break;
      case '\n':
        NewLine();
        break;
      case '\b':
        column_ = std::max(0, column_ - 1);
        break;
      default:
        for (const QChar c : Shown(byte)) Put(c);
    }
  }
}

void TerminalScreen::Put(QChar c) {
  if (column_ >= kMaxColumns) NewLine();
  QString& line = lines_.back();
  if (column_ < line.size()) {
    line[column_] = c;
  } else {
    line.append(c);
  }
  ++column_;
}

void TerminalScreen::NewLine() {
  lines_.emplace_back();
  column_ = 0;
  Trim();
}

void TerminalScreen::Trim() {
  const std::size_t kept = static_cast<std::size_t>(rows_ + (scrollBack_ ? kScrollBackLines : 0));
  while (lines_.size() > kept) {
    lines_.pop_front();
    ++dropped_;
  }
}

void TerminalScreen::Clear() {
  dropped_ += static_cast<std::int64_t>(lines_.size());
  lines_.clear();
  lines_.emplace_back();
  column_ = 0;
}

void TerminalScreen::SetScrollBack(bool on) {
  scrollBack_ = on;
  Trim();
}

void TerminalScreen::SetRows(int rows) {
  rows_ = std::max(1, rows);
  Trim();
}

QString TerminalScreen::Text() const {
  return QStringList(lines_.begin(), lines_.end()).join(QLatin1Char('\n'));
}

}  // namespace ventari
