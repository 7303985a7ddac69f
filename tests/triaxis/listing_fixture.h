// A reply collector on a matcher group of its own, with everything the listing writes to, so a
// test can hand it an anemometer's answer exactly as the collector frames it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "app/tri_axis_reply_applier.h"
#include "base/anem_state.h"
#include "base/main_menu.h"
#include "base/virtual_runtime.h"
#include "link/packet_matcher_group.h"
#include "link/system_matchers.h"
#include "support/recorded_live_windows.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_identity.h"
#include "triaxis/tri_axis_listing.h"

namespace ventari::test {

class ListingFixture : public ::testing::Test {
 protected:
  // The anemometer answers the command of `kind` with `answer` and its prompt.
  void Reply(TriAxisReply kind, std::string_view answer) {
    listing.Expect(kind);
    Receive(answer);
    Receive("T7>");
    ASSERT_TRUE(listing.Received());
  }

  void Receive(std::string_view bytes) {
    group.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  VirtualRuntime rt;
  PacketMatcherGroup group{rt};
  SystemMatchers matchers{group};
  AnemState state;
  MainMenu menu;
  TriAxisConfig config;
  TriAxisIdentity identity;
  RecordedLiveWindows windows;
  TriAxisReplyApplier applier{state, menu, config, identity, windows};
  TriAxisListing listing{matchers.TriAxisPkt, applier};
};

}  // namespace ventari::test
