// Drives the system's packet matchers on virtual time with a program read from the input:
// bytes arriving now or later, arming and disarming, changed start and end strings, sizes and
// flags, the port closing and opening, time passing far enough for time-outs, and handlers that
// re-arm, change settings, wait, receive more bytes or fail.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "base/virtual_runtime.h"
#include "link/null_serial_backend.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"

namespace ventari {
namespace {

constexpr int kMatcherCount = 23;

class Program {
 public:
  Program(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return at_ >= size_; }
  std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
  // Up to `count` bytes, fewer at the end of the program.
  std::string Bytes(std::size_t count) {
    std::string bytes;
    while (count-- > 0 && !Done()) bytes.push_back(static_cast<char>(Next()));
    return bytes;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// An error a handler raises on purpose.
class HandlerFailure : public std::runtime_error {
 public:
  HandlerFailure() : std::runtime_error("handler failed") {}
};

class Session {
 public:
  explicit Session(Program& program) : program_(program) {
    group_.ConnectTo(port_);
    port_.SetOpen(true);
    for (int i = 0; i < kMatcherCount; ++i) {
      TApdDataPacket& matcher = Matcher(i);
      matcher.SetStringHandler([this](TApdDataPacket& sender, const QByteArray& text) {
        if (sender.Enabled() || text.size() != lastRawLength_) std::abort();
        Act(sender);
      });
      matcher.SetRawHandler([this](TApdDataPacket&, const std::uint8_t*, std::size_t length) {
        lastRawLength_ = static_cast<qsizetype>(length);
      });
    }
  }

  void Run() {
    while (!program_.Done()) {
      try {
        Step();
      } catch (const std::invalid_argument&) {
        // Arming a matcher that cannot frame anything is refused.
      } catch (const HandlerFailure&) {
        // Propagated because no reporter was set.
      }
    }
  }

 private:
  TApdDataPacket& Matcher(int index) { return matchers_.*kMembers[index % kMatcherCount]; }

  void Feed(const std::string& bytes) {
    group_.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  void Step() {
    TApdDataPacket& matcher = Matcher(program_.Next());
    switch (program_.Next() % 14) {
      case 0:
        Feed(program_.Bytes(program_.Next() % 64));
        break;
      case 1: {
        const std::int64_t delayMs = program_.Next() * 10;
        runtime_.Schedule(delayMs,
                          [this, bytes = program_.Bytes(program_.Next() % 32)] { Feed(bytes); });
        break;
      }
      case 2:
        matcher.SetEnabled(true);
        break;
      case 3:
        matcher.SetEnabled(false);
        break;
      case 4:
        matcher.SetStartString(QByteArray::fromStdString(program_.Bytes(program_.Next() % 4)));
        break;
      case 5:
        matcher.SetEndString(QByteArray::fromStdString(program_.Bytes(program_.Next() % 4)));
        break;
      case 6: {
        const std::uint8_t bits = program_.Next();
        matcher.SetEndCond({.string = (bits & 1) != 0, .size = (bits & 2) != 0});
        break;
      }
      case 7:
        matcher.SetPacketSize(program_.Next() % 40);
        break;
      case 8:
        ToggleFlag(matcher, program_.Next());
        break;
      case 9:
        matcher.SetTimeOut(program_.Next() % 64);
        break;
      case 10:
        runtime_.RunFor(program_.Next() % 8 == 0 ? std::int64_t{2184} * 55 : program_.Next() * 20);
        break;
      case 11:
        port_.SetOpen(!port_.IsOpen());
        break;
      case 12:
        if (connected_) {
          group_.Disconnect();
        } else {
          group_.ConnectTo(port_);
        }
        connected_ = !connected_;
        break;
      case 13:
        if (reporting_) {
          group_.SetErrorReporter(nullptr);
        } else {
          group_.SetErrorReporter([](const std::exception&) {});
        }
        reporting_ = !reporting_;
        break;
    }
  }

  void ToggleFlag(TApdDataPacket& matcher, std::uint8_t which) {
    switch (which % 4) {
      case 0:
        matcher.SetIncludeStrings(!matcher.IncludeStrings());
        break;
      case 1:
        matcher.SetIgnoreCase(!matcher.IgnoreCase());
        break;
      case 2:
        matcher.SetAutoEnable(!matcher.AutoEnable());
        break;
      case 3:
        matcher.SetStartCond(matcher.StartCond() == StartCondition::kString
                                 ? StartCondition::kAnyData
                                 : StartCondition::kString);
        break;
    }
  }

  // What a handler does with the packet it was given.
  void Act(TApdDataPacket& sender) {
    switch (program_.Next() % 8) {
      case 0:
        break;
      case 1:
        sender.SetEnabled(true);
        break;
      case 2:
        Matcher(program_.Next()).SetEnabled(true);
        break;
      case 3:
        sender.SetEndString(QByteArray::fromStdString(program_.Bytes(1 + program_.Next() % 3)));
        break;
      case 4:
        Feed(program_.Bytes(program_.Next() % 16));
        break;
      case 5:
        // A wait: other events, and with them more bytes, run inside the handler.
        for (int events = program_.Next() % 4; events > 0 && runtime_.HasPending(); --events) {
          runtime_.ProcessEvents();
        }
        break;
      case 6:
        throw HandlerFailure();
      case 7:
        ToggleFlag(Matcher(program_.Next()), program_.Next());
        break;
    }
  }

  static constexpr TApdDataPacket SystemMatchers::*kMembers[kMatcherCount] = {
      &SystemMatchers::DataPacket,        &SystemMatchers::IMPacket,
      &SystemMatchers::D1Packet,          &SystemMatchers::D2Packet,
      &SystemMatchers::D3Packet,          &SystemMatchers::StatusPacket,
      &SystemMatchers::GainPacket,        &SystemMatchers::DownCountsPacket,
      &SystemMatchers::PreloadPacket,     &SystemMatchers::CoarseDiffPacket,
      &SystemMatchers::EEreadPacket,      &SystemMatchers::LarkvaneD2Packet,
      &SystemMatchers::LarkvaneD3Packet,  &SystemMatchers::TriAxisPkt,
      &SystemMatchers::TriVerifyPkt,      &SystemMatchers::TriAxisAsciiPkt,
      &SystemMatchers::TriAxisBinaryPkt,  &SystemMatchers::LVCsumDataPacket,
      &SystemMatchers::LVDebugDataPacket, &SystemMatchers::LVeeDumpPacket1,
      &SystemMatchers::LVeeDumpPacket2,   &SystemMatchers::LVeeDumpPacket3,
      &SystemMatchers::LVeeDumpPacket4,
  };

  Program& program_;
  VirtualRuntime runtime_;
  SerialPort port_{runtime_, [](const QString&) { return std::make_unique<NullSerialBackend>(); }};
  PacketMatcherGroup group_{runtime_};
  SystemMatchers matchers_{group_};
  bool connected_ = true;
  bool reporting_ = false;
  qsizetype lastRawLength_ = -1;
};

}  // namespace
}  // namespace ventari

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ventari::Program program(data, size);
  ventari::Session session(program);
  session.Run();
  return 0;
}
