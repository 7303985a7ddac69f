#include "link/system_matchers.h"

namespace ventari {
namespace {

constexpr EndConditions kByString{.string = true};
constexpr EndConditions kBySize{.size = true};

struct MatcherSetup {
  TApdDataPacket SystemMatchers::*matcher;
  const char* name;
  StartCondition startCond = StartCondition::kString;
  const char* startString = "";
  EndConditions endCond;
  const char* endString = "";
  int packetSize = 0;
  bool includeStrings = true;
  bool ignoreCase = true;
  bool autoEnable = false;
};

// Declaration order is attach order.
constexpr MatcherSetup kSetups[] = {
    {.matcher = &SystemMatchers::DataPacket,
     .name = "DataPacket",
     .startString = "\x02",
     .endCond = kByString,
     .endString = "\x03",
     .ignoreCase = false},
    {.matcher = &SystemMatchers::IMPacket,
     .name = "IMPacket",
     .startString = "CONFIGURATION MODE",
     .endCond = kBySize,
     .packetSize = 18},
    {.matcher = &SystemMatchers::D1Packet,
     .name = "D1Packet",
     .startString = "D1",
     .endCond = kBySize,
     .packetSize = 12,
     .includeStrings = false},
    {.matcher = &SystemMatchers::D2Packet,
     .name = "D2Packet",
     .startString = "D2",
     .endCond = kBySize,
     .packetSize = 8,
     .includeStrings = false},
    {.matcher = &SystemMatchers::D3Packet,
     .name = "D3Packet",
     .startString = "D3",
     .endCond = kByString,
     .endString = "D3"},
    {.matcher = &SystemMatchers::StatusPacket,
     .name = "StatusPacket",
     .startString = "\n",
     .endCond = kBySize,
     .packetSize = 30,
     .includeStrings = false,
     .autoEnable = true},
    {.matcher = &SystemMatchers::GainPacket,
     .name = "GainPacket",
     .startString = "\n",
     .endCond = kBySize,
     .packetSize = 15,
     .includeStrings = false,
     .autoEnable = true},
    {.matcher = &SystemMatchers::DownCountsPacket,
     .name = "DownCountsPacket",
     .startString = "\n",
     .endCond = kBySize,
     .packetSize = 15,
     .includeStrings = false,
     .autoEnable = true},
    {.matcher = &SystemMatchers::PreloadPacket,
     .name = "PreloadPacket",
     .startString = "\n",
     .endCond = kBySize,
     .packetSize = 15,
     .includeStrings = false,
     .autoEnable = true},
    {.matcher = &SystemMatchers::CoarseDiffPacket,
     .name = "CoarseDiffPacket",
     .startString = "\n",
     .endCond = kBySize,
     .packetSize = 15,
     .includeStrings = false,
     .autoEnable = true},
    {.matcher = &SystemMatchers::EEreadPacket,
     .name = "EEreadPacket",
     .startString = "R 82\r\n",
     .endCond = kBySize,
     .packetSize = 10,
     .includeStrings = false},
    {.matcher = &SystemMatchers::LarkvaneD2Packet,
     .name = "LarkvaneD2Packet",
     .startString = "D2",
     .endCond = kBySize,
     .packetSize = 13,
     .includeStrings = false},
    {.matcher = &SystemMatchers::LarkvaneD3Packet,
     .name = "LarkvaneD3Packet",
     .startString = "D3",
     .endCond = kByString,
     .endString = ",\r\n"},
    {.matcher = &SystemMatchers::TriAxisPkt,
     .name = "TriAxisPkt",
     .startCond = StartCondition::kAnyData,
     .endCond = kByString,
     .endString = "T7>",
     .includeStrings = false},
    {.matcher = &SystemMatchers::TriVerifyPkt,
     .name = "TriVerifyPkt",
     .startString = "V",
     .endCond = kBySize,
     .packetSize = 2},
    {.matcher = &SystemMatchers::TriAxisAsciiPkt,
     .name = "TriAxisAsciiPkt",
     .startString = "\x02",
     .endCond = kByString,
     .endString = "\x03",
     .includeStrings = false},
    {.matcher = &SystemMatchers::TriAxisBinaryPkt,
     .name = "TriAxisBinaryPkt",
     .startString = "\xBA\xBA",
     .endCond = kBySize,
     .packetSize = 11,
     .includeStrings = false},
    {.matcher = &SystemMatchers::LVCsumDataPacket,
     .name = "LVCsumDataPacket",
     .startString = "OLD",
     .endCond = kBySize,
     .packetSize = 62,
     .includeStrings = false},
    {.matcher = &SystemMatchers::LVDebugDataPacket,
     .name = "LVDebugDataPacket",
     .startString = "\n",
     .endCond = kByString,
     .endString = "\r",
     .includeStrings = false},
    {.matcher = &SystemMatchers::LVeeDumpPacket1,
     .name = "LVeeDumpPacket1",
     .startString = "0010\r\n",
     .endCond = kByString,
     .endString = "\r\n\r\n",
     .includeStrings = false},
    {.matcher = &SystemMatchers::LVeeDumpPacket2,
     .name = "LVeeDumpPacket2",
     .startString = "0030\r\n",
     .endCond = kByString,
     .endString = "\r\n\r\n",
     .includeStrings = false},
    {.matcher = &SystemMatchers::LVeeDumpPacket3,
     .name = "LVeeDumpPacket3",
     .startString = "0050\r\n",
     .endCond = kByString,
     .endString = "\r\n\r\n",
     .includeStrings = false},
    {.matcher = &SystemMatchers::LVeeDumpPacket4,
     .name = "LVeeDumpPacket4",
     .startString = "034D\r\n",
     .endCond = kByString,
     .endString = "\r\n\r\n",
     .includeStrings = false},
};

}  // namespace

SystemMatchers::SystemMatchers(PacketMatcherGroup& group) {
  for (const MatcherSetup& setup : kSetups) {
    TApdDataPacket& matcher = this->*setup.matcher;
    matcher.SetName(setup.name);
    matcher.SetStartCond(setup.startCond);
    matcher.SetStartString(setup.startString);
    matcher.SetEndCond(setup.endCond);
    matcher.SetEndString(setup.endString);
    matcher.SetPacketSize(setup.packetSize);
    matcher.SetIncludeStrings(setup.includeStrings);
    matcher.SetIgnoreCase(setup.ignoreCase);
    matcher.SetAutoEnable(setup.autoEnable);
    group.Attach(matcher);
  }
}

}  // namespace ventari
