#include "link/command_channel.h"

#include "base/string_table.h"
#include "link/packet_matcher.h"
#include "link/serial_port.h"

namespace ventari {
namespace {

constexpr int kSlowTickAfterFirstMs = 1000;
constexpr int kReturnDelayMs = 50;

int EntryTimeoutMs(std::int32_t baud) {
  switch (baud) {
    case 4800:
    case 9600:
    case 19200:
    case 38400:
    case 57600:
    case 115200:
      return 2000;
    default:
      return 3000;
  }
}

}  // namespace

CommandChannel::CommandChannel(Runtime& runtime, SerialPort& port, AnemState& state,
                               TApdDataPacket& imPacket, Prompts& prompts, MainWindowModel& window)
    : Timeout(runtime, 3000),
      runtime_(runtime),
      port_(port),
      state_(state),
      imPacket_(imPacket),
      prompts_(prompts),
      window_(window) {
  imPacket_.SetStringHandler([this](TApdDataPacket& sender, const QByteArray&) {
    sender.Received = 1;
    SetConfigMode(true);
  });
}

void CommandChannel::SetConfigMode(bool inConfigMode) {
  if (inConfigMode_ == inConfigMode) return;
  inConfigMode_ = inConfigMode;
  configModeChanged_.Notify();
}

bool CommandChannel::PortLost() const { return !port_.IsOpen() && !port_.LostReason().isEmpty(); }

void CommandChannel::WaitMs(int ms) {
  bool done = false;
  const auto id = runtime_.Schedule(std::max(ms, kTimerTickMs), [&done] { done = true; });
  const Counted counted(waits_);
  try {
    runtime_.WaitUntil([&done] { return done; });
  } catch (...) {
    runtime_.Cancel(id);
    throw;
  }
}

void CommandChannel::WaitFor(const std::function<bool()>& done) {
  const Counted counted(waits_);
  runtime_.WaitUntil(EndsOnLoss(done));
}

bool CommandChannel::WaitFor(const std::function<bool()>& done, int ms) {
  bool expired = false;
  const auto id = runtime_.Schedule(std::max(ms, kTimerTickMs), [&expired] { expired = true; });
  const Counted counted(waits_);
  try {
    runtime_.WaitUntil(EndsOnLoss([&] { return done() || expired; }));
  } catch (...) {
    runtime_.Cancel(id);
    throw;
  }
  runtime_.Cancel(id);
  return done();
}

std::function<bool()> CommandChannel::EndsOnLoss(std::function<bool()> done) const {
  // At least one event is handled first, so a caller that waits again and again until a timer of
  // its own runs out still sees time pass.
  return [this, done = std::move(done), turned = false]() mutable {
    if (done()) return true;
    if (turned && PortLost()) return true;
    turned = true;
    return false;
  };
}

void CommandChannel::TickWait() {
  WaitMs(kTimerTickMs);
  timer1IntervalMs_ = kSlowTickAfterFirstMs;
}

void CommandChannel::SlowWait() {
  WaitMs(timer1IntervalMs_);
  timer1IntervalMs_ = kSlowTickAfterFirstMs;
}

void CommandChannel::Delay(int ms) { WaitMs(ms); }

void CommandChannel::SendCommand(std::string_view text) {
  TickWait();
  for (char c : text) {
    port_.PutChar(static_cast<std::uint8_t>(c));
    TickWait();
  }
}

void CommandChannel::SendReturn() {
  Delay(kReturnDelayMs);
  port_.PutChar('\r');
}

void CommandChannel::Command(std::string_view text) {
  SendCommand(text);
  SendReturn();
}

void CommandChannel::SendBare(std::string_view text) { port_.PutString(text); }

void CommandChannel::SendLine(std::string_view text) {
  std::string line(text);
  line += "\r\n";
  port_.PutString(line);
  SlowWait();
}

void CommandChannel::EnterConfigMode(EntryReport report) {
  Timeout.fired = false;
  Timeout.SetInterval(EntryTimeoutMs(port_.Line().baud));
  SendReturn();
  Timeout.Start();
  while (!inConfigMode_) {
    if (Timeout.fired) {
      if (report == EntryReport::kTell) {
        prompts_.ShowMessage(LoadStr(kStrNoResponseStar), LoadStr(kStrWarning));
      }
      break;
    }
    imPacket_.SetStartString("CONFIGURATION MODE");
    imPacket_.SetPacketSize(18);
    Command("Q");
    Delay(1000);

    imPacket_.SetEnabled(true);
    SendCommand("*");
    Delay(2000);
    if (inConfigMode_) {
      // The banner is the two-axis family's, whichever family answered before.
      state_.Family = AnemFamily::kTwoAxis;
      break;
    }

    imPacket_.SetEnabled(false);
    SetConfigMode(false);
    SendReturn();

    imPacket_.SetStartString("T7>");
    imPacket_.SetPacketSize(3);
    Command("EXIT");
    Delay(1000);

    imPacket_.SetEnabled(true);
    Command("IM");
    Delay(1000);
    if (inConfigMode_) {
      state_.Family = AnemFamily::kTriAxis;
    } else {
      imPacket_.SetEnabled(false);
    }
  }
  Timeout.Stop();
}

void CommandChannel::EnterTriAxisPrompt() {
  constexpr int kPromptWaitMs = 2000;
  imPacket_.SetEnabled(false);
  imPacket_.SetStartString("T7>");
  imPacket_.SetPacketSize(3);
  imPacket_.Received = 0;
  imPacket_.SetEnabled(true);
  Command("IM");
  Delay(100);
  WaitFor([this] { return imPacket_.Received != 0; }, kPromptWaitMs);
  imPacket_.SetEnabled(false);
}

void CommandChannel::LeaveConfigMode() {
  Command(state_.Family == AnemFamily::kTriAxis ? "EXIT" : "Q");
  SetConfigMode(false);
  imPacket_.Received = 0;
}

void CommandChannel::LeaveConfigModeAfterFailure() {
  try {
    LeaveConfigMode();
  } catch (const PortError&) {
    ForgetConfigMode();
  }
}

void CommandChannel::ConfigCommand(std::string_view text) {
  window_.SetBusyCursor(true);
  EnterConfigMode();
  SlowWait();
  port_.FlushInBuffer();
  Command(text);
  SlowWait();
  LeaveConfigMode();
  window_.SetBusyCursor(false);
}

}  // namespace ventari
