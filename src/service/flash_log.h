// The flash programming window's log: lines appended as a run goes, each announced as it comes.
// It is kept across runs; beyond a bound the oldest lines are forgotten, so a session of many
// runs stays small.
#pragma once

#include <QString>
#include <cstdint>
#include <deque>

#include "base/change_notifier.h"

namespace ventari {

class FlashLog {
 public:
  static constexpr std::size_t kMaxLines = 5000;

  void Add(const QString& line) {
    lines_.push_back(line);
    if (lines_.size() > kMaxLines) lines_.pop_front();
    ++added_;
    changed_.Notify();
  }

  const std::deque<QString>& Lines() const { return lines_; }
  // Every line ever added, forgotten ones included: a reader that has taken n lines takes the
  // last Added() - n of Lines() next.
  std::uint64_t Added() const { return added_; }
  ChangeNotifier& Changed() { return changed_; }

 private:
  std::deque<QString> lines_;
  std::uint64_t added_ = 0;
  ChangeNotifier changed_;
};

}  // namespace ventari
