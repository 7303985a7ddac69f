// The flash programming window's log: lines appended as a run goes, each announced as it comes.
// It is kept across runs; beyond a bound the oldest lines are forgotten, so a session of many
// runs stays small.
#pragma once

#include <QString>
#include <cstdint>
#include <deque>

#include "base/bounded_lines.h"
#include "base/change_notifier.h"

namespace ventari {

class FlashLog {
 public:
  static constexpr std::size_t kMaxLines = 5000;

  void Add(const QString& line) {
    lines_.Add(line);
    changed_.Notify();
  }

  const std::deque<QString>& Lines() const { return lines_.Lines(); }
  // Every line ever added, forgotten ones included: a reader that has taken n lines takes the
  // last Added() - n of Lines() next.
  std::uint64_t Added() const { return lines_.Added(); }
  ChangeNotifier& Changed() { return changed_; }

 private:
  BoundedLines<kMaxLines> lines_;
  ChangeNotifier changed_;
};

}  // namespace ventari
