// Motorola S-record files read into byte images: the flash programming kernel, the application
// firmware, and the EEPROM parameter files. A file is parsed whole first (by each record's byte
// count, checksum checked, hex digits in either case), so that a bad file is refused before
// anything reaches the anemometer; the images are only filled from a file that parsed.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace ventari {

inline constexpr std::size_t kFlashImageSize = 65535;  // addresses 0x0000 to 0xFFFE
inline constexpr std::uint32_t kKernelLimit = 2500;    // a kernel must fit below this address
inline constexpr std::uint32_t kH8_3337KernelBase = 0xF7E0;
inline constexpr std::size_t kEepromImageSize = 946;  // the larger of the two EEPROMs

enum class KernelChip { kH8_3334, kH8_3337 };

struct FlashImage {
  std::array<std::uint8_t, kFlashImageSize> bytes;
  // The address of the highest byte stored; the program length sent to the chip is one more.
  std::uint32_t highestAddress = 0;
};

using EepromImage = std::array<std::uint8_t, kEepromImageSize>;

// One data record (S1, S2 or S3).
struct SRecord {
  int line = 0;  // 1-based line of the file
  std::uint32_t address = 0;
  std::vector<std::uint8_t> data;
};

// A line that is not a well-formed record, in the user's words ("line 12: checksum 3F, the
// record adds up to 40").
struct SRecordFault {
  int line = 0;
  QString why;
};

struct SRecordFile {
  std::vector<SRecord> records;
  std::vector<SRecordFault> faults;
};

// Parses the text of a file. S0, S5 to S9 and blank lines are skipped, and so are the CR and
// blanks that end a line; every other line is a record whose byte count, hex digits and checksum
// must agree, or it is a fault. Lines are not limited in length.
SRecordFile ParseSRecords(const QByteArray& text);
// The first of a file's faults for a message: "name line 12: checksum 3F, the record adds up to
// 40", followed by how many more there are. `faults` must not be empty.
QString SRecordFaultMessage(const QString& name, const std::vector<SRecordFault>& faults);

using SRecordLog = std::function<void(const QString& line)>;

// The outcome of reading one file into an image.
struct SRecordResult {
  bool ok = false;  // the image was filled from the file
  // Why not, or what was dropped, in the user's words naming the file (and the line): for a
  // message box and the command line. Empty when the file was read whole.
  QString message;
  // The malformed lines of a file that was opened (any one refuses firmware).
  std::vector<SRecordFault> faults;
};

// Fills `image` with 0xFF and lays in the kernel's records (H8/3337: rebased from 0xF7E0, records
// below it skipped). Logs "Getting prog data from object file ...", "File ... not found.
// Aborting" and "Flash programming max address N", or why the file is refused: a file that
// cannot be opened, a malformed line, a byte at or beyond kKernelLimit, no byte to store. The
// highest address is that of the highest byte stored, so every stored byte is sent.
SRecordResult ReadKernel(const QString& path, KernelChip chip, FlashImage& image,
                         const SRecordLog& log);

// Fills `image` with 0xFF and lays in the application's records. Logs "Getting main prog data
// from file ...", the not-found line and "Application program max address N". Refused: a file
// that cannot be opened, a malformed line, bytes at 0xFFFF or beyond (one warning line with
// their count), no byte to store.
SRecordResult ReadApplication(const QString& path, FlashImage& image, const SRecordLog& log);

// The two reads above after the file's text was parsed: `name` is the file as the messages name
// it. They log only the outcome (the max address, or why refused); the image is filled with 0xFF
// even when refused.
SRecordResult LayKernel(const SRecordFile& file, const QString& name, KernelChip chip,
                        FlashImage& image, const SRecordLog& log);
SRecordResult LayApplication(const SRecordFile& file, const QString& name, FlashImage& image,
                             const SRecordLog& log);

// An EEPROM parameter file, parsed but not yet laid into the image, so that the caller can ask
// whether to go on over a malformed line.
struct EepromFile {
  bool opened = false;
  SRecordFile parsed;
  // Records that start at or beyond the EEPROM's size, skipped when laid in.
  int recordsBeyond = 0;
};
EepromFile ReadEepromFile(const QString& path, int eepromSize);
// The same for text already in memory.
EepromFile EepromFileOf(SRecordFile parsed, int eepromSize);
// Lays the file's records below `eepromSize` into `image` (overlaying what is there); bytes
// beyond the end of the EEPROM are dropped.
void LayIntoEeprom(const EepromFile& file, int eepromSize, std::span<std::uint8_t> image);

}  // namespace ventari
