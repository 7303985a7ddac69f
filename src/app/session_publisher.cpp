#include "app/session_publisher.h"

#include <QDateTime>
#include <QJsonDocument>

#include "app/sample_json.h"
#include "app/session.h"
#include "publish/mqtt_publisher.h"

namespace ventari {
namespace {

QByteArray Compact(const QJsonObject& object) {
  return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

}  // namespace

QString SessionPublisher::TopicBase(Session& session, const QString& prefix) {
  const AnemState& state = session.anemometer().state;
  return prefix + QLatin1Char('/') + InstrumentLevel(state.ModelCaption, state.SerialNumber);
}

QString SessionPublisher::StatusTopic(const QString& topicBase) {
  return topicBase + QStringLiteral("/status");
}

SessionPublisher::SessionPublisher(Session& session, MqttPublisher& publisher,
                                   const QString& topicBase, const QJsonObject& info)
    : session_(session), publisher_(publisher), base_(topicBase) {
  LiveDisplays& displays = session.displays();
  SelectStreamWindsock(displays);
  TwoAxisDataApplier& twoAxis = session.decoding().dataApplier;
  twoAxisBefore_ = std::move(twoAxis.onSample);
  twoAxis.onSample = [this, &displays](const QByteArray& text, const TwoAxisSample& sample) {
    if (twoAxisBefore_) twoAxisBefore_(text, sample);
    Send(QStringLiteral("record"), SampleJson(displays, sample));
  };
  TriAxisDataApplier& triAxis = session.decoding().triAxisData;
  triAxisBefore_ = std::move(triAxis.onSample);
  triAxis.onSample = [this, &displays,
                      &config = session.anemometer().triAxisConfig](const TriAxisSample& sample) {
    if (triAxisBefore_) triAxisBefore_(sample);
    const bool averaged = sample.kind == TriAxisSample::Kind::kAveraged;
    Send(averaged ? QStringLiteral("averaged") : QStringLiteral("record"),
         SampleJson(displays, sample, config));
  };
  publisher.SetRetained(base_ + QStringLiteral("/info"), Compact(info));
  changed_ = session.window().Changed().Subscribe([this] { FollowStatus(); });
  FollowStatus();
}

SessionPublisher::~SessionPublisher() {
  session_.window().Changed().Unsubscribe(changed_);
  // The observer before goes with it, so that it has seen exactly the records published.
  session_.decoding().dataApplier.onSample = nullptr;
  session_.decoding().triAxisData.onSample = nullptr;
}

void SessionPublisher::Send(const QString& level, QJsonObject object) {
  object[QStringLiteral("time")] = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
  publisher_.Publish(base_ + QLatin1Char('/') + level, Compact(object));
}

void SessionPublisher::FollowStatus() {
  if (session_.recovery().Waiting()) {
    publisher_.SetStatus(QStringLiteral("port lost"));
  } else if (!session_.window().DataNotice().isEmpty()) {
    publisher_.SetStatus(QStringLiteral("no data"));
  } else {
    publisher_.SetStatus(QStringLiteral("online"));
  }
}

}  // namespace ventari
