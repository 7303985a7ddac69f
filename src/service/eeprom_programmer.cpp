#include "service/eeprom_programmer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "service/srecord_reader.h"

namespace ventari {
namespace {

const QString kTipCaption = QStringLiteral("Pobbin's tip");
const QString kFailureCaption = QStringLiteral("D'Oh");
const QString kNoResponse =
    QStringLiteral("Eeprom verification failure - no response from anemometer");
const QString kFailure = QStringLiteral("Eeprom verification failure");
const QString kAccessWord = QStringLiteral("\r\nMAVROTIK\r\n");

constexpr int kLarkvaneSdi12Option = 4;
constexpr int kLarkvaneDirectOption = 1;
constexpr int kLarkvaneSingleReads = 14;  // cells 0 to 13 are read one by one
constexpr int kChecksumLow = 12;
constexpr int kChecksumHigh = 13;

const char* MissingSource(EepromKind kind) {
  switch (kind) {
    case EepromKind::kUser:
      return "You have checked user params but have not specified a source file.";
    case EepromKind::kEng:
      return "You have checked eng params but have not specified a source file.";
    case EepromKind::kCal:
      return "You have checked cal params but have not specified a source file.";
    case EepromKind::kOpt:
      break;
  }
  return "You have checked option params but have not specified a source file.";
}

struct CellRange {
  int first;
  int last;
};

// The Kestrix II cells each kind writes.
std::vector<CellRange> KestrixCells(EepromKind kind) {
  switch (kind) {
    case EepromKind::kUser:
      return {{0, 39}};
    case EepromKind::kEng:
      return {{40, 149}, {510, 510}};
    case EepromKind::kCal:
      return {{150, 509}, {511, 511}};
    case EepromKind::kOpt:
      break;
  }
  return {};
}

QString CellList(const std::vector<int>& cells) {
  QStringList names;
  for (const int cell : cells) names << QString::number(cell);
  return names.join(QStringLiteral(", "));
}

}  // namespace

std::optional<std::array<std::uint8_t, 2>> LarkvaneChecksumCells(const QString& checksum) {
  if (checksum.size() != 4) return std::nullopt;
  bool lowOk = false;
  bool highOk = false;
  const int low = checksum.mid(2, 2).toInt(&lowOk, 16);
  const int high = checksum.mid(0, 2).toInt(&highOk, 16);
  const bool allHex = std::all_of(checksum.begin(), checksum.end(), [](QChar c) {
    return c.isDigit() || (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'));
  });
  if (!lowOk || !highOk || !allHex) return std::nullopt;
  return std::array<std::uint8_t, 2>{static_cast<std::uint8_t>(low),
                                     static_cast<std::uint8_t>(high)};
}

bool LarkvaneOwnCell(int cell) {
  return (cell >= 2 && cell <= 5) || (cell >= 0x43 && cell <= 0x45);
}

std::vector<int> LarkvaneUploadCells(bool options, bool calibration) {
  std::vector<CellRange> ranges;
  if (options && calibration) ranges = {{0, 11}, {14, 120}, {384, 945}};
  if (options && !calibration) ranges = {{0, 9}, {14, 120}};
  if (!options && calibration) ranges = {{10, 11}, {384, 945}};
  std::vector<int> cells;
  for (const CellRange& range : ranges) {
    for (int cell = range.first; cell <= range.last; ++cell) cells.push_back(cell);
  }
  return cells;
}

EepromRun EepromProgrammer::Program(const EepromSources& sources) {
  try {
    return test_.IsLarkvane() ? ProgramLarkvane(sources) : ProgramKestrix(sources);
  } catch (const PortError& e) {
    // The port failed or vanished mid-run: nothing more can be written or read back.
    test_.eepromResult = 1;
    link_.prompts.ShowMessage(kFailure + QStringLiteral(": ") + e.Message(), kFailureCaption);
    EepromRun run;
    run.end = EepromRunEnd::kPortFailed;
    return run;
  }
}

void EepromProgrammer::StartImage() {
  test_.eepromImage.fill(0xFF);
  test_.eepromReadBack.fill(0xFF);
  test_.written.fill(false);
  test_.readBackValid.fill(false);
  test_.userFile.clear();
  test_.engFile.clear();
  test_.calFile.clear();
  test_.optFile.clear();
  commandFor_.clear();
}

bool EepromProgrammer::LoadSource(const EepromSources& sources, EepromKind kind, int eepromSize) {
  const QString& path = sources.File(kind);
  Prompts& prompts = link_.prompts;
  if (path.isEmpty()) {
    prompts.ShowMessage(QString::fromLatin1(MissingSource(kind)), kTipCaption);
    return false;
  }
  const EepromFile file = ReadEepromFile(path, eepromSize);
  if (!file.opened) {
    prompts.ShowMessage(QStringLiteral("Cannot open the source file %1.").arg(path), kTipCaption);
    return false;
  }
  if (!file.parsed.faults.empty()) {
    const SRecordFault& fault = file.parsed.faults.front();
    const QString question = QStringLiteral("%1 line %2: %3\nProgram the rest of the file?")
                                 .arg(path)
                                 .arg(fault.line)
                                 .arg(fault.why);
    if (prompts.Ask(question, kTipCaption, {PromptButton::kNo, PromptButton::kYes}) !=
        PromptButton::kYes) {
      return false;
    }
  }
  if (file.recordsBeyond > 0) {
    prompts.ShowMessage(
        QStringLiteral("%1: %2 records lie beyond the %3 cells of the EEPROM and are left out.")
            .arg(path)
            .arg(file.recordsBeyond)
            .arg(eepromSize),
        kTipCaption);
  }
  LayIntoEeprom(file, eepromSize, test_.eepromImage);
  QString* kept[] = {&test_.userFile, &test_.engFile, &test_.calFile, &test_.optFile};
  *kept[static_cast<std::size_t>(kind)] = path;
  return true;
}

void EepromProgrammer::DiscardInput() {
  while (link_.port.CharReady()) {
    if (link_.port.GetChar() == 0) break;
  }
}

EepromRun EepromProgrammer::ProgramKestrix(const EepromSources& sources) {
  EepromRun run;
  const EepromKind kinds[] = {EepromKind::kUser, EepromKind::kEng, EepromKind::kCal};
  if (std::none_of(std::begin(kinds), std::end(kinds),
                   [&](EepromKind kind) { return sources.Checked(kind); })) {
    return run;
  }
  StartImage();
  link_.channel.EnterConfigMode();
  if (!link_.channel.InConfigMode()) {
    run.end = EepromRunEnd::kNoConfigMode;
  } else {
    link_.port.PutString(kAccessWord.toStdString());
    bool missing = false;
    for (const EepromKind kind : kinds) {
      if (sources.Checked(kind) && !LoadSource(sources, kind, kKestrixEepromSize)) missing = true;
    }
    if (missing) {
      run.end = EepromRunEnd::kMissingSource;
    } else {
      run.end = EepromRunEnd::kWritten;
      KestrixWrite(sources);
      if (KestrixReadBack(kKestrixEepromSize - 1, true, run)) Conclude(run);
    }
  }
  link_.channel.SendReturn();
  link_.channel.LeaveConfigMode();
  return run;
}

void EepromProgrammer::KestrixWrite(const EepromSources& sources) {
  DiscardInput();
  std::array<bool, kKestrixEepromSize> chosen{};
  for (const EepromKind kind : {EepromKind::kUser, EepromKind::kEng, EepromKind::kCal}) {
    if (!sources.Checked(kind)) continue;
    for (const CellRange& range : KestrixCells(kind)) {
      for (int cell = range.first; cell <= range.last; ++cell) {
        chosen[static_cast<std::size_t>(cell)] = true;
      }
    }
  }
  for (int cell = 0; cell < kKestrixEepromSize; ++cell) {
    if (chosen[static_cast<std::size_t>(cell)]) {
      writer_.KestrixWrite(cell, test_.eepromImage[static_cast<std::size_t>(cell)]);
    }
  }
}

bool EepromProgrammer::KestrixReadBack(int lastCell, bool writtenOnly, EepromRun& run) {
  for (int cell = 0; cell <= lastCell; ++cell) {
    if (writtenOnly && !test_.written[static_cast<std::size_t>(cell)]) continue;
    const CellRead read = reads_.KestrixRead(cell);
    if (read.outcome == CellRead::Outcome::kValue) continue;
    const bool silent = read.outcome == CellRead::Outcome::kNoResponse;
    link_.prompts.ShowMessage(silent ? kNoResponse : kFailure, kFailureCaption);
    run.noResponse = silent;
    run.differences = Differences();
    test_.eepromResult = 1;
    return false;
  }
  return true;
}

std::vector<int> EepromProgrammer::Differences() const {
  std::vector<int> cells;
  for (std::size_t cell = 0; cell < kEepromImageSize; ++cell) {
    if (test_.written[cell] && test_.readBackValid[cell] &&
        test_.eepromImage[cell] != test_.eepromReadBack[cell] &&
        !(test_.IsLarkvane() && LarkvaneOwnCell(static_cast<int>(cell)))) {
      cells.push_back(static_cast<int>(cell));
    }
  }
  return cells;
}

void EepromProgrammer::Conclude(EepromRun& run) {
  run.differences = Differences();
  test_.eepromResult = run.differences.empty() ? 0 : 1;
  if (!run.differences.empty()) {
    link_.prompts.ShowMessage(kFailure + QStringLiteral(": cells %1 do not read back as written.")
                                             .arg(CellList(run.differences)),
                              kFailureCaption);
  }
}

bool EepromProgrammer::VerifyKestrixReadBack() {
  EepromRun run;
  if (!KestrixReadBack(kKestrixEepromSize - 1, false, run)) return false;
  Conclude(run);
  return test_.eepromResult == 0;
}

EepromRun EepromProgrammer::ProgramLarkvane(const EepromSources& sources) {
  EepromRun run;
  const bool sdi12 = test_.larkvaneOption == kLarkvaneSdi12Option;
  const bool anything = sources.Checked(EepromKind::kCal) || sources.Checked(EepromKind::kOpt);
  if (anything) {
    const QString checksum = sdi12 ? names_.Larkvane_SDI12_CS : names_.Larkvane_ROM_CS;
    if (!LarkvaneChecksumCells(checksum)) {
      link_.prompts.ShowMessage(
          QStringLiteral("The stored program checksum \"%1\" is not four hex digits: nothing "
                         "is written.")
              .arg(checksum),
          kTipCaption);
      run.end = EepromRunEnd::kRefused;
      return run;
    }
    StartImage();
    link_.channel.EnterConfigMode();
    if (sdi12) link_.channel.Delay(50);
    if (!link_.channel.InConfigMode()) {
      run.end = EepromRunEnd::kNoConfigMode;
    } else {
      link_.channel.SendCommand("VESPRANT");
      if (sdi12) link_.channel.Delay(50);
      link_.channel.SendReturn();
      if (sdi12) link_.channel.Delay(50);
      bool missing = false;
      for (const EepromKind kind : {EepromKind::kCal, EepromKind::kOpt}) {
        if (sources.Checked(kind) && !LoadSource(sources, kind, kLarkvaneEepromSize)) {
          missing = true;
        }
      }
      if (missing) {
        run.end = EepromRunEnd::kMissingSource;
      } else {
        run.end = EepromRunEnd::kWritten;
        LarkvaneWrite(sources, checksum, run);
      }
    }
    link_.channel.SendReturn();
    link_.channel.LeaveConfigMode();
  }
  if (run.end == EepromRunEnd::kNothingChecked || run.end == EepromRunEnd::kWritten) {
    if (test_.larkvaneOption == kLarkvaneDirectOption) {
      link_.prompts.ShowMessage(QStringLiteral("Connect Anemometer direct to RS232 PC port."),
                                QStringLiteral("Jory's tip"));
    }
    link_.channel.Delay(200);
  }
  return run;
}

void EepromProgrammer::LarkvaneWrite(const EepromSources& sources, const QString& checksum,
                                     EepromRun& run) {
  test_.uploadLines.clear();
  DiscardInput();
  const std::vector<int> cells =
      LarkvaneUploadCells(sources.Checked(EepromKind::kOpt), sources.Checked(EepromKind::kCal));
  QByteArray upload;
  for (const int cell : cells) {
    const QString line = LarkvaneWriteText(cell, test_.eepromImage[static_cast<std::size_t>(cell)]);
    test_.uploadLines << line;
    commandFor_[cell] = line;
    upload += line.toLatin1() + "\r\n";
  }
  const QString uploadFile = folder_.UploadFile();
  QDir().mkpath(QFileInfo(uploadFile).absolutePath());
  QFile file(uploadFile);
  if (!file.open(QIODevice::WriteOnly) || file.write(upload) != upload.size()) {
    link_.prompts.ShowMessage(
        QStringLiteral("Cannot write %1; the upload is sent all the same.").arg(uploadFile),
        kTipCaption);
  }
  file.close();
  for (const int cell : cells)
    writer_.Keep(cell, test_.eepromImage[static_cast<std::size_t>(cell)]);
  writer_.AsciiTransfer(upload);
  link_.channel.SendReturn();
  link_.channel.Delay(50);

  const auto cs = *LarkvaneChecksumCells(checksum);
  const QString low = QStringLiteral("W C ") + checksum.mid(2, 2);
  const QString high = QStringLiteral("W D ") + checksum.mid(0, 2);
  writer_.LarkvaneCommand(low, kChecksumLow, cs[0]);
  commandFor_[kChecksumLow] = low;
  link_.channel.Delay(50);
  writer_.LarkvaneCommand(high, kChecksumHigh, cs[1]);
  commandFor_[kChecksumHigh] = high;
  link_.channel.Delay(50);

  for (int pass = 0;; ++pass) {
    if (!LarkvaneReadBack()) {
      link_.prompts.ShowMessage(kNoResponse, kFailureCaption);
      run.noResponse = true;
      run.differences = Differences();
      test_.eepromResult = 1;
      break;
    }
    const std::vector<int> differences = Differences();
    if (differences.empty() || pass == kRepairPasses) {
      Conclude(run);
      break;
    }
    for (const int cell : differences) {
      const std::uint8_t value = test_.eepromImage[static_cast<std::size_t>(cell)];
      const auto known = commandFor_.find(cell);
      writer_.LarkvaneCommand(
          known != commandFor_.end() ? known->second : LarkvaneWriteText(cell, value), cell, value);
    }
  }
  link_.channel.Delay(500);
}

bool EepromProgrammer::LarkvaneReadBack() {
  test_.eepromReadBack.fill(0xFF);
  test_.readBackValid.fill(false);
  if (!reads_.LarkvaneDump()) return false;
  for (int cell = 0; cell < kLarkvaneSingleReads; ++cell) {
    if (reads_.LarkvaneRead(cell).outcome != CellRead::Outcome::kValue) return false;
  }
  return true;
}

}  // namespace ventari
