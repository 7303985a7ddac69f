#include "stats/gust_window.h"

namespace ventari {
namespace {

constexpr int kRemovalsBeforeRebuild = 4096;

}  // namespace

double GustWindow::Add(std::int64_t timeUs, double speed) {
  entries_.push_back({timeUs, speed});
  sum_.Add(speed);
  while (entries_.front().timeUs <= timeUs - kLengthUs) {
    sum_.Add(-entries_.front().speed);
    entries_.pop_front();
    ++removals_;
  }
  if (removals_ >= kRemovalsBeforeRebuild) {
    removals_ = 0;
    sum_ = {};
    for (const Entry& entry : entries_) sum_.Add(entry.speed);
  }
  return sum_.Value() / static_cast<double>(entries_.size());
}

}  // namespace ventari
