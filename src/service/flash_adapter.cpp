#include "service/flash_adapter.h"

namespace ventari {
namespace {

constexpr std::uint8_t kWake = 0x5A;
constexpr int kSettleMs = 100;

}  // namespace

// Each 1 ms wait the adapter was always given lasts one timer tick.
void FlashAdapter::Step() { channel_.Delay(kTimerTickMs); }

void FlashAdapter::SendControlByte(std::uint8_t byte) {
  port_.SetRts(false);
  Step();
  port_.SetDtr(false);
  Step();
  port_.SetRts(true);
  Step();
  for (int bit = 7; bit >= 0; --bit) {
    port_.SetDtr(true);
    Step();
    port_.SetRts((byte >> bit & 1) == 0);
    Step();
    port_.SetDtr(false);
    Step();
  }
  port_.SetDtr(true);
  Step();
  port_.SetRts(true);
  Step();
  port_.SetDtr(false);
  Step();
  port_.SetRts(false);
  Step();
}

void FlashAdapter::Control(std::uint8_t byte, int ms) {
  SendControlByte(byte);
  channel_.Delay(ms);
}

void FlashAdapter::StartUp() {
  port_.SetOpen(true);
  port_.SetDtr(true);
  port_.SetRts(false);
  port_.SetDtr(false);
  Control(kWake, kSettleMs);
  Control(kWake, kSettleMs);
  Control(kWake, kSettleMs);
  Control(6, kSettleMs);
  Control(4, kSettleMs);
  Control(2, kSettleMs);
  SendControlByte(3);
}

void FlashAdapter::EnterBootMode() {
  Control(4, kSettleMs);
  Control(1, kSettleMs);
  SendControlByte(3);
}

void FlashAdapter::ResetProcessor() {
  Control(4, 10);
  Control(2, 500);
  SendControlByte(3);
}

}  // namespace ventari
