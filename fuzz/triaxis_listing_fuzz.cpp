// Any sequence of SN, VER and CONFIG answers (and replies of no known kind) read by the
// three-axis listing: it must neither crash nor read outside a reply, and every field it sets
// must hold a value of its own kind, the record rate told to the windows included.
#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/tri_axis_reply_applier.h"
#include "base/anem_state.h"
#include "base/live_windows.h"
#include "base/main_menu.h"
#include "fuzz_check.h"
#include "link/packet_matcher.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_identity.h"
#include "triaxis/tri_axis_listing.h"

namespace {

using namespace ventari;

bool IsDigits(const QString& text) {
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

// The windows told a record rate: above 0, at most one record per measurement of a 50 Hz model.
struct RateCheckingWindows : LiveWindows {
  void SetGraphPresentation(bool) override {}
  void ApplyUnitScales() override {}
  void ShowGraphThirdKey(bool) override {}
  void SamplesPerSecondChanged(double rate) override { Check(rate > 0 && rate <= 50); }
  void ShowWindsockWAxis(bool) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TApdDataPacket collector("TriAxisPkt");
  AnemState state;
  MainMenu menu;
  TriAxisConfig config;
  TriAxisIdentity identity;
  RateCheckingWindows windows;
  TriAxisReplyApplier applier(state, menu, config, identity, windows);
  TriAxisListing listing(collector, applier);

  FuzzedDataProvider input(data, size);
  while (input.remaining_bytes() > 0) {
    // 0 is no kind; 1 to 3 are SN, VER and CONFIG.
    collector.SetPacketSize(input.ConsumeIntegralInRange<int>(0, 3));
    const std::string reply = input.ConsumeRandomLengthString(4096);
    listing.OnReply(QByteArray(reply.data(), static_cast<qsizetype>(reply.size())));
    Check(listing.Received());
    listing.ClearReceived();
  }

  for (const TriAxisChoice& choice : kTriAxisChoices) {
    const int index = config.*choice.field;
    Check(index >= -1 && index < static_cast<int>(choice.items.size()));
  }
  Check(config.Averaging.isEmpty() || (config.Averaging.size() <= 3 && IsDigits(config.Averaging)));
  Check(state.SerialNumber.size() <= 7);
  Check(state.SoftwareVersion.size() <= 4);
  return 0;
}
