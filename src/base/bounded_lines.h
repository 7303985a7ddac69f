// Lines a window shows as they come: appended at the bottom, the newest kMaxLines kept so a run
// of days stays small, and a count of every line ever added, so a view that appends knows which
// lines are new to it (it has taken n lines: the last Added() - n of Lines() are new).
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace ventari {

template <std::size_t kMaxLines>
class BoundedLines {
 public:
  // Appends `line`; the oldest line goes when more than kMaxLines are held.
  void Add(const QString& line) {
    lines_.push_back(line);
    if (lines_.size() > kMaxLines) lines_.pop_front();
    ++added_;
  }
  // Empties the store; the count of lines added goes on.
  void Clear() { lines_.clear(); }

  const std::deque<QString>& Lines() const { return lines_; }
  // Lines added since the start, including those no longer held.
  std::uint64_t Added() const { return added_; }

 private:
  std::deque<QString> lines_;
  std::uint64_t added_ = 0;
};

}  // namespace ventari
