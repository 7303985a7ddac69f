// The application's publishing of its anemometer's records to an MQTT broker (File > "Publish to
// broker..."): the choices the user made, kept in the settings store (the password file's path,
// never the password); the publishing started for the anemometer once it is identified, moved to
// another when a different one is found, and finished when the run closes (what is held sent
// within a bound, then "offline"); each period's statistics go out on `stats` too. And the status
// line's text: "Publishing to host:port", or why not ("broker unreachable, 1,234 records held").
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <variant>

#include "app/session_publisher.h"
#include "base/change_notifier.h"
#include "base/timer.h"
#include "publish/publish_request.h"
#include "stats/live_statistics.h"

namespace ventari {

class Session;

struct BrokerSettings {
  bool enabled = false;
  QString url;  // mqtt://host[:port] or mqtts://host[:port]
  QString caFile;
  QString prefix;  // empty: the default prefix
  int qos = 1;
  QString user;
  QString passwordFile;
  HoldBounds bounds;

  bool operator==(const BrokerSettings&) const = default;
};

class BrokerPublishing {
 public:
  // How long the close, and the move to another anemometer, wait for the broker to take what is
  // held.
  static constexpr int kCloseBoundMs = 2000;
  static constexpr int kHandOverBoundMs = 1000;
  // How often the count of records held is told while the broker is away.
  static constexpr int kHeldStepMs = 1000;

  explicit BrokerPublishing(Session& session);
  ~BrokerPublishing();
  BrokerPublishing(const BrokerPublishing&) = delete;
  BrokerPublishing& operator=(const BrokerPublishing&) = delete;

  // The request `settings` make, or why they make none ("The broker ...").
  static std::variant<PublishRequest, QString> RequestOf(const BrokerSettings& settings);

  // Takes the stored choices (when the main window is first shown).
  void Load();
  const BrokerSettings& Chosen() const { return chosen_; }
  // The user's new choices: why they cannot be used (nothing changes then), or an empty text:
  // stored, and the publishing started again with them, or ended.
  QString Choose(const BrokerSettings& settings);
  // The run closes: what is held is sent within kCloseBoundMs, then "offline".
  void Finish();

  // The status line's text; empty when not publishing.
  const QString& Status() const { return status_; }
  ChangeNotifier& Changed() { return changed_; }

 private:
  void Take(const BrokerSettings& settings);
  // The anemometer identified is another than the one published: publish it instead.
  void Follow();
  void Stop(int boundMs);
  void Refresh();

  Session& session_;
  BrokerSettings chosen_;
  std::optional<PublishRequest> request_;
  std::unique_ptr<SessionPublisher> publishing_;
  QString problem_;
  // Acts on the search's progress once its notification is over.
  Timer follow_;
  Timer heldStep_;
  ChangeNotifier::Subscription progress_ = 0;
  LiveStatistics::Subscription periods_ = 0;
  QString status_;
  ChangeNotifier changed_;
};

}  // namespace ventari
