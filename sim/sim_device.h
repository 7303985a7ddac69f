// The common behaviour of every simulated anemometer, seen from the line: its own serial
// settings, hearing bytes, echoes and replies after a processing time, settings changes that
// must be confirmed at the new line settings, and the paced stream of data messages with the
// faults that can spoil it.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/runtime.h"
#include "link/line_settings.h"
#include "sim/faults.h"
#include "sim/wind_generator.h"

namespace ventari::sim {

// The sending half of the device's serial interface.
class DeviceOutput {
 public:
  virtual ~DeviceOutput() = default;
  // Queues bytes to be sent one after another at the device's current line settings.
  virtual void Transmit(std::string_view bytes) = 0;
  // Milliseconds until everything queued so far has been sent.
  virtual double TransmitBacklogMs() const = 0;
};

class SimDevice {
 public:
  // A settings change that is not confirmed within this time is undone.
  static constexpr int kConfirmWindowMs = 5000;
  static constexpr int kDefaultProcessingMs = 10;

  SimDevice(Runtime& runtime, const LineSettings& line, std::uint32_t seed);
  virtual ~SimDevice();
  SimDevice(const SimDevice&) = delete;
  SimDevice& operator=(const SimDevice&) = delete;

  // The line the device sends on; nullptr while it is not connected.
  void Connect(DeviceOutput* output) { output_ = output; }
  // A byte heard on the line, already known to be framed at the device's settings.
  void Hear(std::uint8_t byte);

  const LineSettings& Line() const { return line_; }
  virtual bool InConfigMode() const = 0;

  // Time from the end of a command to the start of its reply.
  void SetProcessingMs(int ms) { processingMs_ = ms; }
  void SetFaults(const Faults& faults);
  // From now on the device neither hears nor sends anything.
  void StopAnswering();
  // From now on it hears and sends again; its output starts as its family starts it.
  void StartAnswering() { answering_ = true; }
  bool Answering() const { return answering_; }
  WindGenerator& Wind() { return wind_; }
  // Called with each data message as it starts out to its end (a malformed one too; not one cut
  // short or stalled), for tests that check what reached the program.
  void SetSentHandler(std::function<void(const std::string&)> handler) {
    sentHandler_ = std::move(handler);
  }

 protected:
  virtual void OnByte(std::uint8_t byte) = 0;
  // The next data message for this sample, with its end marker at `endMarker` (npos: none).
  virtual std::string DataMessage(const WindSample& sample, std::size_t& endMarker) = 0;

  Runtime& runtime() { return runtime_; }
  std::mt19937& random() { return random_; }
  const Faults& faults() const { return faults_; }
  // Draws whether a fault of this probability strikes.
  bool Chance(double probability);

  // Sends at once (echoes).
  void Transmit(std::string_view bytes);
  // How long the bytes already sent take to leave.
  double TransmitBacklogMs() const { return output_ != nullptr ? output_->TransmitBacklogMs() : 0; }
  // Sends after the processing time, after every reply queued before it; `then` runs once the
  // text is queued.
  void Reply(std::string text, std::function<void()> then = {});

  // Collects typed characters into a command line; true when a CR ended one (the line has no
  // line end; an LF is ignored).
  bool TakeLine(std::uint8_t byte, std::string& line);
  void ClearLine() { typed_.clear(); }

  // Switches to `line` at once and keeps it only if ConfirmLine() follows within the confirm
  // window; otherwise the old settings come back.
  void ProposeLine(const LineSettings& line, std::function<void()> onConfirmed);
  // True if a proposed line was waiting and is now kept.
  bool ConfirmLine();
  bool LinePending() const { return confirmEvent_ != 0; }
  // Creation-time settings, before anything was sent.
  void SetLine(const LineSettings& line) { line_ = line; }

  // Data output: one message every `intervalMs` while running; a message that would find the
  // line still busy with the previous ones is skipped, as the instruments do.
  void StartOutput(int intervalMs);
  void StopOutput();
  // Sends one message now, with the message faults applied.
  void SendDataMessage();

 private:
  void OutputTick();
  void SendWithFaults(std::string message, std::size_t endMarker);
  // Sends the first half of the message that meets the stall, and nothing while it lasts; true
  // when the message is not to be sent.
  bool Stalled(std::string& message, std::size_t endMarker);

  Runtime& runtime_;
  LineSettings line_;
  DeviceOutput* output_ = nullptr;
  std::mt19937 random_;
  WindGenerator wind_;
  Faults faults_;
  std::function<void(const std::string&)> sentHandler_;
  bool answering_ = true;
  int processingMs_ = kDefaultProcessingMs;
  std::int64_t lastReplyAtMs_ = 0;
  std::string typed_;

  LineSettings confirmedLine_;
  std::function<void()> onConfirmed_;
  Runtime::EventId confirmEvent_ = 0;

  int outputIntervalMs_ = 1000;
  Runtime::EventId outputEvent_ = 0;
  std::int64_t lastSampleAtMs_ = -1;
  Runtime::EventId silenceEvent_ = 0;
  // When the line stalled inside a message; negative before.
  std::int64_t stalledAtMs_ = -1;
  // Scheduled replies, so that a destroyed device leaves nothing behind.
  std::vector<Runtime::EventId> replyEvents_;
};

}  // namespace ventari::sim
