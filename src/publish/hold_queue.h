// The messages a publisher holds until the broker has them: in the order they were published,
// each handed to the connection at most once per connection, removed when the broker
// acknowledges it (or, at QoS 0, when it was written). A new connection hands them again from
// the oldest. The queue is bounded by a number of messages and of bytes; when a new message would
// pass either bound the oldest are dropped and counted.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <deque>
#include <optional>
#include <unordered_map>

namespace ventari {

struct HoldBounds {
  std::size_t messages = 1'000'000;
  std::size_t bytes = 256ull * 1024 * 1024;

  bool operator==(const HoldBounds&) const = default;
};

struct HeldMessage {
  QString topic;
  QByteArray payload;
};

class HoldQueue {
 public:
  explicit HoldQueue(HoldBounds bounds = {}) : bounds_(bounds) {}

  // Holds a message; the number of older ones dropped to make room.
  std::size_t Push(HeldMessage message);

  // The oldest message not yet handed to this connection, or none.
  const HeldMessage* NextToHand() const;
  // The message NextToHand() gave went out under the connection's message id `mid`.
  void Handed(int mid);
  // The connection ended: what it was handed and the broker did not acknowledge is handed again
  // to the next one, oldest first.
  void ConnectionEnded();
  // The broker has message `mid` (unknown ids, of dropped messages, are ignored).
  void Acknowledged(int mid);

  std::size_t Held() const { return entries_.size(); }
  std::size_t HeldBytes() const { return bytes_; }
  // Handed to this connection and not acknowledged yet.
  std::size_t InFlight() const { return midToSerial_.size(); }
  std::uint64_t Published() const { return published_; }
  std::uint64_t Dropped() const { return dropped_; }

 private:
  struct Entry {
    HeldMessage message;
    std::uint64_t serial;
    bool acknowledged = false;
  };
  static std::size_t SizeOf(const HeldMessage& message);
  void PopFront();
  // Acknowledged out of order: never handed again.
  void SkipAcknowledged();
  Entry* Find(std::uint64_t serial);

  HoldBounds bounds_;
  std::deque<Entry> entries_;
  std::size_t bytes_ = 0;
  std::size_t handed_ = 0;  // entries_[0, handed_) went to this connection
  std::uint64_t nextSerial_ = 0;
  std::unordered_map<int, std::uint64_t> midToSerial_;
  std::uint64_t published_ = 0;
  std::uint64_t dropped_ = 0;
};

}  // namespace ventari
