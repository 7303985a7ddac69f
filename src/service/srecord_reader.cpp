#include "service/srecord_reader.h"

#include <QFile>
#include <algorithm>

namespace ventari {
namespace {

constexpr std::uint32_t kFirstAddressBeyondFlash = 0xFFFF;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsLineEndBlank(char c) { return c == '\r' || c == ' ' || c == '\t'; }

// The address field's length in bytes for a data record's type, 0 for a type that is skipped,
// -1 for no record type at all.
int AddressLength(char type) {
  switch (type) {
    case '1':
      return 2;
    case '2':
      return 3;
    case '3':
      return 4;
    case '0':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9':
      return 0;
    default:
      return -1;
  }
}

QString Hex2(unsigned value) {
  return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

// A character as the user can read it in a message, whether or not it is printable.
QString Shown(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code >= 0x20 && code < 0x7F) return QStringLiteral("'%1'").arg(QLatin1Char(c));
  return QStringLiteral("byte 0x") + Hex2(code);
}

QString NotHex(char c, qsizetype column) {
  return Shown(c) + QStringLiteral(" at column %1 is not a hex digit").arg(column);
}

// Parses one line without its end; returns the reason it is malformed, or an empty string.
QString ParseLine(const char* text, qsizetype length, SRecord& record, bool& isData) {
  isData = false;
  if (text[0] != 'S' && text[0] != 's') return QStringLiteral("the line does not start with S");
  if (length < 2) return QStringLiteral("the line ends after the S");
  const int addressLength = AddressLength(text[1]);
  if (addressLength < 0) {
    return QStringLiteral("S followed by ") + Shown(text[1]) + QStringLiteral(" is no record type");
  }
  if (addressLength == 0) return {};
  std::vector<std::uint8_t> bytes;
  bytes.reserve(static_cast<std::size_t>((length - 2) / 2));
  for (qsizetype i = 2; i < length; i += 2) {
    const int high = HexValue(text[i]);
    if (high < 0) return NotHex(text[i], i + 1);
    if (i + 1 == length) return QStringLiteral("an odd number of hex digits");
    const int low = HexValue(text[i + 1]);
    if (low < 0) return NotHex(text[i + 1], i + 2);
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  if (bytes.empty()) return QStringLiteral("no byte count");
  const std::size_t count = bytes[0];
  if (count != bytes.size() - 1) {
    return QStringLiteral("byte count %1 but %2 bytes follow")
        .arg(Hex2(count))
        .arg(bytes.size() - 1);
  }
  if (count < static_cast<std::size_t>(addressLength) + 1) {
    return QStringLiteral("byte count %1 leaves no room for the address and checksum")
        .arg(Hex2(count));
  }
  unsigned sum = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
  const unsigned expected = ~sum & 0xFFu;
  if (bytes.back() != expected) {
    return QStringLiteral("checksum %1, the record adds up to %2")
        .arg(Hex2(bytes.back()))
        .arg(Hex2(expected));
  }
  std::uint32_t address = 0;
  for (int i = 1; i <= addressLength; ++i)
    address = address << 8 | bytes[static_cast<std::size_t>(i)];
  record.address = address;
  record.data.assign(bytes.begin() + 1 + addressLength, bytes.end() - 1);
  isData = true;
  return {};
}

SRecordResult Refuse(QString message, const SRecordFile& file, const SRecordLog& log) {
  log(message);
  return {false, std::move(message), file.faults};
}

void ClearFlash(FlashImage& image) {
  image.bytes.fill(0xFF);
  image.highestAddress = 0;
}

// One past the last address of a record, wide enough for any S3 record.
std::uint64_t EndOf(std::uint64_t address, const SRecord& record) {
  return address + record.data.size();
}

bool OpenText(const QString& path, QByteArray& text) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  text = file.readAll();
  return true;
}

}  // namespace

QString SRecordFaultMessage(const QString& name, const std::vector<SRecordFault>& faults) {
  // Concatenated, not filled in, so that a "%" in a name or a line is kept as it is.
  QString message =
      name + QStringLiteral(" line %1: ").arg(faults.front().line) + faults.front().why;
  if (faults.size() > 1) {
    message += QStringLiteral(" (and %1 more malformed lines)").arg(faults.size() - 1);
  }
  return message;
}

SRecordFile ParseSRecords(const QByteArray& text) {
  SRecordFile file;
  const char* data = text.constData();
  const qsizetype size = text.size();
  int line = 0;
  for (qsizetype start = 0; start < size;) {
    ++line;
    qsizetype end = text.indexOf('\n', start);
    if (end < 0) end = size;
    qsizetype last = end;
    while (last > start && IsLineEndBlank(data[last - 1])) --last;
    if (last > start) {
      SRecord record;
      bool isData = false;
      const QString why = ParseLine(data + start, last - start, record, isData);
      if (!why.isEmpty()) {
        file.faults.push_back({line, why});
      } else if (isData) {
        record.line = line;
        file.records.push_back(std::move(record));
      }
    }
    start = end + 1;
  }
  return file;
}

SRecordResult LayKernel(const SRecordFile& file, const QString& name, KernelChip chip,
                        FlashImage& image, const SRecordLog& log) {
  ClearFlash(image);
  if (!file.faults.empty()) return Refuse(SRecordFaultMessage(name, file.faults), file, log);
  // Where each kept record lands; the H8/3337's kernel is linked at its RAM address.
  std::vector<std::pair<const SRecord*, std::uint32_t>> kept;
  for (const SRecord& record : file.records) {
    std::uint32_t address = record.address;
    if (chip == KernelChip::kH8_3337) {
      if (address < kH8_3337KernelBase) continue;
      address -= kH8_3337KernelBase;
    }
    if (record.data.empty()) continue;
    if (EndOf(address, record) > kKernelLimit) {
      return Refuse(name + QStringLiteral(" line %1: the kernel reaches address %2, beyond the %3 "
                                          "bytes it may use")
                               .arg(record.line)
                               .arg(EndOf(address, record) - 1)
                               .arg(kKernelLimit),
                    file, log);
    }
    kept.emplace_back(&record, address);
  }
  if (kept.empty()) {
    return Refuse(name + QStringLiteral(" holds no kernel data: nothing to program"), file, log);
  }
  for (const auto& [record, address] : kept) {
    std::copy(record->data.begin(), record->data.end(), image.bytes.begin() + address);
    image.highestAddress =
        std::max(image.highestAddress, static_cast<std::uint32_t>(EndOf(address, *record) - 1));
  }
  log(QStringLiteral("Flash programming max address %1").arg(image.highestAddress));
  return {true, {}, {}};
}

SRecordResult LayApplication(const SRecordFile& file, const QString& name, FlashImage& image,
                             const SRecordLog& log) {
  ClearFlash(image);
  if (!file.faults.empty()) return Refuse(SRecordFaultMessage(name, file.faults), file, log);
  std::uint64_t beyond = 0;
  bool anyByte = false;
  for (const SRecord& record : file.records) {
    const std::uint64_t end = EndOf(record.address, record);
    const std::uint64_t firstBeyond =
        std::max<std::uint64_t>(record.address, kFirstAddressBeyondFlash);
    if (end > firstBeyond) beyond += end - firstBeyond;
    anyByte = anyByte || !record.data.empty();
  }
  if (beyond > 0) {
    log(QStringLiteral("WARNING. PROG BIGGER THAN SPACE ALLOWED: %1 bytes at 0xFFFF or beyond")
            .arg(beyond));
    return {false,
            name + QStringLiteral(": the program is bigger than the space allowed, %1 bytes at "
                                  "0xFFFF or beyond")
                       .arg(beyond),
            {}};
  }
  if (!anyByte) {
    return Refuse(name + QStringLiteral(" holds no program data: nothing to program"), file, log);
  }
  for (const SRecord& record : file.records) {
    if (record.data.empty()) continue;
    std::copy(record.data.begin(), record.data.end(), image.bytes.begin() + record.address);
    image.highestAddress = std::max(image.highestAddress,
                                    static_cast<std::uint32_t>(EndOf(record.address, record) - 1));
  }
  log(QStringLiteral("Application program max address %1").arg(image.highestAddress));
  return {true, {}, {}};
}

namespace {

// A firmware file that cannot be opened: an empty image and the line that says so.
SRecordResult NotFound(const QString& path, FlashImage& image, const SRecordLog& log) {
  ClearFlash(image);
  const QString notFound = QStringLiteral("File ") + path + QStringLiteral(" not found. Aborting");
  log(notFound);
  return {false, notFound, {}};
}

}  // namespace

SRecordResult ReadKernel(const QString& path, KernelChip chip, FlashImage& image,
                         const SRecordLog& log) {
  log(QStringLiteral("Getting prog data from object file ") + path);
  QByteArray text;
  if (!OpenText(path, text)) return NotFound(path, image, log);
  return LayKernel(ParseSRecords(text), path, chip, image, log);
}

SRecordResult ReadApplication(const QString& path, FlashImage& image, const SRecordLog& log) {
  log(QStringLiteral("Getting main prog data from file ") + path);
  QByteArray text;
  if (!OpenText(path, text)) return NotFound(path, image, log);
  return LayApplication(ParseSRecords(text), path, image, log);
}

EepromFile EepromFileOf(SRecordFile parsed, int eepromSize) {
  EepromFile file{true, std::move(parsed), 0};
  file.recordsBeyond = static_cast<int>(std::count_if(
      file.parsed.records.begin(), file.parsed.records.end(), [eepromSize](const SRecord& r) {
        return static_cast<std::int64_t>(r.address) >= eepromSize;
      }));
  return file;
}

EepromFile ReadEepromFile(const QString& path, int eepromSize) {
  QByteArray text;
  if (!OpenText(path, text)) return {};
  return EepromFileOf(ParseSRecords(text), eepromSize);
}

void LayIntoEeprom(const EepromFile& file, int eepromSize, std::span<std::uint8_t> image) {
  const std::uint64_t end =
      std::min<std::uint64_t>(static_cast<std::uint64_t>(std::max(eepromSize, 0)), image.size());
  for (const SRecord& record : file.parsed.records) {
    std::uint64_t address = record.address;
    if (address >= static_cast<std::uint64_t>(std::max(eepromSize, 0))) continue;
    for (std::uint8_t byte : record.data) {
      if (address >= end) break;
      image[address++] = byte;
    }
  }
}

}  // namespace ventari
