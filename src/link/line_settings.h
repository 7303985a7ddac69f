// The line settings of a serial port and the errors a port raises.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "base/errors.h"

namespace ventari {

// Codes as stored in the settings: 0 none, 1 odd, 2 even, 3 mark, 4 space.
enum class Parity : int { kNone = 0, kOdd = 1, kEven = 2, kMark = 3, kSpace = 4 };

struct LineSettings {
  std::int32_t baud = 9600;
  Parity parity = Parity::kNone;
  int dataBits = 8;
  int stopBits = 1;
  bool operator==(const LineSettings&) const = default;
};

// Flow control, off unless chosen by hand in the terminal's port settings; never stored.
struct FlowControl {
  bool dtrDsr = false;
  bool rtsCts = false;
  bool softwareTransmit = false;  // stop sending on Xoff, resume on Xon
  bool softwareReceive = false;   // send Xoff when the input fills, Xon when it drains
  int xonChar = 17;
  int xoffChar = 19;
  bool IsOff() const { return !dtrDsr && !rtsCts && !softwareTransmit && !softwareReceive; }
  bool operator==(const FlowControl&) const = default;
};

// The stored parity code: 1 odd, 2 even, 3 mark, 4 space, anything else none.
Parity ParityFromCode(int code);

// The time one byte takes on the line: start bit, data bits, parity bit and stop bits.
double ByteMs(const LineSettings& line);

class PortError : public UserError {
 public:
  // kLost: the port vanished under an open line; the user has been told by its notice.
  enum class Kind { kOpenFailed, kNotOpen, kLineRefused, kIo, kLost };
  PortError(Kind kind, const std::string& what)
      : UserError(what, kind == Kind::kLost), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

}  // namespace ventari
