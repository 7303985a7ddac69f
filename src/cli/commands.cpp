#include "cli/commands.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_session.h"
#include "cli/identify_report.h"

namespace ventari {
namespace {

// The windsock state after a sample, or nulls when the sample did not feed it.
void AddWindsock(QJsonObject& line, const WindsockWindowModel& windsock, bool fed) {
  const TCalvarnWindsock& w = windsock.CalvarnWindsock1();
  auto value = [fed](int v) { return fed ? QJsonValue(v) : QJsonValue(QJsonValue::Null); };
  line["avg_direction"] = value(w.GetAverageDirection());
  line["avg_magnitude"] = value(w.GetAverageMagnitude());
  line["max_gust"] = value(w.GetMaxGust());
  line["min_gust"] = value(w.GetMinGust());
  line["gust"] = value(w.GetGust());
  line["sample_count"] = value(w.GetSampleCount());
}

// Stops the run when nothing was found or the anemometer is not one whose data can be shown.
std::optional<int> RequireTwoAxis(Session& session) {
  if (!session.commands().discovery.Found()) return kExitNotFound;
  if (session.anemometer().state.Family != AnemFamily::kTwoAxis) {
    return CliFail(
        QStringLiteral("found a three-axis anemometer; data are shown for two-axis "
                       "anemometers only"));
  }
  return std::nullopt;
}

}  // namespace

int PortsCommand() {
  for (const QString& name : CliAvailablePorts()) CliPrint(name + QLatin1Char('\n'));
  return 0;
}

int IdentifyCommand(const QCommandLineParser& parser) {
  CliSession cli;
  if (auto failed = cli.Identify(parser)) return *failed;
  Session& s = cli.session();
  if (parser.isSet(QStringLiteral("json"))) {
    CliPrint(QString::fromUtf8(QJsonDocument(IdentifyReport(s.anemometer(), s.commands().discovery.Found(),
                                                       s.link().port.Line().baud, s.window().menu)).toJson(QJsonDocument::Indented)));
  } else if (s.commands().discovery.Found()) {
    CliPrint(QStringLiteral("Found %1 at %2 baud\nSerial number: %3\nSoftware version: %4\n")
                 .arg(s.anemometer().state.ModelCaption)
                 .arg(s.link().port.Line().baud)
                 .arg(s.anemometer().state.SerialNumber.trimmed(), s.anemometer().state.SoftwareVersion));
  } else {
    CliPrint(QStringLiteral("No anemometer found on %1\n").arg(s.link().port.Name()));
  }
  return s.commands().discovery.Found() ? kExitFound : kExitNotFound;
}

int StreamCommand(const QCommandLineParser& parser) {
  CliSession cli;
  // The windsock figures are those of the window's "&2 min" choice, in m/s.
  if (auto failed = cli.Identify(parser)) return *failed;
  Session& s = cli.session();
  if (auto stop = RequireTwoAxis(s)) return *stop;
  s.displays().windsockWindow.SelectUnits(0);
  s.displays().windsockWindow.SelectAveraging(WindsockWindowModel::kTwoMinutes);
  const bool json = parser.isSet(QStringLiteral("json"));
  s.decoding().dataApplier.onSample = [&s, json](const QByteArray&, const TwoAxisSample& sample) {
    const QString text = s.displays().dataDisplay.ScreenLines().back();
    if (!json) {
      CliPrint(text + QLatin1Char('\n'));
      return;
    }
    QJsonObject line{
        {"text", text}, {"readable", sample.readable}, {"mode", sample.uv ? "uv" : "polar"}};
    const auto number = [&sample](double v) {
      return sample.readable ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
    };
    if (sample.uv) {
      line["u"] = number(sample.first);
      line["v"] = number(sample.second);
    } else {
      line["direction"] = sample.readable ? QJsonValue(sample.direction) : QJsonValue();
      line["speed"] = number(sample.second);
    }
    AddWindsock(line, s.displays().windsockWindow, sample.fedWindsock);
    CliPrint(QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)) +
             QLatin1Char('\n'));
  };
  return cli.RunFor(parser) ? kExitFound : kExitUsage;
}

int LogCommand(const QCommandLineParser& parser) {
  const QString out = parser.value(QStringLiteral("out"));
  if (out.isEmpty()) return CliFail(QStringLiteral("log needs --out FILE"));
  int minutes = 0;
  if (parser.isSet(QStringLiteral("segment-minutes"))) {
    bool ok = false;
    minutes = parser.value(QStringLiteral("segment-minutes")).toInt(&ok);
    if (!ok || minutes < 1 || minutes > 360) {
      return CliFail(QStringLiteral("--segment-minutes needs 1 to 360"));
    }
  }
  CliSession cli;
  if (auto failed = cli.Identify(parser)) return *failed;
  Session& s = cli.session();
  if (auto stop = RequireTwoAxis(s)) return *stop;
  DataDisplay& display = s.displays().dataDisplay;
  display.CbTsdClick(!parser.isSet(QStringLiteral("no-timestamp")));
  display.CbSegClick(minutes > 0);
  if (minutes > 0) display.SetSegInterval(minutes);
  display.StartLogging(out);
  const bool ran = cli.RunFor(parser);
  display.StopLogging();
  return ran ? kExitFound : kExitUsage;
}

}  // namespace ventari
