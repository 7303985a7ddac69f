// EEPROM read replies of any content, through the read matcher as either family arms it and its
// handler in read-back mode and outside it: the value read is a cell value or nothing, and the
// read-outs take only what the matcher delivered. The first byte picks the arming.
#include <cstddef>
#include <cstdint>

#include "base/virtual_runtime.h"
#include "fuzz_check.h"
#include "link/packet_matcher_group.h"
#include "link/system_matchers.h"
#include "service/eeprom_read_handler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  ventari::VirtualRuntime runtime;
  ventari::PacketMatcherGroup group(runtime);
  ventari::SystemMatchers matchers(group);
  ventari::CalibrationReadouts readouts;
  ventari::EepromReadHandler handler(matchers.EEreadPacket, readouts);
  ventari::TApdDataPacket& matcher = matchers.EEreadPacket;
  const bool larkvane = (data[0] & 1) != 0;
  handler.readBackMode = (data[0] & 2) != 0;
  handler.larkvaneSwTestRunning = (data[0] & 4) != 0;
  if (larkvane) {
    matcher.SetStartString("R 0C\r\r\n");
  } else {
    matcher.SetEndString("\r\n");
    matcher.SetEndCond({.string = true});
    matcher.SetStartString((data[0] & 8) != 0 ? "R 83\r\n" : "R 150\r\n");
  }
  matcher.SetEnabled(true);
  group.Receive(data + 1, size - 1);
  if (handler.readBackMode && matcher.Received != 0) {
    const auto value = ventari::ReadReplyValue(handler.EepromData, larkvane ? 16 : 10);
    ventari::Check(!value || (*value >= 0 && *value <= 0xFF));
    ventari::Check(!larkvane || handler.EepromData.size() == 3);
  }
  ventari::Check(readouts.CurrentAxis1.isEmpty() && readouts.SOSOffsetLower.isEmpty());
  return 0;
}
