// What a serial port needs from the driver below it: real ports (QtSerialPort), simulated
// instruments (SimSerialPort) and scripted lines in tests all implement this.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "link/line_settings.h"

namespace ventari {

class SerialBackend {
 public:
  // Where a back end hands what it hears. Called on the user-interface thread.
  class Sink {
   public:
    virtual ~Sink() = default;
    virtual void BytesReceived(const std::uint8_t* data, std::size_t size) = 0;
    // The device went away (a USB adapter pulled, a pseudo-terminal closed).
    virtual void DeviceLost(const QString& why) = 0;
  };

  virtual ~SerialBackend() = default;

  // Each raises PortError on failure; a failed Open leaves the back end closed and a failed
  // ApplyLine leaves the old line settings in force.
  virtual void Open(const QString& name, const LineSettings& line, Sink& sink) = 0;
  virtual void Close() = 0;
  virtual void ApplyLine(const LineSettings& line) = 0;
  // Back ends without flow control refuse any.
  virtual void ApplyFlow(const FlowControl& flow) {
    if (!flow.IsOff())
      throw PortError(PortError::Kind::kLineRefused, "No flow control on this port");
  }
  virtual void SetDtr(bool on) = 0;
  virtual void SetRts(bool on) = 0;
  virtual void Write(const std::uint8_t* data, std::size_t size) = 0;
  // Discards bytes queued for sending / received by the driver but not yet handed to the sink.
  virtual void FlushOut() = 0;
  virtual void FlushIn() = 0;
  // Hands the sink whatever the driver already holds, without waiting.
  virtual void Poll() {}
  // Whether bytes written are still waiting in the driver to go out on the line.
  virtual bool Sending() const { return false; }
};

// Makes the back end for a port name ("COM3", "/dev/ttyUSB0", "sim:t7", ...).
using SerialBackendFactory = std::function<std::unique_ptr<SerialBackend>(const QString& name)>;

}  // namespace ventari
