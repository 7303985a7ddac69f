// A line with nothing on it: it opens, takes every write and never answers. For runs that feed
// the matchers directly (benchmarks, fuzzing).
#pragma once

#include "link/serial_backend.h"

namespace ventari {

class NullSerialBackend : public SerialBackend {
 public:
  void Open(const QString&, const LineSettings&, Sink&) override {}
  void Close() override {}
  void ApplyLine(const LineSettings&) override {}
  void SetDtr(bool) override {}
  void SetRts(bool) override {}
  void Write(const std::uint8_t*, std::size_t) override {}
  void FlushOut() override {}
  void FlushIn() override {}
};

}  // namespace ventari
