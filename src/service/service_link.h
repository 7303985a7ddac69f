// What the service functions use of a run: the anemometer's port with its matchers, the command
// channel, the anemometer's state and the prompts. Handed to each service model by reference.
#pragma once

#include "base/anem_state.h"
#include "base/prompts.h"
#include "base/runtime.h"
#include "link/command_channel.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"

namespace ventari {

struct ServiceLink {
  Runtime& runtime;
  SerialPort& port;
  PacketMatcherGroup& matcherGroup;
  SystemMatchers& matchers;
  CommandChannel& channel;
  AnemState& state;
  Prompts& prompts;
};

}  // namespace ventari
