#include "cli/calibrate_command.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <optional>

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "service/path_lengths_model.h"
#include "service/sos_calibration_model.h"
#include "service/sos_reading.h"

namespace ventari {
namespace {

// Fourteen data strings at the slowest output rate (1 Hz), with room to spare.
constexpr int kReadingsBoundMs = 30000;

const QString kTemperature = QStringLiteral("temperature");
const QString kJson = QStringLiteral("json");
const std::array<QString, kPathAxes> kAxisOptions{QStringLiteral("axis1"), QStringLiteral("axis2"),
                                                  QStringLiteral("axis3")};

QJsonValue Json(const std::optional<int>& value) {
  return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QString Text(const std::optional<int>& value) {
  return value ? QString::number(*value) : QStringLiteral("-");
}

void PrintJson(const QJsonObject& object) {
  CliPrint(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

// The session found a Kestrix II on --port; otherwise the exit status to end with.
std::optional<int> FindKestrix(CliSession& cli) {
  if (auto failed = cli.Identify()) return failed;
  Session& s = cli.session();
  if (!s.commands().discovery.Found()) return kExitNotDone;
  const auto model = s.anemometer().state.Model;
  if (s.anemometer().state.Family != AnemFamily::kTwoAxis ||
      (model != AnemModel::kUnheatedKestrix2 && model != AnemModel::kHeatedKestrix2)) {
    CliFail(QStringLiteral("calibrate needs a Kestrix II; found %1")
                .arg(s.anemometer().state.ModelCaption));
    return kExitNotDone;
  }
  return std::nullopt;
}

const char* StoreEndText(PathStoreEnd end) {
  switch (end) {
    case PathStoreEnd::kVerified:
      return "verified";
    case PathStoreEnd::kNoAnswer:
      return "no answer";
    case PathStoreEnd::kNotVerified:
      return "not verified";
    case PathStoreEnd::kRefused:
      break;
  }
  return "refused";
}

int Paths(const QCommandLineParser& parser, CliSession& cli) {
  Service& service = cli.session().service();
  service.test.axis3Enabled = parser.isSet(kAxisOptions[2]);
  PathLengthsModel& page = service.pathLengths;
  for (int axis = 0; axis < kPathAxes; ++axis) {
    page.SetEntry(axis, parser.value(kAxisOptions[static_cast<std::size_t>(axis)]));
  }
  page.Enter();
  const PathStore store = page.BtnStorePathsClick();
  page.Leave();

  if (parser.isSet(kJson)) {
    QJsonArray cells;
    for (std::size_t i = 0; i < PathStore::kCells.size(); ++i) {
      cells.append(QJsonObject{{QStringLiteral("cell"), PathStore::kCells[i]},
                               {QStringLiteral("before"), Json(store.before[i])},
                               {QStringLiteral("written"), Json(store.written[i])},
                               {QStringLiteral("readBack"), Json(store.readBack[i])}});
    }
    PrintJson({{QStringLiteral("result"), QLatin1String(StoreEndText(store.end))},
               {QStringLiteral("cells"), cells}});
  } else {
    QString text = QStringLiteral("cell  before  written  read back\n");
    for (std::size_t i = 0; i < PathStore::kCells.size(); ++i) {
      text += QStringLiteral("%1  %2  %3  %4\n")
                  .arg(PathStore::kCells[i], 4)
                  .arg(Text(store.before[i]), 6)
                  .arg(Text(store.written[i]), 7)
                  .arg(Text(store.readBack[i]), 9);
    }
    CliPrint(text + QStringLiteral("Path lengths %1\n").arg(StoreEndText(store.end)));
  }
  switch (store.end) {
    case PathStoreEnd::kVerified:
      return kExitDone;
    case PathStoreEnd::kNotVerified:
      return kExitIncomplete;
    case PathStoreEnd::kRefused:
    case PathStoreEnd::kNoAnswer:
      break;
  }
  return kExitNotDone;
}

const char* CalibrationEndText(SosCalibrationEnd end) {
  switch (end) {
    case SosCalibrationEnd::kVerified:
      return "verified";
    case SosCalibrationEnd::kNoConfigMode:
      return "no configuration mode";
    case SosCalibrationEnd::kNotVerified:
      return "not verified";
    case SosCalibrationEnd::kRefused:
      break;
  }
  return "refused";
}

void PrintCalibration(const SosCalibrationModel& page, const SosCalibration& result, bool json) {
  const std::optional<int> lower =
      result.offset ? std::optional<int>(result.offset->lower) : std::nullopt;
  const std::optional<int> upper =
      result.offset ? std::optional<int>(result.offset->upper) : std::nullopt;
  if (json) {
    QJsonObject object{
        {QStringLiteral("result"), QLatin1String(CalibrationEndText(result.end))},
        {QStringLiteral("temperature"), page.TempEdit()},
        {QStringLiteral("theoretical"), page.TheoSOSEdit()},
        {QStringLiteral("measured"), page.SOSEdit()},
        {QStringLiteral("lines"), QJsonArray::fromStringList(page.SosCalListBox())},
        {QStringLiteral("offset"),
         result.offset ? QJsonValue(result.offset->offset) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("written"), QJsonObject{{QStringLiteral("75"), Json(lower)},
                                                {QStringLiteral("76"), Json(upper)},
                                                {QStringLiteral("510"), Json(result.checksum)}}},
        {QStringLiteral("readBack"),
         QJsonObject{{QStringLiteral("75"), Json(result.lowerRead)},
                     {QStringLiteral("76"), Json(result.upperRead)},
                     {QStringLiteral("510"), Json(result.checksumRead)}}}};
    PrintJson(object);
    return;
  }
  QString text;
  for (const QString& line : page.SosCalListBox()) {
    QString shown = line;
    shown.remove(QLatin1Char('\x02')).remove(QLatin1Char('\x03'));
    text += QStringLiteral("output  %1\n").arg(shown);
  }
  text += QStringLiteral("temperature %1 deg C, theoretical %2 m/s, measured %3 m/s\n")
              .arg(page.TempEdit(), page.TheoSOSEdit(), page.SOSEdit());
  if (result.offset) {
    text += QStringLiteral("offset %1\n").arg(result.offset->offset);
    text += QStringLiteral("cell  written  read back\n");
    const std::array<std::pair<int, std::pair<std::optional<int>, std::optional<int>>>, 3> cells{
        {{75, {lower, result.lowerRead}},
         {76, {upper, result.upperRead}},
         {510, {result.checksum, result.checksumRead}}}};
    for (const auto& [cell, values] : cells) {
      text += QStringLiteral("%1  %2  %3\n")
                  .arg(cell, 4)
                  .arg(Text(values.first), 7)
                  .arg(Text(values.second), 9);
    }
  }
  CliPrint(text + QStringLiteral("SOS calibration %1\n").arg(CalibrationEndText(result.end)));
}

int Sos(const QCommandLineParser& parser, CliSession& cli) {
  Session& s = cli.session();
  SosCalibrationModel& page = s.service().sosCalibration;
  page.SetTemperature(parser.value(kTemperature));
  page.Enter();
  if (!page.ResetConfirmed()) {
    page.Leave();
    CliFail(QStringLiteral("the SOS offsets could not be reset"));
    return kExitNotDone;
  }
  if (!s.link().channel.WaitFor([&page] { return page.CalEnabled(); }, kReadingsBoundMs)) {
    page.Leave();
    CliFail(QStringLiteral("no speed of sound readings came from the anemometer"));
    return kExitNotDone;
  }
  const SosCalibration result = page.BtnCalSOSClick();
  page.Leave();
  PrintCalibration(page, result, parser.isSet(kJson));
  switch (result.end) {
    case SosCalibrationEnd::kVerified:
      return kExitDone;
    case SosCalibrationEnd::kNotVerified:
      return kExitIncomplete;
    case SosCalibrationEnd::kRefused:
    case SosCalibrationEnd::kNoConfigMode:
      break;
  }
  return kExitNotDone;
}

}  // namespace

int CalibrateCommand(const CliInvocation& call) {
  const QCommandLineParser& parser = *call.parser;
  const QString what = call.words.size() == 1 ? call.words[0] : QString();
  if (what != QStringLiteral("paths") && what != QStringLiteral("sos")) {
    return CliFail(QStringLiteral("calibrate takes paths or sos"));
  }
  const bool paths = what == QStringLiteral("paths");
  if (paths) {
    if (!parser.isSet(kAxisOptions[0]) || !parser.isSet(kAxisOptions[1])) {
      return CliFail(QStringLiteral("calibrate paths needs --axis1 and --axis2"));
    }
    if (parser.isSet(kTemperature)) return CliFail(QStringLiteral("--temperature is for sos"));
  } else {
    if (!TheoreticalSos(parser.value(kTemperature))) {
      return CliFail(QStringLiteral("calibrate sos needs --temperature in deg C"));
    }
    for (const QString& axis : kAxisOptions) {
      if (parser.isSet(axis)) return CliFail(QStringLiteral("--%1 is for paths").arg(axis));
    }
  }
  CliSession cli(call.options);
  if (auto failed = FindKestrix(cli)) return *failed;
  return paths ? Paths(parser, cli) : Sos(parser, cli);
}

}  // namespace ventari
