// A Kestrix II's debug output: switched on for one diagnostic and off again through the debug
// selection cells of its EEPROM, and each diagnostic line the matchers frame handed to one
// listener. Shared by the diagnostics page and the command line.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>

#include "service/diagnostic_tests.h"
#include "service/service_link.h"

namespace ventari {

class DiagnosticOutput {
 public:
  using LineListener = std::function<void(const QByteArray& line)>;

  // Takes over the handlers of StatusPacket, GainPacket, DownCountsPacket and PreloadPacket.
  explicit DiagnosticOutput(ServiceLink link);
  // Disarms the matchers and lets go of their handlers, which point here.
  ~DiagnosticOutput();
  DiagnosticOutput(const DiagnosticOutput&) = delete;
  DiagnosticOutput& operator=(const DiagnosticOutput&) = delete;

  void SetLineListener(LineListener listener) { listener_ = std::move(listener); }
  // Told of each debug selection cell written, so that the EEPROM image the test report
  // verifies against follows the anemometer's cells.
  std::function<void(int address, std::uint8_t value)> cellWritten;

  // Configuration mode; when the anemometer answers, the access word, "W 64 9" and the test's
  // cells, all raw and unpaced. Configuration mode is left, and after the slow tick the test's
  // matcher is armed, whether or not anything was written. Returns whether it was.
  bool SwitchOn(DiagnosticTest test);
  // Disarms the five diagnostic matchers, then in configuration mode writes the access word and
  // the debug-off cells. Returns whether they were written.
  bool SwitchOff();
  // Disarms the five diagnostic matchers; nothing is sent.
  void Disarm();

  // Whether the anemometer may still send debug lines: a selection was written and no debug-off
  // since.
  bool DebugOn() const { return debugOn_; }

 private:
  // The access word and `cells` when configuration mode is reached; configuration mode left.
  template <typename Cells>
  bool WriteInConfigMode(const char* first, const Cells& cells);
  // Sends one "W a v\r\n" and tells `cellWritten`.
  void WriteCell(const char* write);

  ServiceLink link_;
  LineListener listener_;
  bool debugOn_ = false;
};

}  // namespace ventari
