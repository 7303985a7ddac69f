#include "publish/hold_queue.h"

namespace ventari {

std::size_t HoldQueue::SizeOf(const HeldMessage& message) {
  return static_cast<std::size_t>(message.topic.size()) * sizeof(QChar) +
         static_cast<std::size_t>(message.payload.size());
}

void HoldQueue::PopFront() {
  bytes_ -= SizeOf(entries_.front().message);
  entries_.pop_front();
  if (handed_ > 0) --handed_;
}

HoldQueue::Entry* HoldQueue::Find(std::uint64_t serial) {
  if (entries_.empty() || serial < entries_.front().serial) return nullptr;
  const auto index = static_cast<std::size_t>(serial - entries_.front().serial);
  return index < entries_.size() ? &entries_[index] : nullptr;
}

std::size_t HoldQueue::Push(HeldMessage message) {
  const std::size_t size = SizeOf(message);
  std::size_t dropped = 0;
  while (!entries_.empty() &&
         (entries_.size() + 1 > bounds_.messages || bytes_ + size > bounds_.bytes)) {
    // A dropped message still in flight is no longer waited for.
    std::erase_if(midToSerial_,
                  [serial = entries_.front().serial](const auto& m) { return m.second == serial; });
    if (!entries_.front().acknowledged) ++dropped;
    PopFront();
  }
  dropped_ += dropped;
  bytes_ += size;
  entries_.push_back({std::move(message), nextSerial_++});
  return dropped;
}

const HeldMessage* HoldQueue::NextToHand() const {
  return handed_ < entries_.size() ? &entries_[handed_].message : nullptr;
}

void HoldQueue::SkipAcknowledged() {
  while (handed_ < entries_.size() && entries_[handed_].acknowledged) ++handed_;
}

void HoldQueue::Handed(int mid) {
  if (handed_ >= entries_.size()) return;
  midToSerial_[mid] = entries_[handed_].serial;
  ++handed_;
  SkipAcknowledged();
}

void HoldQueue::ConnectionEnded() {
  midToSerial_.clear();
  handed_ = 0;
  SkipAcknowledged();
}

void HoldQueue::Acknowledged(int mid) {
  const auto found = midToSerial_.find(mid);
  if (found == midToSerial_.end()) return;
  Entry* entry = Find(found->second);
  midToSerial_.erase(found);
  if (!entry || entry->acknowledged) return;
  entry->acknowledged = true;
  ++published_;
  while (!entries_.empty() && entries_.front().acknowledged) PopFront();
}

}  // namespace ventari
