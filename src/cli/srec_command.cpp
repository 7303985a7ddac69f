#include "cli/srec_command.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>
#include <span>

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "service/srecord_reader.h"

namespace ventari {
namespace {

QString HexOf(std::span<const std::uint8_t> bytes) {
  return QString::fromLatin1(
      QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))
          .toHex()
          .toUpper());
}

QJsonArray FaultsJson(const std::vector<SRecordFault>& faults) {
  QJsonArray array;
  for (const SRecordFault& fault : faults) {
    array.append(QJsonObject{{"line", fault.line}, {"why", fault.why}});
  }
  return array;
}

struct FileReport {
  QJsonObject json;
  QStringList lines;  // the text form
  bool ok = false;
};

FileReport Firmware(const QString& path, const QString& kernelChip) {
  FileReport report;
  const auto image = std::make_unique<FlashImage>();
  const SRecordLog log = [&report](const QString& line) { report.lines << line; };
  const SRecordResult result =
      kernelChip.isEmpty() ? ReadApplication(path, *image, log)
                           : ReadKernel(path,
                                        kernelChip == QLatin1String("3337") ? KernelChip::kH8_3337
                                                                            : KernelChip::kH8_3334,
                                        *image, log);
  report.ok = result.ok;
  const std::size_t length = result.ok ? image->highestAddress + 1 : 0;
  report.json = {{"mode", kernelChip.isEmpty() ? "app" : "kernel"},
                 {"ok", result.ok},
                 {"message", result.message},
                 {"log", QJsonArray::fromStringList(report.lines)},
                 {"highestAddress", static_cast<qint64>(image->highestAddress)},
                 {"programLength", static_cast<qint64>(length)},
                 {"faults", FaultsJson(result.faults)},
                 {"recordsBeyond", 0},
                 {"image", HexOf(std::span(image->bytes).first(length))}};
  if (!kernelChip.isEmpty()) report.json.insert("chip", kernelChip);
  return report;
}

FileReport Eeprom(const QString& path, int eepromSize) {
  FileReport report;
  EepromImage image;
  image.fill(0xFF);
  const EepromFile file = ReadEepromFile(path, eepromSize);
  QString message;
  if (!file.opened) {
    message = QStringLiteral("File ") + path + QStringLiteral(" not found");
    report.lines << message;
  } else {
    for (const SRecordFault& fault : file.parsed.faults) {
      report.lines << path + QStringLiteral(" line %1: ").arg(fault.line) + fault.why;
    }
    if (!file.parsed.faults.empty()) message = SRecordFaultMessage(path, file.parsed.faults);
    if (file.recordsBeyond > 0) {
      report.lines << path + QStringLiteral(
                                 ": %1 records start at or beyond address %2 and are "
                                 "skipped")
                                 .arg(file.recordsBeyond)
                                 .arg(eepromSize);
    }
    LayIntoEeprom(file, eepromSize, image);
  }
  report.ok = file.opened && file.parsed.faults.empty();
  report.json = {{"mode", "eeprom"},
                 {"eepromSize", eepromSize},
                 {"ok", report.ok},
                 {"message", message},
                 {"faults", FaultsJson(file.parsed.faults)},
                 {"recordsBeyond", file.recordsBeyond},
                 {"image", HexOf(std::span(image).first(static_cast<std::size_t>(eepromSize)))}};
  return report;
}

// What srec prints and ends with for the options and words read.
SrecOutcome Srec(const CliInvocation& call) {
  const QCommandLineParser& parser = *call.parser;
  if (call.words.size() != 1) return {kExitUsage, {}, QStringLiteral("srec: give one FILE")};
  const QString kernel = QStringLiteral("kernel");
  const QString app = QStringLiteral("app");
  const QString eeprom = QStringLiteral("eeprom");
  const QString& path = call.words[0];
  const int modes = int{parser.isSet(kernel)} + int{parser.isSet(app)} + int{parser.isSet(eeprom)};
  if (modes != 1) {
    return {kExitUsage, {}, QStringLiteral("srec: give one of --kernel, --app and --eeprom")};
  }
  FileReport report;
  if (parser.isSet(eeprom)) {
    bool number = false;
    const int size = parser.value(eeprom).toInt(&number);
    if (!number || size < 1 || size > static_cast<int>(kEepromImageSize)) {
      return {kExitUsage,
              {},
              QStringLiteral("srec: --eeprom takes a size from 1 to %1").arg(kEepromImageSize)};
    }
    report = Eeprom(path, size);
  } else {
    const QString chip = parser.isSet(kernel) ? parser.value(kernel) : QString();
    if (parser.isSet(kernel) && chip != QLatin1String("3334") && chip != QLatin1String("3337")) {
      return {kExitUsage, {}, QStringLiteral("srec: --kernel takes 3334 or 3337")};
    }
    report = Firmware(path, chip);
  }
  report.json.insert("file", path);
  const QString out =
      call.options.json
          ? QString::fromUtf8(QJsonDocument(report.json).toJson(QJsonDocument::Compact)) + '\n'
          : (report.lines.isEmpty() ? QString() : report.lines.join('\n') + '\n');
  return {report.ok ? kExitDone : kExitNotDone, out, {}};
}

}  // namespace

SrecOutcome RunSrec(const QStringList& arguments) {
  const CliInvocation call = ParseCommandLine(arguments);
  if (!call.command) {
    return call.status == kExitDone ? SrecOutcome{call.status, call.text, {}}
                                    : SrecOutcome{call.status, {}, call.text};
  }
  return Srec(call);
}

int SrecCommand(const CliInvocation& call) {
  const SrecOutcome outcome = Srec(call);
  if (!outcome.error.isEmpty()) return CliFail(outcome.error);
  CliPrint(outcome.out);
  return outcome.status;
}

}  // namespace ventari
