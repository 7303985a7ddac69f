// D6 replies of any content: a new checksum is taken only as two bytes of two hex digits each,
// whose values are what those digits say; the old checksum is at most four characters.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "service/larkvane_replies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const auto reply = ventari::ParseD6Reply(text);
  if (!reply) return 0;
  ventari::Check(size >= 9);
  ventari::Check(reply->oldChecksum.size() == 4);
  bool highOk = false;
  bool lowOk = false;
  ventari::Check(reply->high.size() == 2 && reply->low.size() == 2);
  ventari::Check(reply->high.toUInt(&highOk, 16) == reply->highValue && highOk);
  ventari::Check(reply->low.toUInt(&lowOk, 16) == reply->lowValue && lowOk);
  ventari::Check(ventari::D6NewChecksumText(text) == reply->high + reply->low);
  return 0;
}
