// Acts on a three-axis anemometer's SN, VER and CONFIG answers: the anemometer state (serial
// number, model, version), the configuration record, the identity texts the binary log starts
// with, the live-window entries a binary output format hides, and the record rate the
// windsock's time windows follow.
#pragma once

#include <optional>

#include "base/anem_state.h"
#include "base/live_windows.h"
#include "base/main_menu.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_identity.h"
#include "triaxis/tri_axis_listing.h"

namespace ventari {

class TriAxisReplyApplier : public TriAxisReplyConsumer {
 public:
  TriAxisReplyApplier(AnemState& state, MainMenu& menu, TriAxisConfig& config,
                      TriAxisIdentity& identity, LiveWindows& windows)
      : state_(state), menu_(menu), config_(config), identity_(identity), windows_(windows) {}

  void Apply(const TriAxisSnReply& reply) override;
  void Apply(const TriAxisVerReply& reply) override;
  void Apply(const TriAxisConfigReply& reply) override;

 private:
  AnemState& state_;
  MainMenu& menu_;
  TriAxisConfig& config_;
  TriAxisIdentity& identity_;
  LiveWindows& windows_;
  // The record rate the windows were last told since the anemometer was identified: a listing
  // read again with the same rate leaves the windsock's history alone.
  std::optional<double> toldRecordsPerSecond_;
};

}  // namespace ventari
