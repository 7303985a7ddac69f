// One kind of packet the anemometer sends, described by how it starts and how it ends. A
// PacketMatcherGroup cuts such packets out of the port's byte stream and hands each one to the
// matcher's handlers.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace ventari {

class PacketMatcherGroup;

enum class StartCondition {
  kString,   // the packet begins with StartString
  kAnyData,  // the packet begins with the first byte collected
};

// Either or both may be set; the first one met ends the packet.
struct EndConditions {
  bool string = false;  // ends with EndString
  bool size = false;    // ends by length, see PacketSize
  bool operator==(const EndConditions&) const = default;
};

class TApdDataPacket {
 public:
  using StringHandler = std::function<void(TApdDataPacket& sender, const QByteArray& text)>;
  // `data` is valid only during the call.
  using RawHandler =
      std::function<void(TApdDataPacket& sender, const std::uint8_t* data, std::size_t length)>;
  using TimeOutHandler = std::function<void(TApdDataPacket& sender)>;
  // How long, in milliseconds, the packet that starts now may stay open.
  using TimeOutRule = std::function<std::int64_t()>;

  static constexpr int kTimeOutTickMs = 55;
  // 2184 ticks, about 120 s.
  static constexpr int kDefaultTimeOut = 2184;

  explicit TApdDataPacket(std::string name = {});
  ~TApdDataPacket();
  TApdDataPacket(const TApdDataPacket&) = delete;
  TApdDataPacket& operator=(const TApdDataPacket&) = delete;

  // Names the matcher in error messages.
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // The start condition, start string, size and letter folding in force are those of the last
  // arming: changing them while armed takes effect at the next arming.
  StartCondition StartCond() const { return startCond_; }
  void SetStartCond(StartCondition cond) { startCond_ = cond; }
  const QByteArray& StartString() const { return startString_; }
  void SetStartString(const QByteArray& text) { startString_ = text; }
  // With the size end condition: the count, from the first byte of the start string, at which
  // the packet ends. Owners may use it to carry a value of their own otherwise.
  int PacketSize() const { return packetSize_; }
  void SetPacketSize(int size) { packetSize_ = size; }
  // Letters a to z compare equal to A to Z in the start and end strings.
  bool IgnoreCase() const { return ignoreCase_; }
  void SetIgnoreCase(bool ignore) { ignoreCase_ = ignore; }

  // Changing the end condition or the end string of an armed matcher re-arms it at once, which
  // abandons a packet in progress (and raises the arming errors of SetEnabled).
  EndConditions EndCond() const { return endCond_; }
  void SetEndCond(EndConditions cond);
  const QByteArray& EndString() const { return endString_; }
  void SetEndString(const QByteArray& text);

  // Whether the delivered bytes keep the start string and the end string that framed them.
  bool IncludeStrings() const { return includeStrings_; }
  void SetIncludeStrings(bool include) { includeStrings_ = include; }
  // Re-arm automatically after each delivered packet (never after a time-out).
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
  // The longest time, in ticks of kTimeOutTickMs, that a started packet may stay open.
  int TimeOut() const { return timeOut_; }
  void SetTimeOut(int ticks) { timeOut_ = ticks; }
  // When set, asked as each packet starts, in place of TimeOut: for packets whose time on the
  // line follows the line's rate.
  void SetTimeOutRule(TimeOutRule rule) { timeOutRule_ = std::move(rule); }

  // Arming raises std::invalid_argument when the matcher cannot frame anything: an empty start
  // string with the string start condition, the size end condition with a PacketSize of zero
  // or shorter than the start string, the string end condition with an empty end string, or
  // an any-data matcher with no end condition. Setting the current value does nothing. While a
  // handler of the group runs, the matcher only starts matching when the handler returns.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Called once per packet, after the matcher has disarmed itself: the raw handler first, then
  // the string handler.
  void SetStringHandler(StringHandler handler) { stringHandler_ = std::move(handler); }
  void SetRawHandler(RawHandler handler) { rawHandler_ = std::move(handler); }
  // Called when a started packet stayed open longer than TimeOut.
  void SetTimeOutHandler(TimeOutHandler handler) { timeOutHandler_ = std::move(handler); }

  // Called by a handler when the packet just delivered is none after all (its check failed):
  // the bytes after its first byte are matched again, by every matcher, instead of being
  // dropped, so that a packet which began inside it is still found.
  void ScanAgainAfterStart() { scanAgain_ = ScanAgain::kAfterFirstByte; }
  // Called by a handler when the packet's last `count` bytes may also begin the next one: they
  // and those after them are matched again.
  void ScanAgainFromEnd(std::size_t count) {
    scanAgain_ = ScanAgain::kFromEnd;
    scanAgainCount_ = count;
  }

  // Set to 1 by the handlers when the matcher delivered what they waited for; the waiting code
  // clears it before it asks.
  int Received = 0;

 private:
  friend class PacketMatcherGroup;

  static constexpr std::size_t kNoPosition = std::numeric_limits<std::size_t>::max();

  // A start or end string as compiled at arming: its bytes (letters folded when the matcher
  // ignores case) and, for each prefix, the longest proper prefix that is also its suffix, so
  // that a failed partial match falls back to a candidate that begins inside it.
  class Pattern {
   public:
    void Compile(const QByteArray& text, bool foldLetters);
    std::size_t Size() const { return bytes_.size(); }
    // The count of pattern bytes matched after `byte`, given `matched` before it.
    std::size_t Step(std::size_t matched, std::uint8_t byte) const {
      if (foldLetters_) byte = FoldLetter(byte);
      while (matched > 0 && bytes_.at(matched) != byte) matched = fallback_.at(matched - 1);
      return bytes_.at(matched) == byte ? matched + 1 : 0;
    }
    // The count of leading `bytes` that cannot begin a match.
    std::size_t Skip(std::span<const std::uint8_t> bytes) const;

   private:
    static std::uint8_t FoldLetter(std::uint8_t byte) {
      return byte >= 'a' && byte <= 'z' ? static_cast<std::uint8_t>(byte - ('a' - 'A')) : byte;
    }

    std::vector<std::uint8_t> bytes_;
    std::vector<std::size_t> fallback_;
    bool foldLetters_ = false;
  };

  enum class Mode { kIdle, kWaitingForStart, kWaitingForCapture, kCollecting };
  enum class ScanAgain { kNo, kAfterFirstByte, kFromEnd };

  void CheckArmable() const;
  void Rearm();

  std::string name_;
  StartCondition startCond_ = StartCondition::kString;
  QByteArray startString_;
  EndConditions endCond_;
  QByteArray endString_;
  int packetSize_ = 0;
  bool includeStrings_ = true;
  bool ignoreCase_ = true;
  bool autoEnable_ = true;
  bool enabled_ = false;
  int timeOut_ = kDefaultTimeOut;
  StringHandler stringHandler_;
  RawHandler rawHandler_;
  TimeOutHandler timeOutHandler_;
  TimeOutRule timeOutRule_;
  PacketMatcherGroup* group_ = nullptr;
  ScanAgain scanAgain_ = ScanAgain::kNo;
  std::size_t scanAgainCount_ = 0;

  // Taken at arming.
  bool anyData_ = false;
  Pattern start_;
  Pattern end_;
  std::size_t size_ = 0;

  // Match state, kept by the group.
  Mode mode_ = Mode::kIdle;
  std::size_t begin_ = kNoPosition;  // buffer index of the packet's first byte while collecting
  std::size_t startMatched_ = 0;
  std::size_t endMatched_ = 0;
};

}  // namespace ventari
