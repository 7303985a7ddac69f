#include "cli/eeprom_command.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "service/eeprom_programmer.h"
#include "service/service_folder.h"

namespace ventari {
namespace {

constexpr int kRowCells = 16;

// The option that names each kind's file.
struct KindOption {
  EepromKind kind;
  const char* name;
};
constexpr KindOption kKindOptions[] = {
    {EepromKind::kUser, "user"},
    {EepromKind::kEng, "eng"},
    {EepromKind::kCal, "cal"},
    {EepromKind::kOpt, "opt"},
};

// A name given on the command line: a file that exists as given, or one in the family's folder.
QString SourcePath(const QString& given, const QString& folder) {
  if (given.isEmpty()) return {};
  const QFileInfo asGiven(given);
  if (asGiven.exists() || asGiven.isAbsolute()) return asGiven.absoluteFilePath();
  return folder + given;
}

// The read-back as rows of 16 cells: the first cell's address in hex and decimal, then each
// cell in hex ("--" where nothing was read) and in decimal.
QString ReadBackRows(const ProductionTest& test) {
  QString text;
  for (int row = 0; row < test.eepromSize; row += kRowCells) {
    QString hex;
    QString dec;
    for (int cell = row; cell < std::min(row + kRowCells, test.eepromSize); ++cell) {
      const auto c = static_cast<std::size_t>(cell);
      const bool read = test.readBackValid[c];
      hex +=
          read
              ? QStringLiteral(" %1").arg(test.eepromReadBack[c], 2, 16, QLatin1Char('0')).toUpper()
              : QStringLiteral(" --");
      dec += read ? QStringLiteral(" %1").arg(test.eepromReadBack[c], 3) : QStringLiteral("   -");
    }
    text += QStringLiteral("%1 %2 |%3 |%4\n")
                .arg(row, 3, 16, QLatin1Char('0'))
                .arg(row, 3)
                .arg(hex, dec);
  }
  return text;
}

const char* RunEndText(EepromRunEnd end) {
  switch (end) {
    case EepromRunEnd::kNothingChecked:
      return "nothing to program";
    case EepromRunEnd::kRefused:
      return "refused";
    case EepromRunEnd::kNoConfigMode:
      return "no configuration mode";
    case EepromRunEnd::kMissingSource:
      return "source missing";
    case EepromRunEnd::kPortFailed:
      return "port failed";
    case EepromRunEnd::kWritten:
      break;
  }
  return "written";
}

}  // namespace

std::optional<ProductionTest> EepromSensorType(const QString& type) {
  ProductionTest test;
  const QString t = type.toUpper();
  if (t == "E" || t == "EA" || t == "XEQ") {
    test.sensor = SensorState::kKestrix2Unheated;
    test.sensorCode = 'E';
    test.sensorText = t == "XEQ" ? QStringLiteral("E") : t;
    test.xeq = t == "XEQ";
  } else if (t == "F" || t == "FA") {
    test.sensor = SensorState::kKestrix2Heated;
    test.sensorCode = 'F';
    test.sensorText = t;
  } else if (t.size() == 3 && t.startsWith(QStringLiteral("LV")) && t[2] >= '1' && t[2] <= '4') {
    test.sensor = SensorState::kLarkvane;
    test.sensorCode = 'Y';
    test.larkvaneOption = t[2].digitValue();
    test.eepromSize = kLarkvaneEepromSize;
  } else {
    return std::nullopt;
  }
  return test;
}

QJsonObject EepromReport(const ProductionTest& test, const std::vector<int>& differences) {
  QJsonArray written;
  QJsonArray readBack;
  for (int cell = 0; cell < test.eepromSize; ++cell) {
    const auto c = static_cast<std::size_t>(cell);
    if (test.written[c]) written.append(QJsonArray{cell, test.eepromImage[c]});
    if (test.readBackValid[c]) readBack.append(QJsonArray{cell, test.eepromReadBack[c]});
  }
  QJsonArray different;
  for (const int cell : differences) {
    const auto c = static_cast<std::size_t>(cell);
    different.append(QJsonObject{{QStringLiteral("cell"), cell},
                                 {QStringLiteral("written"), test.eepromImage[c]},
                                 {QStringLiteral("readBack"), test.eepromReadBack[c]}});
  }
  return {{QStringLiteral("eepromResult"), test.eepromResult},
          {QStringLiteral("written"), written},
          {QStringLiteral("readBack"), readBack},
          {QStringLiteral("differences"), different}};
}

int EepromCommand(const CliInvocation& call) {
  const QCommandLineParser& parser = *call.parser;
  const std::optional<ProductionTest> type = EepromSensorType(parser.value(QStringLiteral("type")));
  if (!type)
    return CliFail(QStringLiteral("give the sensor type with --type E|EA|F|FA|LV1..LV4|XEQ"));
  ProductionTest test = *type;
  ServiceFolder folder;
  if (parser.isSet(QStringLiteral("service-folder"))) {
    folder.SetRoot(QFileInfo(parser.value(QStringLiteral("service-folder"))).absoluteFilePath());
  }
  const QString familyFolder = test.IsLarkvane() ? folder.LarkvaneEeprom() : folder.KestrixEeprom();
  EepromSources sources;
  bool any = false;
  for (const KindOption& kind : kKindOptions) {
    const auto k = static_cast<std::size_t>(kind.kind);
    sources.files[k] = SourcePath(parser.value(QLatin1String(kind.name)), familyFolder);
    sources.checked[k] = !sources.files[k].isEmpty();
    const bool family = test.IsLarkvane()
                            ? kind.kind == EepromKind::kCal || kind.kind == EepromKind::kOpt
                            : kind.kind != EepromKind::kOpt;
    if (sources.checked[k] && !family) {
      return CliFail(QStringLiteral("--%1 is not for this sensor type").arg(kind.name));
    }
    any = any || sources.checked[k];
  }
  if (!any) return CliFail(QStringLiteral("give at least one parameter file"));

  CliSession cli(call.options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (!s.commands().discovery.Found()) return kExitNotDone;
  const bool larkvaneFound = s.anemometer().state.TypeCode.startsWith(QLatin1Char('Y'));
  if (s.anemometer().state.Family != AnemFamily::kTwoAxis || larkvaneFound != test.IsLarkvane()) {
    CliFail(QStringLiteral("the anemometer found is not of type %1")
                .arg(parser.value(QStringLiteral("type"))));
    return kExitNotDone;
  }

  // The run's own EEPROM code, so that its read replies have one handler.
  Service& service = s.service();
  service.test = test;
  service.folder = folder;
  const EepromRun run = service.eepromProgrammer.Program(sources);
  test = service.test;

  if (call.options.json) {
    QJsonObject report = EepromReport(test, run.differences);
    report[QStringLiteral("run")] = QLatin1String(RunEndText(run.end));
    report[QStringLiteral("noResponse")] = run.noResponse;
    CliPrint(QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented)));
  } else if (run.end == EepromRunEnd::kWritten) {
    CliPrint(ReadBackRows(test) +
             (test.eepromResult == 0 ? QStringLiteral("EEPROM verified")
                                     : QStringLiteral("EEPROM not verified")) +
             QLatin1Char('\n'));
  }
  if (run.end != EepromRunEnd::kWritten || run.noResponse) return kExitNotDone;
  return test.eepromResult == 0 ? kExitDone : kExitIncomplete;
}

}  // namespace ventari
