#include "cli/mqtt_publishing.h"

#include "app/sample_json.h"
#include "cli/cli_session.h"
#include "stats/live_statistics.h"
#include "stats/statistics_text.h"

namespace ventari {

std::optional<int> CliPublishing::Start(CliSession& cli, const CliOptions& options,
                                        std::unique_ptr<CliPublishing>& publishing) {
  if (!options.mqtt) return std::nullopt;
  const PublishRequest& asked = *options.mqtt;
  QString password;
  if (!asked.passwordFile.isEmpty()) {
    const auto read = ReadPasswordFile(asked.passwordFile);
    if (!read) {
      return CliFail(
          QStringLiteral("--mqtt-password-file %1 cannot be read").arg(asked.passwordFile));
    }
    password = *read;
  }
  // The windsock's figures in the objects are those of its two-minute window in m/s.
  SelectStreamWindsock(cli.session().displays());
  publishing = std::make_unique<CliPublishing>(cli, asked, password);
  MqttPublisher& publisher = publishing->publishing_.publisher();
  publishing->publishing_.Start();
  bool late = false;
  Runtime& runtime = cli.runtime();
  const auto id = runtime.Schedule(kFirstAnswerBoundMs, [&late] { late = true; });
  // Until the first attempt was accepted, refused or failed.
  runtime.WaitUntil([&] { return late || publisher.state() != MqttPublisher::State::kConnecting; });
  runtime.Cancel(id);
  // The refusal has been told.
  if (!publisher.Refused()) return std::nullopt;
  return kExitNotDone;
}

CliPublishing::CliPublishing(CliSession& cli, const PublishRequest& request,
                             const QString& password)
    : publishing_(cli.session(), request, password) {
  publishing_.publisher().onChange = [this] { Tell(); };
  publishing_.publisher().onDropping = &CliSay;
}

void CliPublishing::Tell() {
  const MqttPublisher& publisher = publishing_.publisher();
  const MqttPublisher::State state = publisher.state();
  const QString where = publisher.settings().broker.HostPort();
  if (state == MqttPublisher::State::kConnected) {
    CliSay(QStringLiteral("publishing to %1").arg(where));
  } else if (state == MqttPublisher::State::kRefused) {
    CliSay(publisher.Problem());
  } else if (state == MqttPublisher::State::kWaiting && told_ != MqttPublisher::State::kWaiting) {
    CliSay(QStringLiteral("broker %1 unreachable: holding records (%2)")
               .arg(where, publisher.Problem()));
  } else {
    return;
  }
  told_ = state;
}

void CliPublishing::PublishPeriods(LiveStatistics& live) {
  live.SubscribePeriods([this](const PeriodRow& row) {
    publishing_.Send(QStringLiteral("stats"), StatisticsJson(row, RecordTimes::kReceived));
  });
}

void CliPublishing::Finish(RunSummary& summary) {
  publishing_.Finish(kFinishBoundMs);
  const HoldQueue& queue = publishing_.publisher().queue();
  summary.published = RunSummary::Published{queue.Published(), queue.Held(), queue.Dropped()};
}

}  // namespace ventari
