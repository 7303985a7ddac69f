#include "app/session_publisher.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>

#include "app/identify_report.h"
#include "app/sample_json.h"
#include "app/session.h"
#include "base/version.h"
#include "link/terminal_model.h"

namespace ventari {
namespace {

QByteArray Compact(const QJsonObject& object) {
  return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// What identify --json prints, with the line settings and this program's version.
QJsonObject Info(Session& s) {
  QJsonObject info = IdentifyReport(s.anemometer(), s.commands().discovery.Found(),
                                    s.link().port.Line().baud, s.window().menu);
  const LineSettings line = s.link().port.Line();
  info[QStringLiteral("line")] =
      QJsonObject{{QStringLiteral("port"), s.link().port.Name()},
                  {QStringLiteral("baud"), line.baud},
                  {QStringLiteral("parity"), TerminalModel::ParityName(line.parity).toLower()},
                  {QStringLiteral("dataBits"), line.dataBits},
                  {QStringLiteral("stopBits"), line.stopBits}};
  info[QStringLiteral("version")] = QString::fromLatin1(kVersion);
  return info;
}

PublisherSettings SettingsFor(const QString& base, const PublishRequest& request,
                              const QString& password) {
  PublisherSettings settings;
  settings.broker = request.broker;
  settings.caFile = request.caFile;
  settings.user = request.user;
  settings.password = password;
  settings.qos = request.qos;
  settings.bounds = request.bounds;
  settings.statusTopic = base + QStringLiteral("/status");
  settings.clientId = QStringLiteral("ventari-%1-%2")
                          .arg(base.section(QLatin1Char('/'), -1))
                          .arg(QCoreApplication::applicationPid());
  return settings;
}

}  // namespace

QString SessionPublisher::TopicBase(Session& session, const QString& prefix) {
  const AnemState& state = session.anemometer().state;
  return prefix + QLatin1Char('/') + InstrumentLevel(state.ModelCaption, state.SerialNumber);
}

SessionPublisher::SessionPublisher(Session& session, const PublishRequest& request,
                                   const QString& password)
    : session_(session),
      base_(TopicBase(session, request.prefix)),
      publisher_(session.runtime(), SettingsFor(base_, request, password)) {
  LiveDisplays& displays = session.displays();
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
  publisher_.SetRetained(base_ + QStringLiteral("/info"), Compact(Info(session)));
  changed_ = session.window().Changed().Subscribe([this] { FollowStatus(); });
  FollowStatus();
}

SessionPublisher::~SessionPublisher() { Unhook(); }

void SessionPublisher::Unhook() {
  if (!std::exchange(hooked_, false)) return;
  session_.window().Changed().Unsubscribe(changed_);
  // The observer before goes with it, so that it has seen exactly the records published.
  session_.decoding().dataApplier.onSample = nullptr;
  session_.decoding().triAxisData.onSample = nullptr;
}

void SessionPublisher::Finish(int boundMs) {
  Unhook();
  publisher_.Finish(boundMs);
}

void SessionPublisher::Send(const QString& level, QJsonObject object) {
  if (!hooked_) return;
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
