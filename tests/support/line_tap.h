// Records what the system sends through any serial back end, with the virtual send times, and
// the rate the line was set to at each write.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/runtime.h"
#include "link/serial_backend.h"

namespace ventari::test {

class LineTap {
 public:
  struct Write {
    std::int64_t atMs;
    std::int32_t baud;
    std::string bytes;
  };

  explicit LineTap(Runtime& runtime) : runtime_(runtime) {}

  // Wraps `inner`: every back end it makes reports its writes here.
  SerialBackendFactory Wrap(SerialBackendFactory inner);

  const std::vector<Write>& Writes() const { return writes_; }
  // Everything sent since `fromMs`, as text.
  std::string SentSince(std::int64_t fromMs = 0) const;
  // The rates at which something was sent, in order, each once per run of writes.
  std::vector<std::int32_t> RatesUsed() const;
  // From now on the driver refuses the line settings `refused` holds for, as some adapters
  // refuse 300 baud, 7 data bits or Mark parity.
  void RefuseLines(std::function<bool(const LineSettings&)> refused) {
    refused_ = std::move(refused);
  }

 private:
  class Backend;
  Runtime& runtime_;
  std::vector<Write> writes_;
  std::function<bool(const LineSettings&)> refused_;
};

}  // namespace ventari::test
