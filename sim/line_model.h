// The serial line between the computer's port and a simulated anemometer. A byte reaches the
// device only when the port's baud rate, data bits and parity match the device's; otherwise the
// device hears nothing, and what the device sends arrives at the port as garbage. Every byte
// takes its transmission time at the sender's rate (start bit, data bits, parity bit, stop bits).
#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string_view>

#include "base/runtime.h"
#include "link/line_settings.h"
#include "sim/sim_device.h"

namespace ventari::sim {

class LineModel : public DeviceOutput {
 public:
  // The computer's end of the line.
  class PortEnd {
   public:
    virtual ~PortEnd() = default;
    // The port's line settings now.
    virtual LineSettings PortLine() = 0;
    // Bytes that have just arrived at the port.
    virtual void Arrive(const std::uint8_t* data, std::size_t size) = 0;
    // The port has disappeared under the computer (the device was unplugged).
    virtual void Lost(const QString& why) = 0;
  };

  LineModel(Runtime& runtime, SimDevice& device, std::uint32_t seed);
  ~LineModel() override;
  LineModel(const LineModel&) = delete;
  LineModel& operator=(const LineModel&) = delete;

  // The port now listening; nullptr when none is. Bytes still on their way to a port that
  // left are lost.
  void Connect(PortEnd* port) { port_ = port; }
  // Bytes the port sends, framed at `line`.
  void SendFromPort(const std::uint8_t* data, std::size_t size, const LineSettings& line);
  // Forgets the port's bytes that have not reached the device yet.
  void DiscardFromPort();
  // The control lines the port drives.
  void SetDtr(bool on) { dtr_ = on; }
  void SetRts(bool on) { rts_ = on; }
  bool Dtr() const { return dtr_; }
  bool Rts() const { return rts_; }

  // Whether bytes the port sent are still on their way to the device.
  bool SendingFromPort() const { return !toDevice_.empty(); }
  // Called with each byte the device hears (framed at its settings), after the device heard it.
  void SetHeardHandler(std::function<void(std::uint8_t)> handler) {
    heardHandler_ = std::move(handler);
  }

  // The port disappears: the listening port is told, and no port can connect until it returns.
  // The device goes on; what it sends meanwhile is lost. Nothing happens to a vanished port.
  void Vanish();
  // A vanished port comes back: ports can connect again and the return handler is called.
  void Return();
  bool Vanished() const { return vanished_; }
  void SetReturnHandler(std::function<void()> handler) { returnHandler_ = std::move(handler); }

  void Transmit(std::string_view bytes) override;
  double TransmitBacklogMs() const override;

  // Whether a receiver at `receiver` reads what a sender at `sender` sends.
  static bool Understands(const LineSettings& receiver, const LineSettings& sender);

 private:
  struct InFlight {
    double arrivalMs;
    std::uint8_t byte;
    LineSettings framing;
  };

  double NowMs() const { return static_cast<double>(runtime_.NowMs()); }
  void ScheduleToDevice();
  void ScheduleToPort();
  void DeliverToDevice();
  void DeliverToPort();
  std::uint8_t GarbageByte();

  Runtime& runtime_;
  SimDevice& device_;
  PortEnd* port_ = nullptr;
  std::function<void(std::uint8_t)> heardHandler_;
  std::function<void()> returnHandler_;
  std::mt19937 garbage_;
  // Frames the port has made out of mismatched bytes so far, in fractions of a byte.
  double garbageCredit_ = 0;
  bool dtr_ = false;
  bool rts_ = false;
  bool vanished_ = false;

  std::deque<InFlight> toDevice_;
  std::deque<InFlight> toPort_;
  double portFreeAtMs_ = 0;
  double deviceFreeAtMs_ = 0;
  Runtime::EventId toDeviceEvent_ = 0;
  Runtime::EventId toPortEvent_ = 0;
};

}  // namespace ventari::sim
