#include "app/broker_publishing.h"

#include <QLocale>

#include "app/session.h"
#include "stats/statistics_text.h"

namespace ventari {
namespace {

// "1,234", whatever the user's locale.
QString Count(std::uint64_t count) {
  QLocale numbers = QLocale::c();
  numbers.setNumberOptions(QLocale::DefaultNumberOptions);
  return numbers.toString(static_cast<qulonglong>(count));
}

QString Sentence(QString text) {
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

}  // namespace

BrokerPublishing::BrokerPublishing(Session& session)
    : session_(session), follow_(session.runtime(), 0), heldStep_(session.runtime(), kHeldStepMs) {
  follow_.SetHandler([this] { Follow(); });
  heldStep_.SetHandler([this] { Refresh(); });
  progress_ = session.commands().discovery.Progress().Subscribe([this] { follow_.Start(); });
  periods_ = session.displays().statistics.SubscribePeriods([this](const PeriodRow& row) {
    if (publishing_) {
      publishing_->Send(QStringLiteral("stats"), StatisticsJson(row, RecordTimes::kReceived));
    }
  });
}

BrokerPublishing::~BrokerPublishing() {
  session_.commands().discovery.Progress().Unsubscribe(progress_);
  session_.displays().statistics.UnsubscribePeriods(periods_);
}

std::variant<PublishRequest, QString> BrokerPublishing::RequestOf(const BrokerSettings& settings) {
  const auto broker = ParseBrokerUrl(settings.url.trimmed());
  if (const auto* problem = std::get_if<QString>(&broker)) {
    return QStringLiteral("The broker: %1").arg(*problem);
  }
  PublishRequest request;
  request.broker = std::get<BrokerAddress>(broker);
  request.caFile = settings.caFile;
  request.prefix = settings.prefix.isEmpty() ? DefaultTopicPrefix() : settings.prefix;
  request.qos = settings.qos;
  request.user = settings.user;
  request.passwordFile = settings.passwordFile;
  request.bounds = settings.bounds;
  const PublishFieldNames names{QStringLiteral("the certificate authority file"),
                                QStringLiteral("the topic prefix"), QStringLiteral("a user name"),
                                QStringLiteral("the password file")};
  if (const QString problem = PublishRequestProblem(request, names); !problem.isEmpty()) {
    return Sentence(problem);
  }
  return request;
}

void BrokerPublishing::Load() { Take(session_.settings().LoadBroker()); }

QString BrokerPublishing::Choose(const BrokerSettings& settings) {
  if (settings.enabled) {
    const auto request = RequestOf(settings);
    if (const auto* problem = std::get_if<QString>(&request)) return *problem;
  }
  session_.settings().SaveBroker(settings);
  Take(settings);
  return {};
}

void BrokerPublishing::Take(const BrokerSettings& settings) {
  chosen_ = settings;
  Stop(kHandOverBoundMs);
  request_.reset();
  if (chosen_.enabled) {
    auto request = RequestOf(chosen_);
    if (auto* problem = std::get_if<QString>(&request)) {
      // Stored settings the user edited by hand: said, not used.
      problem_ = *problem;
    } else {
      request_ = std::get<PublishRequest>(std::move(request));
    }
  }
  Follow();
}

void BrokerPublishing::Finish() {
  follow_.Stop();
  Stop(kCloseBoundMs);
}

void BrokerPublishing::Follow() {
  const Discovery& discovery = session_.commands().discovery;
  const bool identified =
      session_.anemometer().state.Model && discovery.Found() && !discovery.Identifying();
  if (request_ && identified) {
    const QString base = SessionPublisher::TopicBase(session_, request_->prefix);
    if (!publishing_ || publishing_->Base() != base) {
      Stop(kHandOverBoundMs);
      QString password;
      if (!request_->passwordFile.isEmpty()) {
        const auto read = ReadPasswordFile(request_->passwordFile);
        if (!read) {
          problem_ =
              QStringLiteral("The password file %1 cannot be read").arg(request_->passwordFile);
          request_.reset();
          Refresh();
          return;
        }
        password = *read;
      }
      publishing_ = std::make_unique<SessionPublisher>(session_, *request_, password);
      MqttPublisher& publisher = publishing_->publisher();
      publisher.onChange = [this] { Refresh(); };
      publisher.onDropping = [this](const QString&) { Refresh(); };
      publishing_->Start();
    }
  }
  Refresh();
}

void BrokerPublishing::Stop(int boundMs) {
  problem_.clear();
  if (!publishing_) return;
  // Gone from here first: what the finish tells on its way finds nothing published.
  const std::unique_ptr<SessionPublisher> ending = std::move(publishing_);
  ending->Finish(boundMs);
  Refresh();
}

void BrokerPublishing::Refresh() {
  QString status;
  bool away = false;
  if (!problem_.isEmpty()) {
    status = QStringLiteral("Not publishing: %1").arg(problem_);
  } else if (request_ && !publishing_) {
    status = QStringLiteral("Publishing to %1 once an anemometer is identified")
                 .arg(request_->broker.HostPort());
  } else if (publishing_) {
    const MqttPublisher& publisher = publishing_->publisher();
    const HoldQueue& queue = publisher.queue();
    const QString where = publisher.settings().broker.HostPort();
    switch (publisher.state()) {
      case MqttPublisher::State::kConnected:
        status = QStringLiteral("Publishing to %1").arg(where);
        break;
      case MqttPublisher::State::kConnecting:
        status =
            QStringLiteral("Connecting to %1, %2 records held").arg(where, Count(queue.Held()));
        away = true;
        break;
      case MqttPublisher::State::kWaiting:
        status = QStringLiteral("broker unreachable, %1 records held").arg(Count(queue.Held()));
        away = true;
        break;
      case MqttPublisher::State::kRefused:
        status = QStringLiteral("Not publishing: %1").arg(publisher.Problem());
        break;
    }
    if (queue.Dropped() > 0) {
      status += QStringLiteral(", %1 dropped").arg(Count(queue.Dropped()));
    }
  }
  // The count held is told again each step while the broker is away, not with every record.
  if (!away) {
    heldStep_.Stop();
  } else if (!heldStep_.IsActive()) {
    heldStep_.Start();
  }
  if (status == status_) return;
  status_ = status;
  changed_.Notify();
}

}  // namespace ventari
