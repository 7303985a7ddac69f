// Acts on a three-axis anemometer's SN, VER and CONFIG answers: the anemometer state (serial
// number, model, version), the configuration record, the identity texts the binary log starts
// with, and the live-window entries a binary output format hides.
#pragma once

#include "base/anem_state.h"
#include "base/main_menu.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_identity.h"
#include "triaxis/tri_axis_listing.h"

namespace ventari {

class TriAxisReplyApplier : public TriAxisReplyConsumer {
 public:
  TriAxisReplyApplier(AnemState& state, MainMenu& menu, TriAxisConfig& config,
                      TriAxisIdentity& identity)
      : state_(state), menu_(menu), config_(config), identity_(identity) {}

  void Apply(const TriAxisSnReply& reply) override;
  void Apply(const TriAxisVerReply& reply) override;
  void Apply(const TriAxisConfigReply& reply) override;

 private:
  AnemState& state_;
  MainMenu& menu_;
  TriAxisConfig& config_;
  TriAxisIdentity& identity_;
};

}  // namespace ventari
