// Application files of any content: the reader refuses them or fills the flash image, with the
// highest address inside the image and one warning line at most.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz_check.h"
#include "service/srecord_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto image = std::make_unique<ventari::FlashImage>();
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const ventari::SRecordFile file = ventari::ParseSRecords(text);
  int logged = 0;
  const ventari::SRecordResult result = ventari::LayApplication(
      file, QStringLiteral("fuzz.s"), *image, [&logged](const QString&) { ++logged; });
  ventari::Check(logged == 1);
  ventari::Check(result.ok == result.message.isEmpty());
  ventari::Check(result.ok || image->highestAddress == 0);
  if (result.ok) ventari::Check(image->highestAddress < ventari::kFlashImageSize);
  for (const ventari::SRecordFault& fault : file.faults) ventari::Check(fault.line >= 1);
  return 0;
}
