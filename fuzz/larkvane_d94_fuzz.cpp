// D94 replies of any content, framed as the final assembly test frames them (after "OLD", 59
// characters): the old alignment is at most 27 characters and the new one at most 30.
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
  int replies = 0;
  matchers.LVCsumDataPacket.SetStringHandler(
      [&replies](ventari::TApdDataPacket&, const QByteArray& text) {
        ++replies;
        ventari::Check(text.size() == 59);
        const ventari::D94Reply reply = ventari::ParseD94Reply(text);
        ventari::Check(reply.oldAlignment.size() == 27 && reply.alignment.size() == 30);
      });
  matchers.LVCsumDataPacket.SetEnabled(true);
  group.Receive(data, size);
  ventari::Check(replies <= 1);
  const ventari::D94Reply direct = ventari::ParseD94Reply(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  ventari::Check(direct.oldAlignment.size() <= 27 && direct.alignment.size() <= 30);
  return 0;
}
