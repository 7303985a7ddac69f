// What a three-axis anemometer in configuration mode answers, line by line: whether a line of the
// answer begins with an acknowledgement ("VALID", "Confirm with B"), whether the prompt came, and
// when the last byte arrived. A line begins where the watch starts, after a line end and after
// the prompt, so the echo of a command ("WINDREP UVW CAL", "ALIGNUVW AXIS") is never taken for
// the answer that follows it, whether the anemometer echoes or not.
#pragma once

#include <QByteArray>
#include <cstdint>

#include "base/runtime.h"
#include "link/serial_port.h"

namespace ventari {

class ReplyLines {
 public:
  ReplyLines(Runtime& runtime, SerialPort& port);
  ~ReplyLines();
  ReplyLines(const ReplyLines&) = delete;
  ReplyLines& operator=(const ReplyLines&) = delete;

  // Starts watching for a line that begins with `start` (letter case ignored).
  void Begin(const QByteArray& start);
  bool Acknowledged() const { return acknowledged_; }
  // The prompt "T7>" arrived since Begin.
  bool Prompted() const { return prompted_; }
  // When the last byte arrived; the start of the run while none did.
  std::int64_t LastByteMs() const { return lastByteMs_; }

  // Feeds received bytes; the port does this.
  void Receive(const std::uint8_t* data, std::size_t size);

 private:
  Runtime& runtime_;
  SerialPort& port_;
  int consumer_ = 0;
  QByteArray start_;
  QByteArray line_;
  bool acknowledged_ = false;
  bool prompted_ = false;
  std::int64_t lastByteMs_ = 0;
};

}  // namespace ventari
