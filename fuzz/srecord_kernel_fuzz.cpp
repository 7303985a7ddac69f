// Kernel files of any content: the reader either refuses them or lays bytes only below the
// kernel's limit, with the highest address inside what it stored. The first byte picks the chip.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzz_check.h"
#include "service/srecord_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const auto image = std::make_unique<ventari::FlashImage>();
  const ventari::KernelChip chip =
      data[0] & 1 ? ventari::KernelChip::kH8_3337 : ventari::KernelChip::kH8_3334;
  const QByteArray text(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  const ventari::SRecordFile file = ventari::ParseSRecords(text);
  const ventari::SRecordResult result =
      ventari::LayKernel(file, QStringLiteral("fuzz.s"), chip, *image, [](const QString&) {});
  ventari::Check(result.ok == result.message.isEmpty());
  ventari::Check(result.ok || image->highestAddress == 0);
  if (result.ok) {
    ventari::Check(file.faults.empty());
    ventari::Check(image->highestAddress < ventari::kKernelLimit);
    for (std::size_t a = ventari::kKernelLimit; a < image->bytes.size(); ++a) {
      ventari::Check(image->bytes[a] == 0xFF);
    }
  }
  return 0;
}
