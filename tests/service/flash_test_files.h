// S-record files for the flash programming tests, written on the spot: kernels and applications
// of any size with well-formed records.
#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <vector>

namespace ventari::test {

// Bytes that differ from their neighbours and from the erased 0xFF, so that a byte sent to the
// wrong place or echoed wrongly shows.
inline std::vector<std::uint8_t> FirmwareBytes(std::size_t count, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(count);
  for (std::size_t i = 0; i < count; ++i) {
    bytes[i] = static_cast<std::uint8_t>((i * 7 + seed + (i >> 8)) % 0xFF);
  }
  return bytes;
}

// Writes `bytes` from `address` on as S1 records of 32 bytes (S2 where the address needs it),
// between an S0 header and an S9 end record.
inline void WriteSRecords(const QString& path, std::uint32_t address,
                          const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  file.write("S00600004844521B\n");
  for (std::size_t at = 0; at < bytes.size(); at += 32) {
    const std::size_t count = std::min<std::size_t>(32, bytes.size() - at);
    const std::uint32_t recordAddress = address + static_cast<std::uint32_t>(at);
    const bool wide = recordAddress + count > 0x10000;
    const int addressBytes = wide ? 3 : 2;
    std::vector<std::uint8_t> body;
    body.push_back(static_cast<std::uint8_t>(count + addressBytes + 1));
    for (int shift = (addressBytes - 1) * 8; shift >= 0; shift -= 8) {
      body.push_back(static_cast<std::uint8_t>(recordAddress >> shift));
    }
    body.insert(body.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
    unsigned sum = 0;
    for (const std::uint8_t b : body) sum += b;
    body.push_back(static_cast<std::uint8_t>(~sum));
    QByteArray line = wide ? "S2" : "S1";
    for (const std::uint8_t b : body) line += QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
    file.write(line + "\n");
  }
  file.write("S9030000FC\n");
}

}  // namespace ventari::test
