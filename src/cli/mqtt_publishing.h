// A stream or log that also publishes its records to an MQTT broker (--mqtt): the publisher
// connected once the anemometer is identified, its changes told on standard error ("publishing
// to host:port", "broker host:port unreachable: holding records"), and at the end what is held
// sent within a bound and the counts added to the summary.
#pragma once

#include <memory>
#include <optional>

#include "app/run_summary.h"
#include "app/session_publisher.h"

namespace ventari {

class CliSession;
class LiveStatistics;
struct CliOptions;

class CliPublishing {
 public:
  // How long the first connection may take to be accepted or refused before the run goes on
  // holding the records.
  static constexpr int kFirstAnswerBoundMs = 5000;
  // How long the end may wait for the broker to acknowledge what is held.
  static constexpr int kFinishBoundMs = 5000;

  // Starts publishing when --mqtt was given (`publishing` stays empty otherwise). The exit status
  // when the run cannot go on: the password file unreadable, the credentials refused.
  static std::optional<int> Start(CliSession& cli, const CliOptions& options,
                                  std::unique_ptr<CliPublishing>& publishing);

  CliPublishing(CliSession& cli, const PublishRequest& request, const QString& password);
  // Each period's statistics `live` closes go to the broker too, on "stats".
  void PublishPeriods(LiveStatistics& live);
  // The broker refused the credentials: the run ends.
  bool Refused() const { return publishing_.publisher().Refused(); }
  // Ends the printing and publishing of records (the run is over), sends what is held (within
  // kFinishBoundMs), says "offline" and adds the counts.
  void Finish(RunSummary& summary);

 private:
  void Tell();

  SessionPublisher publishing_;
  MqttPublisher::State told_ = MqttPublisher::State::kConnecting;
};

}  // namespace ventari
