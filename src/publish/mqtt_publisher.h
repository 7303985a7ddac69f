// Publishes messages to an MQTT broker through libmosquitto, on the event loop: the client's
// socket is watched by socket notifiers and its keep-alive kept by a timer on the Runtime, so no
// callback of the library runs anywhere but inside the event loop and nothing ever blocks.
//
// Every message goes through a HoldQueue: held while the broker is away, handed again from the
// oldest unacknowledged one on each new connection (each connection a fresh client, so the
// library keeps nothing of its own), removed when the broker acknowledges it (QoS 1). A lost or
// failed connection is tried again after 1 s, doubling to 30 s; a refusal of the user name or
// password, or a broker certificate the first connection cannot verify, ends the publishing
// (Refused()) instead of trying again. The retained `status` and `info` messages are sent at once
// on every connection; the broker publishes the will "offline" on `status` when the connection
// dies, and Finish() publishes it on an orderly end. Messages dropped because too many were held
// are told once on `status` (not retained), when they start while connected or on the next
// connection.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "base/runtime.h"
#include "base/timer.h"
#include "publish/broker_address.h"
#include "publish/hold_queue.h"

class QSocketNotifier;
struct mosquitto;

namespace ventari {

struct PublisherSettings {
  BrokerAddress broker;
  QString caFile;  // mqtts: the certificate authority the broker's certificate is checked with
  QString user;    // empty: anonymous
  QString password;
  int qos = 1;
  QString statusTopic;
  QString clientId;
  HoldBounds bounds;
};

class MqttPublisher {
 public:
  enum class State { kConnecting, kConnected, kWaiting, kRefused };

  static constexpr int kFirstRetryMs = 1000;
  static constexpr int kLastRetryMs = 30000;
  // A connection that has not been accepted by then is given up and tried again.
  static constexpr int kConnectBoundMs = 10000;
  // Messages handed to one connection and not yet acknowledged.
  static constexpr std::size_t kWindow = 1000;

  MqttPublisher(Runtime& runtime, PublisherSettings settings);
  ~MqttPublisher();
  MqttPublisher(const MqttPublisher&) = delete;
  MqttPublisher& operator=(const MqttPublisher&) = delete;

  // Connects, and reconnects for as long as the publisher lives.
  void Start();
  // Holds a message for the broker (sent at once when connected).
  void Publish(const QString& topic, const QByteArray& payload);
  // The retained status ("online", "no data", "port lost"), sent now and on every connection.
  void SetStatus(const QString& status);
  // A retained message sent on every connection (the instrument's description).
  void SetRetained(const QString& topic, const QByteArray& payload);
  // Gives the broker (connected or coming back) up to `boundMs` to acknowledge what is held,
  // publishes "offline" and disconnects. Whether nothing was left held.
  bool Finish(int boundMs);

  State state() const { return state_; }
  bool Refused() const { return state_ == State::kRefused; }
  // Why the last connection failed or ended ("connection refused", ...), empty while connected.
  const QString& Problem() const { return problem_; }
  const HoldQueue& queue() const { return queue_; }
  const PublisherSettings& settings() const { return settings_; }

  // Told when the state changes.
  std::function<void()> onChange;
  // Told once, the first time the oldest held messages are dropped.
  std::function<void(const QString&)> onDropping;

 private:
  static void OnConnect(mosquitto*, void* self, int rc);
  static void OnDisconnect(mosquitto*, void* self, int rc);
  static void OnPublish(mosquitto*, void* self, int mid);

  void Connect();
  // Runs the library's reads, writes and housekeeping after its socket or timer said so.
  void Pump();
  void HandOut();
  // A TLS failure before any connection was accepted: the publishing ends (refused).
  bool RefusedTls(int rc);
  void SendRetained();
  // Tells on `status` how many messages were dropped, if more than last told.
  void TellDropped();
  // Ends the connection; tries again after the back-off unless refused.
  void Drop(const QString& problem);
  void Teardown();
  void SetState(State state);

  Runtime& runtime_;
  PublisherSettings settings_;
  HoldQueue queue_;
  mosquitto* client_ = nullptr;
  std::unique_ptr<QSocketNotifier> reader_;
  std::unique_ptr<QSocketNotifier> writer_;
  Timer housekeeping_;
  Timer retry_;
  Timer connectBound_;
  int retryMs_ = kFirstRetryMs;
  State state_ = State::kWaiting;
  QString problem_;
  QString status_ = QStringLiteral("online");
  std::vector<std::pair<QString, QByteArray>> retained_;
  bool toldDropping_ = false;
  std::uint64_t droppedTold_ = 0;
  bool connectedOnce_ = false;
  bool inPump_ = false;
  // What the library's callbacks told, acted on once the library has returned.
  bool lost_ = false;
  int connack_ = -1;
  bool handing_ = false;
  std::vector<int> earlyAcks_;
  int finalMid_ = -1;
  bool finalAcked_ = false;
};

}  // namespace ventari
