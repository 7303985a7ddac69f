// Debug listings of any content through the debug line matcher, re-armed after each line as the
// final assembly test re-arms it: no line holds the CR that ends it, and a line is a debug line
// exactly when it is 45 characters long.
#include <cstddef>
#include <cstdint>

#include "base/virtual_runtime.h"
#include "fuzz_check.h"
#include "link/packet_matcher_group.h"
#include "link/system_matchers.h"
#include "service/larkvane_replies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ventari::VirtualRuntime runtime;
  ventari::PacketMatcherGroup group(runtime);
  ventari::SystemMatchers matchers(group);
  ventari::TApdDataPacket& debug = matchers.LVDebugDataPacket;
  std::size_t taken = 0;
  debug.SetStringHandler([&](ventari::TApdDataPacket& sender, const QByteArray& line) {
    taken += static_cast<std::size_t>(line.size());
    ventari::Check(!line.contains('\r'));
    ventari::Check(ventari::IsDebugLine(line) == (line.size() == 45));
    sender.SetAutoEnable(true);
    sender.SetEnabled(true);
  });
  debug.SetAutoEnable(true);
  debug.SetEnabled(true);
  group.Receive(data, size);
  ventari::Check(taken <= size);
  return 0;
}
