// A serial line on virtual time for tests: records every byte the system sends with its send
// time, and hands the system scripted bytes at chosen times (directly or from a responder
// that reacts to what was sent).
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/virtual_runtime.h"
#include "link/serial_backend.h"

namespace ventari::test {

class ScriptedLine {
 public:
  struct SentByte {
    std::int64_t atMs;
    std::uint8_t byte;
  };
  // Called for every byte the system sends, after it was recorded.
  using Responder = std::function<void(ScriptedLine& line, std::uint8_t byte)>;

  explicit ScriptedLine(VirtualRuntime& runtime) : runtime_(runtime) {}

  // A factory for SerialPort: every port name opens this line.
  SerialBackendFactory Factory();

  // Bytes that arrive at the port `delayMs` from now (nothing arrives while closed).
  void DeliverIn(std::int64_t delayMs, const std::string& bytes);
  void SetResponder(Responder responder) { responder_ = std::move(responder); }

  const std::vector<SentByte>& Sent() const { return sent_; }
  // Everything sent, as text.
  std::string SentText() const;
  void ClearSent() { sent_.clear(); }

  bool IsOpen() const { return sink_ != nullptr; }
  const LineSettings& Line() const { return line_; }
  int LineChanges() const { return lineChanges_; }
  const QString& OpenedName() const { return openedName_; }
  int Opens() const { return opens_; }
  bool Dtr() const { return dtr_; }
  bool Rts() const { return rts_; }

  // Make the next Open fail / the driver refuse a baud rate.
  void FailOpen(bool fail) { failOpen_ = fail; }
  void RefuseBaud(std::int32_t baud) { refusedBaud_ = baud; }
  // The device vanishes now.
  void Lose();

  VirtualRuntime& runtime() { return runtime_; }

 private:
  class Backend;
  friend class Backend;

  VirtualRuntime& runtime_;
  SerialBackend::Sink* sink_ = nullptr;
  std::vector<SentByte> sent_;
  Responder responder_;
  LineSettings line_;
  int lineChanges_ = 0;
  QString openedName_;
  int opens_ = 0;
  bool dtr_ = false;
  bool rts_ = false;
  bool failOpen_ = false;
  std::int32_t refusedBaud_ = -1;
};

}  // namespace ventari::test
