// The command channel and the system's matchers on a scripted line, on virtual time: what a
// test of one exchange with an anemometer stands on.
#pragma once

#include "base/anem_state.h"
#include "base/main_window_model.h"
#include "base/virtual_runtime.h"
#include "link/command_channel.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "support/scripted_line.h"
#include "support/scripted_prompts.h"

namespace ventari::test {

struct ChannelOnLine {
  ChannelOnLine() {
    port.SetOpen(true);
    group.ConnectTo(port);
  }

  // The channel in configuration mode, as after an entry a two-axis anemometer answered; what
  // the entry sent is forgotten.
  void EnterTwoAxisConfigMode() {
    line.SetResponder([](ScriptedLine& l, std::uint8_t byte) {
      if (byte == '*') l.DeliverIn(20, "\r\nCONFIGURATION MODE\r\n");
    });
    channel.EnterConfigMode();
    line.SetResponder({});
    line.ClearSent();
  }

  VirtualRuntime rt;
  ScriptedLine line{rt};
  SerialPort port{rt, line.Factory()};
  PacketMatcherGroup group{rt};
  SystemMatchers matchers{group};
  AnemState state;
  MainWindowModel window;
  ScriptedPrompts prompts{[this] { return rt.NowMs(); }};
  CommandChannel channel{rt, port, state, matchers.IMPacket, prompts, window};
};

}  // namespace ventari::test
