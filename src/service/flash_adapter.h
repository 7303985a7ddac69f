// The external flash programmer on the port's modem-control lines: control bytes clocked out
// with DTR as the clock and RTS as the data inverted, one timer tick after every step, and the
// three sequences built from them.
#pragma once

#include <cstdint>

#include "link/command_channel.h"
#include "link/serial_port.h"

namespace ventari {

class FlashAdapter {
 public:
  FlashAdapter(SerialPort& port, CommandChannel& channel) : port_(port), channel_(channel) {}

  void SendControlByte(std::uint8_t byte);
  // Opens the port, wakes the adapter and lets the processor run.
  void StartUp();
  // Resets the processor into boot mode.
  void EnterBootMode();
  // Resets the processor into normal running.
  void ResetProcessor();

 private:
  void Step();
  // Sends the byte, then waits `ms`.
  void Control(std::uint8_t byte, int ms);

  SerialPort& port_;
  CommandChannel& channel_;
};

}  // namespace ventari
