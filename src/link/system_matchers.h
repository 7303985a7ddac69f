// The packet matchers of the anemometer's port, each configured for the reply or data record it
// frames, attached to the port's group in the order the system has always declared them: the
// terminal window's seventeen, then the test window's six. Owners add the handlers.
#pragma once

#include "link/packet_matcher.h"
#include "link/packet_matcher_group.h"

namespace ventari {

struct SystemMatchers {
  explicit SystemMatchers(PacketMatcherGroup& group);

  TApdDataPacket DataPacket;
  TApdDataPacket IMPacket;
  TApdDataPacket D1Packet;
  TApdDataPacket D2Packet;
  TApdDataPacket D3Packet;
  TApdDataPacket StatusPacket;
  TApdDataPacket GainPacket;
  TApdDataPacket DownCountsPacket;
  TApdDataPacket PreloadPacket;
  TApdDataPacket CoarseDiffPacket;
  TApdDataPacket EEreadPacket;
  TApdDataPacket LarkvaneD2Packet;
  TApdDataPacket LarkvaneD3Packet;
  TApdDataPacket TriAxisPkt;
  TApdDataPacket TriVerifyPkt;
  TApdDataPacket TriAxisAsciiPkt;
  TApdDataPacket TriAxisBinaryPkt;
  TApdDataPacket LVCsumDataPacket;
  TApdDataPacket LVDebugDataPacket;
  TApdDataPacket LVeeDumpPacket1;
  TApdDataPacket LVeeDumpPacket2;
  TApdDataPacket LVeeDumpPacket3;
  TApdDataPacket LVeeDumpPacket4;
};

}  // namespace ventari
