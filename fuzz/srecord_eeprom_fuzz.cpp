// EEPROM parameter files of any content laid into the image: nothing is written at or beyond
// the EEPROM's size, which the first two bytes give (any value, even beyond the image).
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "service/srecord_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int eepromSize = (data[0] << 8 | data[1]) - 0x100;
  const QByteArray text(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
  const ventari::EepromFile file = ventari::EepromFileOf(ventari::ParseSRecords(text), eepromSize);
  ventari::Check(file.recordsBeyond >= 0 &&
                 file.recordsBeyond <= static_cast<int>(file.parsed.records.size()));
  ventari::EepromImage image;
  image.fill(0xFF);
  ventari::LayIntoEeprom(file, eepromSize, image);
  for (std::size_t a = eepromSize < 0 ? 0 : static_cast<std::size_t>(eepromSize); a < image.size();
       ++a) {
    ventari::Check(image[a] == 0xFF);
  }
  return 0;
}
