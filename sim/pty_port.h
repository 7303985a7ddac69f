// The computer's end of a simulated anemometer's line as a pseudo-terminal, for ventari-sim:
// whatever opens the slave side talks to the device. The line settings are those the other side
// set on its end (tcgetattr on the master reads them), so a wrong rate gives silence and garbage
// as on a real line. Nothing is sent while no one has the slave side open.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "base/runtime.h"
#include "sim/line_model.h"

class QSocketNotifier;

namespace ventari::sim {

class PtyPort : private LineModel::PortEnd {
 public:
  static constexpr int kPresencePollMs = 20;

  // Creates the pseudo-terminal; raises std::runtime_error when the system refuses one.
  PtyPort(Runtime& runtime, LineModel& line);
  ~PtyPort() override;
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  // The path the other side opens.
  const QString& Path() const { return path_; }
  // Called once the device has vanished and the pseudo-terminal is closed.
  void SetLostHandler(std::function<void(const QString& why)> handler) {
    lostHandler_ = std::move(handler);
  }

 private:
  LineSettings PortLine() override;
  void Arrive(const std::uint8_t* data, std::size_t size) override;
  void Lost(const QString& why) override;

  // Whether a client has the slave side open (the master reports no hang-up).
  bool ClientPresent() const;
  void WatchPresence();
  void ReadAll();
  void CloseMaster();

  Runtime& runtime_;
  LineModel& line_;
  int master_ = -1;
  QString path_;
  bool clientWasPresent_ = false;
  std::unique_ptr<QSocketNotifier> readable_;
  Runtime::EventId presenceEvent_ = 0;
  std::function<void(const QString& why)> lostHandler_;
};

}  // namespace ventari::sim
