#include "app/tri_axis_question.h"

#include "link/command_channel.h"

namespace ventari {
namespace {

const char* CommandFor(TriAxisReply kind) {
  switch (kind) {
    case TriAxisReply::kSn:
      return "SN";
    case TriAxisReply::kVer:
      return "VER";
    case TriAxisReply::kConfig:
      break;
  }
  return "CONFIG";
}

}  // namespace

bool AskTriAxis(CommandChannel& channel, TriAxisListing& listing, TriAxisReply kind,
                int timeoutMs) {
  const std::uint64_t before = listing.RepliesRead();
  listing.Expect(kind);
  channel.Command(CommandFor(kind));
  const bool answered = channel.WaitFor([&] { return listing.RepliesRead() != before; }, timeoutMs);
  if (!answered) listing.StopExpecting();
  listing.ClearReceived();
  return answered;
}

}  // namespace ventari
