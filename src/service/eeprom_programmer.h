// A programming run of the EEPROM of a two-axis anemometer: the image built from the chosen
// parameter files, written in the family's dialect (Kestrix II: one raw write per cell;
// Larkvane: an upload file sent by the paced ASCII transfer, then the program checksum), and
// read back and compared cell by cell; the Larkvane's differences get two repair passes. Also the
// Kestrix II read-back that the test report runs.
#pragma once

#include <QString>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "service/eeprom_reads.h"
#include "service/eeprom_writer.h"
#include "service/production_test.h"
#include "service/service_file_names.h"
#include "service/service_folder.h"
#include "service/service_link.h"

namespace ventari {

enum class EepromKind { kUser, kEng, kCal, kOpt };
inline constexpr int kEepromKinds = 4;

// What the page's check boxes and combo boxes chose: full paths, empty when none was chosen.
struct EepromSources {
  std::array<bool, kEepromKinds> checked{true, true, true, true};
  std::array<QString, kEepromKinds> files;
  bool Checked(EepromKind kind) const { return checked[static_cast<std::size_t>(kind)]; }
  const QString& File(EepromKind kind) const { return files[static_cast<std::size_t>(kind)]; }
};

enum class EepromRunEnd {
  kNothingChecked,  // no kind for this family was checked: nothing to do
  kRefused,         // the stored program checksum is unusable: nothing was sent
  kNoConfigMode,    // the anemometer did not answer "*": nothing was written
  kMissingSource,   // a checked kind had no readable file: nothing was written
  kWritten,         // written and read back; the production test's result says how it went
  kPortFailed,      // the port failed or vanished mid-run: not verified, and the user was told
};

struct EepromRun {
  EepromRunEnd end = EepromRunEnd::kNothingChecked;
  bool noResponse = false;       // a read-back went unanswered
  std::vector<int> differences;  // cells written and read back differently, at the end
};

class EepromProgrammer {
 public:
  // Repair passes of the Larkvane run; a difference left after them fails the run.
  static constexpr int kRepairPasses = 2;

  EepromProgrammer(ServiceLink& link, ProductionTest& test, EepromWriter& writer,
                   EepromReads& reads, const ServiceFileNames& names, const ServiceFolder& folder)
      : link_(link), test_(test), writer_(writer), reads_(reads), names_(names), folder_(folder) {}

  // The run for the production test's sensor type. Messages go through the link's prompts;
  // `eepromResult` becomes 0 (verified) or 1 (not verified) once the write step is reached.
  EepromRun Program(const EepromSources& sources);

  // The test report's check of a Kestrix II: cells 0 to 511 read into the read-back buffer, every
  // cell this run wrote compared with the image. False (after its message) on a failure.
  bool VerifyKestrixReadBack();

  // Cells written and read back that differ from the image, in ascending order; a Larkvane's own
  // cells are never among them.
  std::vector<int> Differences() const;

  // The Larkvane's dumps and its cells 0 to 13 into a fresh read-back buffer (also for the
  // Larkvane report); false when a reply did not come.
  bool LarkvaneReadBack();

 private:
  EepromRun ProgramKestrix(const EepromSources& sources);
  EepromRun ProgramLarkvane(const EepromSources& sources);
  void StartImage();
  // Reads a checked kind's file into the image; false (after its message) when it is missing,
  // unreadable or refused.
  bool LoadSource(const EepromSources& sources, EepromKind kind, int eepromSize);
  void DiscardInput();
  void KestrixWrite(const EepromSources& sources);
  // Reads every written cell back; false when one went unanswered or was not a number.
  bool KestrixReadBack(int lastCell, bool writtenOnly, EepromRun& run);
  void LarkvaneWrite(const EepromSources& sources, const QString& checksum, EepromRun& run);
  void Conclude(EepromRun& run);

  ServiceLink& link_;
  ProductionTest& test_;
  EepromWriter& writer_;
  EepromReads& reads_;
  const ServiceFileNames& names_;
  const ServiceFolder& folder_;
  // The Larkvane command that wrote each cell of the last run, for the repairs.
  std::map<int, QString> commandFor_;
};

// The stored checksum text as the bytes of cells 12 (characters 3-4) and 13 (characters 1-2),
// or nothing when it is not four hex digits.
std::optional<std::array<std::uint8_t, 2>> LarkvaneChecksumCells(const QString& checksum);

// Cells 2 to 5 and 0x43 to 0x45, which a Larkvane changes by itself: no read-back compares them.
bool LarkvaneOwnCell(int cell);

// The cells a Larkvane run uploads for its check boxes, in ascending order.
std::vector<int> LarkvaneUploadCells(bool options, bool calibration);

}  // namespace ventari
