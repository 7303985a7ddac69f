#include "publish/mqtt_publisher.h"

#include <mosquitto.h>

#include <QSocketNotifier>
#include <algorithm>
#include <mutex>

namespace ventari {
namespace {

constexpr int kKeepAliveSeconds = 30;
constexpr int kHousekeepingMs = 1000;
constexpr int kOfflineBoundMs = 1000;

void InitLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mosquitto_lib_init(); });
}

QString ErrorText(int rc) { return QString::fromUtf8(mosquitto_strerror(rc)); }

bool Refusal(int connackRc) {
  // 4: bad user name or password; 5: not authorised.
  return connackRc == 4 || connackRc == 5;
}

}  // namespace

MqttPublisher::MqttPublisher(Runtime& runtime, PublisherSettings settings)
    : runtime_(runtime),
      settings_(std::move(settings)),
      queue_(settings_.bounds),
      housekeeping_(runtime, kHousekeepingMs, /*periodic=*/true),
      retry_(runtime, kFirstRetryMs),
      connectBound_(runtime, kConnectBoundMs) {
  InitLibrary();
  housekeeping_.SetHandler([this] { Pump(); });
  retry_.SetHandler([this] { Connect(); });
  connectBound_.SetHandler([this] {
    if (state_ == State::kConnecting) Drop(QStringLiteral("broker unreachable (no answer)"));
  });
}

MqttPublisher::~MqttPublisher() {
  reader_.reset();
  writer_.reset();
  Teardown();
}

void MqttPublisher::Start() { Connect(); }

void MqttPublisher::SetState(State state) {
  if (state_ == state) return;
  state_ = state;
  if (onChange) onChange();
}

void MqttPublisher::Connect() {
  Teardown();
  queue_.ConnectionEnded();
  lost_ = false;
  connack_ = -1;
  const QByteArray id = settings_.clientId.toUtf8();
  client_ = mosquitto_new(id.constData(), /*clean_session=*/true, this);
  if (!client_) {
    Drop(QStringLiteral("the MQTT client could not be created"));
    return;
  }
  mosquitto_int_option(client_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
  mosquitto_int_option(client_, MOSQ_OPT_SEND_MAXIMUM, static_cast<int>(kWindow));
  mosquitto_connect_callback_set(client_, &MqttPublisher::OnConnect);
  mosquitto_disconnect_callback_set(client_, &MqttPublisher::OnDisconnect);
  mosquitto_publish_callback_set(client_, &MqttPublisher::OnPublish);
  const QByteArray statusTopic = settings_.statusTopic.toUtf8();
  const QByteArray offline = QByteArrayLiteral("offline");
  int rc = mosquitto_will_set(client_, statusTopic.constData(), static_cast<int>(offline.size()),
                              offline.constData(), 1, true);
  if (rc == MOSQ_ERR_SUCCESS && !settings_.user.isEmpty()) {
    rc = mosquitto_username_pw_set(client_, settings_.user.toUtf8().constData(),
                                   settings_.password.toUtf8().constData());
  }
  if (rc == MOSQ_ERR_SUCCESS && settings_.broker.tls) {
    const QByteArray ca = settings_.caFile.toLocal8Bit();
    rc = mosquitto_tls_set(client_, ca.isEmpty() ? nullptr : ca.constData(),
                           ca.isEmpty() ? "/etc/ssl/certs" : nullptr, nullptr, nullptr, nullptr);
  }
  if (rc != MOSQ_ERR_SUCCESS) {
    // A setting the library refuses does not get better by trying again.
    problem_ = QStringLiteral("the MQTT client refused its settings: %1").arg(ErrorText(rc));
    Teardown();
    SetState(State::kRefused);
    return;
  }
  SetState(State::kConnecting);
  rc = mosquitto_connect_async(client_, settings_.broker.host.toUtf8().constData(),
                               settings_.broker.port, kKeepAliveSeconds);
  if (RefusedTls(rc)) return;
  if (rc != MOSQ_ERR_SUCCESS) {
    Drop(QStringLiteral("broker unreachable (%1)").arg(ErrorText(rc)));
    return;
  }
  const int socket = mosquitto_socket(client_);
  if (socket < 0) {
    Drop(QStringLiteral("broker unreachable"));
    return;
  }
  reader_ = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
  writer_ = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
  QObject::connect(reader_.get(), &QSocketNotifier::activated, [this] { Pump(); });
  QObject::connect(writer_.get(), &QSocketNotifier::activated, [this] { Pump(); });
  housekeeping_.Start();
  connectBound_.Start();
  Pump();
}

void MqttPublisher::OnConnect(mosquitto*, void* self, int rc) {
  static_cast<MqttPublisher*>(self)->connack_ = rc;
}

void MqttPublisher::OnDisconnect(mosquitto*, void* self, int) {
  static_cast<MqttPublisher*>(self)->lost_ = true;
}

void MqttPublisher::OnPublish(mosquitto*, void* self, int mid) {
  auto* publisher = static_cast<MqttPublisher*>(self);
  if (mid == publisher->finalMid_) publisher->finalAcked_ = true;
  // At QoS 0 the library says so while the message is being handed to it.
  if (publisher->handing_) {
    publisher->earlyAcks_.push_back(mid);
    return;
  }
  publisher->queue_.Acknowledged(mid);
}

void MqttPublisher::Pump() {
  if (!client_ || inPump_) return;
  inPump_ = true;
  const int rc = mosquitto_loop(client_, 0, 1);
  inPump_ = false;
  if (connack_ >= 0) {
    const int connack = std::exchange(connack_, -1);
    if (connack != 0) {
      const QString reason = QString::fromUtf8(mosquitto_connack_string(connack));
      if (Refusal(connack)) {
        problem_ = QStringLiteral("the broker %1 refused the user name or password (%2)")
                       .arg(settings_.broker.HostPort(), reason);
        Teardown();
        queue_.ConnectionEnded();
        SetState(State::kRefused);
        return;
      }
      Drop(QStringLiteral("the broker refused the connection: %1").arg(reason));
      return;
    }
    connectBound_.Stop();
    connectedOnce_ = true;
    retryMs_ = kFirstRetryMs;
    problem_.clear();
    SetState(State::kConnected);
    SendRetained();
  }
  if (RefusedTls(rc)) return;
  if (lost_ || rc != MOSQ_ERR_SUCCESS) {
    Drop(state_ == State::kConnected
             ? QStringLiteral("broker unreachable (connection lost)")
             : QStringLiteral("broker unreachable (%1)").arg(ErrorText(rc)));
    return;
  }
  HandOut();
}

bool MqttPublisher::RefusedTls(int rc) {
  if (rc != MOSQ_ERR_TLS || connectedOnce_) return false;
  // The broker's certificate is not one the user trusts: trying again will not change that.
  const QString trusted = settings_.caFile.isEmpty()
                              ? QStringLiteral("the system's certificate authorities")
                              : settings_.caFile;
  problem_ = QStringLiteral("the certificate of the broker %1 could not be verified with %2")
                 .arg(settings_.broker.HostPort(), trusted);
  Teardown();
  queue_.ConnectionEnded();
  SetState(State::kRefused);
  return true;
}

void MqttPublisher::HandOut() {
  if (!client_) return;
  if (state_ == State::kConnected) {
    handing_ = true;
    while (queue_.InFlight() < kWindow) {
      const HeldMessage* message = queue_.NextToHand();
      if (!message) break;
      int mid = 0;
      const QByteArray topic = message->topic.toUtf8();
      const int rc = mosquitto_publish(client_, &mid, topic.constData(),
                                       static_cast<int>(message->payload.size()),
                                       message->payload.constData(), settings_.qos, false);
      if (rc != MOSQ_ERR_SUCCESS) {
        lost_ = true;
        break;
      }
      queue_.Handed(mid);
    }
    handing_ = false;
    for (const int mid : std::exchange(earlyAcks_, {})) queue_.Acknowledged(mid);
  }
  if (lost_) {
    runtime_.Schedule(0, [this] { Pump(); });
    return;
  }
  writer_->setEnabled(mosquitto_want_write(client_));
}

void MqttPublisher::SendRetained() {
  auto send = [this](const QString& topic, const QByteArray& payload) {
    mosquitto_publish(client_, nullptr, topic.toUtf8().constData(),
                      static_cast<int>(payload.size()), payload.constData(), 1, true);
  };
  for (const auto& [topic, payload] : retained_) send(topic, payload);
  TellDropped();
  send(settings_.statusTopic, status_.toUtf8());
}

void MqttPublisher::TellDropped() {
  if (queue_.Dropped() == droppedTold_) return;
  droppedTold_ = queue_.Dropped();
  const QByteArray notice =
      QStringLiteral("%1 messages dropped while held for the broker").arg(droppedTold_).toUtf8();
  // Not retained: the retained status that follows stays what the instrument is doing.
  mosquitto_publish(client_, nullptr, settings_.statusTopic.toUtf8().constData(),
                    static_cast<int>(notice.size()), notice.constData(), 1, false);
}

void MqttPublisher::Publish(const QString& topic, const QByteArray& payload) {
  if (queue_.Push({topic, payload}) > 0 && !std::exchange(toldDropping_, true)) {
    if (onDropping) {
      onDropping(QStringLiteral("%1 messages held for the broker, the most allowed: the oldest "
                                "are dropped from now on")
                     .arg(queue_.Held()));
    }
    if (state_ == State::kConnected) {
      TellDropped();
      writer_->setEnabled(mosquitto_want_write(client_));
    }
  }
  if (state_ == State::kConnected && !inPump_) HandOut();
}

void MqttPublisher::SetStatus(const QString& status) {
  if (status == status_) return;
  status_ = status;
  if (state_ != State::kConnected) return;
  const QByteArray payload = status.toUtf8();
  mosquitto_publish(client_, nullptr, settings_.statusTopic.toUtf8().constData(),
                    static_cast<int>(payload.size()), payload.constData(), 1, true);
  writer_->setEnabled(mosquitto_want_write(client_));
}

void MqttPublisher::SetRetained(const QString& topic, const QByteArray& payload) {
  retained_.emplace_back(topic, payload);
  if (state_ != State::kConnected) return;
  mosquitto_publish(client_, nullptr, topic.toUtf8().constData(), static_cast<int>(payload.size()),
                    payload.constData(), 1, true);
  writer_->setEnabled(mosquitto_want_write(client_));
}

bool MqttPublisher::Finish(int boundMs) {
  bool late = false;
  const auto until = [&](std::int64_t ms, const std::function<bool()>& done) {
    late = false;
    const auto id = runtime_.Schedule(ms, [&late] { late = true; });
    runtime_.WaitUntil([&] { return late || done(); });
    runtime_.Cancel(id);
  };
  // A broker away may come back within the bound.
  until(boundMs, [this] { return queue_.Held() == 0 || state_ == State::kRefused; });
  if (state_ == State::kConnected) {
    int offlineMid = 0;
    bool offlineSent = false;
    const QByteArray offline = QByteArrayLiteral("offline");
    if (mosquitto_publish(client_, &offlineMid, settings_.statusTopic.toUtf8().constData(),
                          static_cast<int>(offline.size()), offline.constData(), 1,
                          true) == MOSQ_ERR_SUCCESS) {
      // The last word is acknowledged before the connection is closed.
      finalMid_ = offlineMid;
      writer_->setEnabled(mosquitto_want_write(client_));
      until(kOfflineBoundMs, [&] { return finalAcked_ || state_ != State::kConnected; });
      offlineSent = finalAcked_;
    }
    if (client_ && offlineSent) {
      mosquitto_disconnect(client_);
      mosquitto_loop(client_, 0, 1);
    }
  }
  retry_.Stop();
  Teardown();
  return queue_.Held() == 0;
}

void MqttPublisher::Drop(const QString& problem) {
  Teardown();
  queue_.ConnectionEnded();
  problem_ = problem;
  SetState(State::kWaiting);
  retry_.SetInterval(retryMs_);
  retry_.Start();
  retryMs_ = std::min(retryMs_ * 2, kLastRetryMs);
}

void MqttPublisher::Teardown() {
  housekeeping_.Stop();
  connectBound_.Stop();
  // A notifier may be the one whose signal is running: it goes once the event loop is back.
  for (auto* notifier : {&reader_, &writer_}) {
    if (!*notifier) continue;
    (*notifier)->setEnabled(false);
    notifier->release()->deleteLater();
  }
  if (client_) mosquitto_destroy(std::exchange(client_, nullptr));
  earlyAcks_.clear();
}

}  // namespace ventari
