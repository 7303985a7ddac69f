// The packet matchers of one port: they share one receive buffer and compete for its bytes, and
// a matcher that has seen its start string holds the capture, so that only it sees the bytes
// that follow until its packet ends or times out. Plain code over bytes and a Runtime for the
// time-out; it owns no thread.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "base/runtime.h"
#include "link/packet_matcher.h"

namespace ventari {

class SerialPort;

class PacketMatcherGroup {
 public:
  using ErrorReporter = std::function<void(const std::exception& error)>;

  explicit PacketMatcherGroup(Runtime& runtime);
  ~PacketMatcherGroup();
  PacketMatcherGroup(const PacketMatcherGroup&) = delete;
  PacketMatcherGroup& operator=(const PacketMatcherGroup&) = delete;

  // Matchers compete in the order they were attached. A matcher belongs to one group.
  void Attach(TApdDataPacket& matcher);

  // A new group receives what Receive is given. Connected to a port, it receives only while
  // the port is open: closing the port sends every matcher idle and drops the buffer, opening
  // it restarts every armed matcher. Disconnect stops the group receiving until it is
  // connected again; armed matchers stay armed.
  void ConnectTo(SerialPort& port);
  void Disconnect();

  // New bytes from the line. May be called from inside a handler of this group (a handler
  // that waits lets the port deliver more): such bytes are only buffered, and matched once the
  // handler has returned.
  void Receive(const std::uint8_t* data, std::size_t size);

  // Where an error escaping a handler is reported; matching then goes on. With no reporter
  // the error propagates out of Receive (or the runtime's event processing) once the group's
  // state is consistent again, and the bytes left in the buffer are matched on the next
  // arrival.
  void SetErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

  // Bytes kept for partial matches and the capture.
  std::size_t BufferedBytes() const { return buffer_.size() - head_; }

 private:
  friend class TApdDataPacket;
  using Mode = TApdDataPacket::Mode;

  struct ScanOutcome {
    enum class Kind { kNothing, kCaptured, kPacketEnded } kind = Kind::kNothing;
    std::size_t last = 0;  // buffer index of the packet's last byte
    bool byEndString = false;
  };

  // Called by a matcher as it is armed, disarmed or destroyed.
  void Restart(TApdDataPacket& matcher);
  void Disarmed(TApdDataPacket& matcher);
  void Detach(TApdDataPacket& matcher);

  void SetReceiving(bool receiving);
  void Scan(std::size_t from);
  ScanOutcome ScanMatcher(TApdDataPacket& matcher, std::size_t from);
  std::exception_ptr Deliver(TApdDataPacket& matcher, const ScanOutcome& end);
  std::exception_ptr CallHandlers(TApdDataPacket& matcher, std::size_t begin, std::size_t end);
  void TakeCapture(TApdDataPacket& matcher);
  void ReleaseCapture();
  void CaptureTimedOut();
  // Hands a handler's error to the reporter; returns it when there is none (or it failed).
  std::exception_ptr Report(std::exception_ptr error);
  // Lets an unreported error propagate, leaving the buffer to be rescanned.
  void Rethrow(std::exception_ptr error);
  void DropBufferUnlessNeeded();
  // Returns the buffer index of the first new byte.
  std::size_t Append(const std::uint8_t* data, std::size_t size);
  void DiscardBuffer();

  Runtime& runtime_;
  std::vector<TApdDataPacket*> matchers_;
  ErrorReporter reporter_;

  // Live bytes are buffer_[head_ ..]; positions held by matchers are indexes into buffer_.
  std::vector<std::uint8_t> buffer_;
  std::size_t head_ = 0;
  // Counts discards, so a delivery can tell that its bytes went while its handler ran.
  std::uint64_t discards_ = 0;
  // Set when an error left the buffer unscanned since the last delivery.
  bool rescanPending_ = false;

  TApdDataPacket* capture_ = nullptr;
  Runtime::EventId captureTimer_ = 0;
  bool inHandler_ = false;
  bool receiving_ = true;
  QByteArray packet_;

  SerialPort* port_ = nullptr;
  int receiveHandle_ = 0;
  int stateHandle_ = 0;
  // Tells the consumers of an earlier connection, which the port may still call once during a
  // delivery in progress, that they are stale.
  std::uint64_t connection_ = 0;
};

}  // namespace ventari
