#include "link/packet_matcher_group.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "base/errors.h"
#include "link/serial_port.h"

namespace ventari {
namespace {

// The buffer grows in steps of this many bytes.
constexpr std::size_t kGrowStep = 8192;
// A buffer that grew past this size (a long capture) gives its memory back when emptied.
constexpr std::size_t kKeptCapacity = 8 * kGrowStep;

}  // namespace

PacketMatcherGroup::PacketMatcherGroup(Runtime& runtime) : runtime_(runtime) {}

PacketMatcherGroup::~PacketMatcherGroup() {
  Disconnect();
  ReleaseCapture();
  for (TApdDataPacket* matcher : matchers_) matcher->group_ = nullptr;
}

void PacketMatcherGroup::Attach(TApdDataPacket& matcher) {
  if (matcher.group_ != nullptr) {
    throw std::logic_error(matcher.Name() + " is already attached to a packet matcher group");
  }
  matcher.group_ = this;
  matchers_.push_back(&matcher);
  Restart(matcher);
}

void PacketMatcherGroup::Detach(TApdDataPacket& matcher) {
  Disarmed(matcher);
  std::erase(matchers_, &matcher);
  matcher.group_ = nullptr;
}

void PacketMatcherGroup::ConnectTo(SerialPort& port) {
  Disconnect();
  port_ = &port;
  const std::uint64_t connection = ++connection_;
  receiveHandle_ =
      port.AddReceiveConsumer([this, connection](std::span<const std::uint8_t> newBytes) {
        if (connection == connection_) Receive(newBytes.data(), newBytes.size());
      });
  stateHandle_ = port.AddStateConsumer([this, connection](bool open) {
    if (connection == connection_) SetReceiving(open);
  });
  SetReceiving(port.IsOpen());
}

void PacketMatcherGroup::Disconnect() {
  if (port_ != nullptr) {
    port_->RemoveReceiveConsumer(receiveHandle_);
    port_->RemoveStateConsumer(stateHandle_);
    port_ = nullptr;
    ++connection_;
  }
  SetReceiving(false);
}

void PacketMatcherGroup::SetReceiving(bool receiving) {
  if (receiving == receiving_) return;
  receiving_ = receiving;
  if (!receiving) ReleaseCapture();
  for (TApdDataPacket* matcher : matchers_) Restart(*matcher);
  if (!receiving) DiscardBuffer();
}

void PacketMatcherGroup::Restart(TApdDataPacket& matcher) {
  matcher.begin_ = TApdDataPacket::kNoPosition;
  matcher.startMatched_ = 0;
  matcher.endMatched_ = 0;
  // Arming during a handler takes effect when the handler returns, which restarts every armed
  // matcher.
  if (!matcher.enabled_ || !receiving_ || inHandler_) {
    matcher.mode_ = Mode::kIdle;
  } else if (!matcher.anyData_) {
    matcher.mode_ = Mode::kWaitingForStart;
  } else if (capture_ != nullptr) {
    matcher.mode_ = Mode::kWaitingForCapture;
  } else {
    matcher.mode_ = Mode::kCollecting;
    TakeCapture(matcher);
  }
}

void PacketMatcherGroup::Disarmed(TApdDataPacket& matcher) {
  if (capture_ == &matcher) ReleaseCapture();
  Restart(matcher);
}

void PacketMatcherGroup::TakeCapture(TApdDataPacket& matcher) {
  ReleaseCapture();
  capture_ = &matcher;
  for (TApdDataPacket* other : matchers_) {
    if (other->mode_ == Mode::kWaitingForStart) other->startMatched_ = 0;
  }
  const std::int64_t timeOutMs =
      matcher.timeOutRule_ ? matcher.timeOutRule_()
                           : std::int64_t{matcher.timeOut_} * TApdDataPacket::kTimeOutTickMs;
  captureTimer_ = runtime_.Schedule(timeOutMs, [this] { CaptureTimedOut(); });
}

void PacketMatcherGroup::ReleaseCapture() {
  if (captureTimer_ != 0) runtime_.Cancel(captureTimer_);
  captureTimer_ = 0;
  capture_ = nullptr;
}

void PacketMatcherGroup::Receive(const std::uint8_t* data, std::size_t size) {
  if (!receiving_ || size == 0) return;
  const std::size_t firstNew = Append(data, size);
  if (inHandler_) return;
  const std::size_t from = rescanPending_ ? head_ : firstNew;
  rescanPending_ = false;
  Scan(from);
}

void PacketMatcherGroup::Scan(std::size_t from) {
  for (;;) {
    ScanOutcome outcome;
    TApdDataPacket* scanner = capture_;
    if (scanner != nullptr) {
      outcome = ScanMatcher(*scanner, from);
    } else {
      for (TApdDataPacket* matcher : matchers_) {
        if (matcher->mode_ == Mode::kIdle) continue;
        outcome = ScanMatcher(*matcher, from);
        if (outcome.kind != ScanOutcome::Kind::kNothing) {
          scanner = matcher;
          break;
        }
      }
    }
    if (outcome.kind != ScanOutcome::Kind::kPacketEnded) break;
    Rethrow(Deliver(*scanner, outcome));
    if (BufferedBytes() == 0) return;
    from = head_;
  }
  DropBufferUnlessNeeded();
}

PacketMatcherGroup::ScanOutcome PacketMatcherGroup::ScanMatcher(TApdDataPacket& matcher,
                                                                std::size_t from) {
  using Kind = ScanOutcome::Kind;
  const std::size_t end = buffer_.size();
  const auto bytes = [this, end](std::size_t i) {
    return std::span<const std::uint8_t>(buffer_).subspan(i, end - i);
  };
  ScanOutcome outcome;
  std::size_t i = from;
  while (i < end) {
    switch (matcher.mode_) {
      case Mode::kIdle:
        return outcome;
      case Mode::kWaitingForStart:
        if (matcher.startMatched_ == 0) {
          i += matcher.start_.Skip(bytes(i));
          if (i == end) return outcome;
        }
        matcher.startMatched_ = matcher.start_.Step(matcher.startMatched_, buffer_.at(i));
        if (matcher.startMatched_ == matcher.start_.Size()) {
          matcher.begin_ = i + 1 - matcher.start_.Size();
          matcher.mode_ = Mode::kCollecting;
          TakeCapture(matcher);
          outcome.kind = Kind::kCaptured;
        }
        ++i;
        break;
      case Mode::kWaitingForCapture:
        matcher.mode_ = Mode::kCollecting;
        TakeCapture(matcher);
        outcome.kind = Kind::kCaptured;
        [[fallthrough]];
      case Mode::kCollecting: {
        if (matcher.begin_ == TApdDataPacket::kNoPosition) matcher.begin_ = i;
        // The size is reached at `sizeAt`; pass at once over bytes before it that cannot begin
        // the end string.
        const std::size_t sizeAt =
            matcher.size_ != 0 ? matcher.begin_ + matcher.size_ - 1 : TApdDataPacket::kNoPosition;
        if (matcher.endMatched_ == 0 && i < sizeAt) {
          const std::size_t limit = std::min(end, sizeAt);
          i += matcher.end_.Size() != 0 ? matcher.end_.Skip(bytes(i).first(limit - i)) : limit - i;
          if (i == end) return outcome;
        }
        if (i >= sizeAt) return {Kind::kPacketEnded, i, false};
        if (matcher.end_.Size() != 0) {
          matcher.endMatched_ = matcher.end_.Step(matcher.endMatched_, buffer_.at(i));
          if (matcher.endMatched_ == matcher.end_.Size()) return {Kind::kPacketEnded, i, true};
        }
        ++i;
        break;
      }
    }
  }
  return outcome;
}

std::exception_ptr PacketMatcherGroup::Deliver(TApdDataPacket& matcher, const ScanOutcome& end) {
  inHandler_ = true;
  const std::size_t first = matcher.begin_;
  std::size_t begin = first;
  std::size_t stop = end.last + 1;
  if (!matcher.includeStrings_) {
    begin += matcher.start_.Size();
    if (end.byEndString) stop -= matcher.end_.Size();
  }
  matcher.enabled_ = false;
  Disarmed(matcher);

  const std::uint64_t discards = discards_;
  matcher.scanAgain_ = TApdDataPacket::ScanAgain::kNo;
  std::exception_ptr error = Report(CallHandlers(matcher, begin, stop));
  // Unless the port closed meanwhile, everything up to the packet's last byte goes, or only its
  // first byte when a handler found it was none, or all but its last bytes when they may begin
  // the next.
  if (discards == discards_) {
    switch (matcher.scanAgain_) {
      case TApdDataPacket::ScanAgain::kNo:
        head_ = end.last + 1;
        break;
      case TApdDataPacket::ScanAgain::kAfterFirstByte:
        head_ = first + 1;
        break;
      case TApdDataPacket::ScanAgain::kFromEnd:
        head_ = end.last + 1 - std::min(matcher.scanAgainCount_, stop - begin);
        break;
    }
    if (head_ == buffer_.size()) DiscardBuffer();
  }
  if (matcher.autoEnable_) {
    try {
      matcher.SetEnabled(true);
    } catch (const std::invalid_argument&) {
      if (!error) error = Report(std::current_exception());
    }
  }
  inHandler_ = false;
  for (TApdDataPacket* armed : matchers_) Restart(*armed);
  return error;
}

std::exception_ptr PacketMatcherGroup::CallHandlers(TApdDataPacket& matcher, std::size_t begin,
                                                    std::size_t end) {
  // Copies, because a handler may replace itself.
  const TApdDataPacket::RawHandler raw = matcher.rawHandler_;
  const TApdDataPacket::StringHandler text = matcher.stringHandler_;
  if (!raw && !text) return {};
  if (begin > end || end > buffer_.size()) throw std::out_of_range("packet outside the buffer");
  // A copy: bytes that arrive while a handler waits may move the buffer.
  const auto bytes = std::span<const std::uint8_t>(buffer_).subspan(begin, end - begin);
  packet_.resize(static_cast<qsizetype>(bytes.size()));
  std::copy(bytes.begin(), bytes.end(), packet_.begin());
  try {
    if (raw) {
      raw(matcher, reinterpret_cast<const std::uint8_t*>(packet_.constData()), bytes.size());
    }
    if (text) text(matcher, packet_);
  } catch (...) {
    return std::current_exception();
  }
  return {};
}

void PacketMatcherGroup::CaptureTimedOut() {
  captureTimer_ = 0;
  TApdDataPacket& matcher = *capture_;
  // Stays disarmed whatever AutoEnable says.
  matcher.enabled_ = false;
  Disarmed(matcher);
  std::exception_ptr error;
  if (const TApdDataPacket::TimeOutHandler handler = matcher.timeOutHandler_) {
    inHandler_ = true;
    try {
      handler(matcher);
    } catch (...) {
      error = Report(std::current_exception());
    }
    inHandler_ = false;
  }
  DiscardBuffer();
  // Matchers armed by the handler start now.
  for (TApdDataPacket* armed : matchers_) {
    if (armed->enabled_ && armed->mode_ == Mode::kIdle) Restart(*armed);
  }
  Rethrow(error);
}

std::exception_ptr PacketMatcherGroup::Report(std::exception_ptr error) {
  if (!error || !reporter_) return error;
  // Called while the group still counts as inside the handler: a reporter that shows a modal
  // box lets bytes arrive, and they must wait like any others.
  try {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      reporter_(e);
    } catch (...) {
      reporter_(ProgramError("an error of an unknown kind"));
    }
  } catch (...) {
    return std::current_exception();
  }
  return {};
}

void PacketMatcherGroup::Rethrow(std::exception_ptr error) {
  if (!error) return;
  rescanPending_ = true;
  std::rethrow_exception(error);
}

void PacketMatcherGroup::DropBufferUnlessNeeded() {
  if (capture_ != nullptr) return;
  std::size_t keepFrom = buffer_.size();
  for (const TApdDataPacket* matcher : matchers_) {
    // A partly matched start string ends at the last byte scanned, the end of the buffer.
    if (matcher->mode_ == Mode::kWaitingForStart && matcher->startMatched_ > 0) {
      keepFrom = std::min(keepFrom, buffer_.size() - matcher->startMatched_);
    }
  }
  if (keepFrom == buffer_.size()) {
    DiscardBuffer();
  } else {
    head_ = keepFrom;
  }
}

std::size_t PacketMatcherGroup::Append(const std::uint8_t* data, std::size_t size) {
  // Positions held by matchers stay put while a handler runs; move the live bytes down only
  // between scans.
  if (!inHandler_ && head_ > 0) {
    for (TApdDataPacket* matcher : matchers_) {
      if (matcher->begin_ != TApdDataPacket::kNoPosition) matcher->begin_ -= head_;
    }
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(head_));
    head_ = 0;
  }
  const std::size_t needed = buffer_.size() + size;
  if (needed > buffer_.capacity()) {
    buffer_.reserve((needed + kGrowStep - 1) / kGrowStep * kGrowStep);
  }
  const std::size_t firstNew = buffer_.size();
  buffer_.insert(buffer_.end(), data, data + size);
  return firstNew;
}

void PacketMatcherGroup::DiscardBuffer() {
  buffer_.clear();
  if (buffer_.capacity() > kKeptCapacity) buffer_.shrink_to_fit();
  head_ = 0;
  ++discards_;
  rescanPending_ = false;
}

}  // namespace ventari
