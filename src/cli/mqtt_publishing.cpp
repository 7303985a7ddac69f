#include "cli/mqtt_publishing.h"

#include <QCoreApplication>
#include <QFile>

#include "base/version.h"
#include "cli/cli_session.h"
#include "cli/identify_report.h"
#include "stats/live_statistics.h"
#include "stats/statistics_text.h"

namespace ventari {
namespace {

// The first line of the password file, without its line end.
std::optional<QString> ReadPassword(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray line = in.readLine(64 * 1024);
  while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
  return QString::fromUtf8(line);
}

QString ParityName(Parity parity) {
  switch (parity) {
    case Parity::kOdd:
      return QStringLiteral("odd");
    case Parity::kEven:
      return QStringLiteral("even");
    case Parity::kMark:
      return QStringLiteral("mark");
    case Parity::kSpace:
      return QStringLiteral("space");
    case Parity::kNone:
      break;
  }
  return QStringLiteral("none");
}

// What identify --json prints, with the line settings and this program's version.
QJsonObject Info(Session& s) {
  QJsonObject info = IdentifyReport(s.anemometer(), s.commands().discovery.Found(),
                                    s.link().port.Line().baud, s.window().menu);
  const LineSettings line = s.link().port.Line();
  info[QStringLiteral("line")] = QJsonObject{{QStringLiteral("port"), s.link().port.Name()},
                                             {QStringLiteral("baud"), line.baud},
                                             {QStringLiteral("parity"), ParityName(line.parity)},
                                             {QStringLiteral("dataBits"), line.dataBits},
                                             {QStringLiteral("stopBits"), line.stopBits}};
  info[QStringLiteral("version")] = QString::fromLatin1(kVersion);
  return info;
}

}  // namespace

std::optional<int> CliPublishing::Start(CliSession& cli, const CliOptions& options,
                                        std::unique_ptr<CliPublishing>& publishing) {
  if (!options.mqtt) return std::nullopt;
  const MqttRequest& asked = *options.mqtt;
  PublisherSettings settings;
  settings.broker = asked.broker;
  settings.caFile = asked.caFile;
  settings.user = asked.user;
  settings.qos = asked.qos;
  settings.bounds = asked.bounds;
  if (!asked.passwordFile.isEmpty()) {
    const auto password = ReadPassword(asked.passwordFile);
    if (!password) {
      return CliFail(
          QStringLiteral("--mqtt-password-file %1 cannot be read").arg(asked.passwordFile));
    }
    settings.password = *password;
  }
  const QString base = SessionPublisher::TopicBase(cli.session(), asked.prefix);
  settings.statusTopic = SessionPublisher::StatusTopic(base);
  settings.clientId = QStringLiteral("ventari-%1-%2")
                          .arg(base.section(QLatin1Char('/'), -1))
                          .arg(QCoreApplication::applicationPid());
  publishing = std::make_unique<CliPublishing>(cli, std::move(settings));
  CliPublishing& p = *publishing;
  p.session_ =
      std::make_unique<SessionPublisher>(cli.session(), p.publisher_, base, Info(cli.session()));
  p.publisher_.Start();
  bool late = false;
  Runtime& runtime = cli.runtime();
  const auto id = runtime.Schedule(kFirstAnswerBoundMs, [&late] { late = true; });
  // Until the first attempt was accepted, refused or failed.
  runtime.WaitUntil(
      [&] { return late || p.publisher_.state() != MqttPublisher::State::kConnecting; });
  runtime.Cancel(id);
  // The refusal has been told.
  if (!p.Refused()) return std::nullopt;
  return kExitNotDone;
}

CliPublishing::CliPublishing(CliSession& cli, PublisherSettings settings)
    : publisher_(cli.runtime(), std::move(settings)) {
  publisher_.onChange = [this] { Tell(); };
  publisher_.onDropping = &CliSay;
}

void CliPublishing::Tell() {
  const MqttPublisher::State state = publisher_.state();
  const QString where = publisher_.settings().broker.HostPort();
  if (state == MqttPublisher::State::kConnected) {
    CliSay(QStringLiteral("publishing to %1").arg(where));
  } else if (state == MqttPublisher::State::kRefused) {
    CliSay(publisher_.Problem());
  } else if (state == MqttPublisher::State::kWaiting && told_ != MqttPublisher::State::kWaiting) {
    CliSay(QStringLiteral("broker %1 unreachable: holding records (%2)")
               .arg(where, publisher_.Problem()));
  } else {
    return;
  }
  told_ = state;
}

void CliPublishing::PublishPeriods(LiveStatistics& live) {
  live.SubscribePeriods([this](const PeriodRow& row) {
    if (session_)
      session_->Send(QStringLiteral("stats"), StatisticsJson(row, RecordTimes::kReceived));
  });
}

void CliPublishing::Finish(RunSummary& summary) {
  session_.reset();
  publisher_.Finish(kFinishBoundMs);
  const HoldQueue& queue = publisher_.queue();
  summary.published = RunSummary::Published{queue.Published(), queue.Held(), queue.Dropped()};
}

}  // namespace ventari
