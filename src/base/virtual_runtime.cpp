#include "base/virtual_runtime.h"

#include <algorithm>
#include <string>

namespace ventari {

void VirtualRuntime::ProcessEvents() {
  if (queue_.empty()) {
    throw StuckWaitError("wait with nothing pending at " + std::to_string(nowMs_) + " ms");
  }
  auto first = queue_.begin();
  if (first->first.first > deadlineMs_) {
    throw StuckWaitError("wait ran past the deadline of " + std::to_string(deadlineMs_) + " ms");
  }
  nowMs_ = first->first.first;
  std::function<void()> callback = std::move(first->second);
  dueOf_.erase(first->first.second);
  queue_.erase(first);
  callback();
}

Runtime::EventId VirtualRuntime::Schedule(std::int64_t delayMs, std::function<void()> callback) {
  const EventId id = nextId_++;
  const std::int64_t due = nowMs_ + (delayMs > 0 ? delayMs : 0);
  queue_.emplace(std::make_pair(due, id), std::move(callback));
  dueOf_.emplace(id, due);
  return id;
}

void VirtualRuntime::Cancel(EventId id) {
  auto found = dueOf_.find(id);
  if (found == dueOf_.end()) return;
  queue_.erase({found->second, id});
  dueOf_.erase(found);
}

void VirtualRuntime::RunFor(std::int64_t ms) {
  const std::int64_t end = nowMs_ + ms;
  while (!queue_.empty() && queue_.begin()->first.first <= end) ProcessEvents();
  nowMs_ = std::max(nowMs_, end);
}

}  // namespace ventari
