// Acts on a two-axis anemometer's identification and configuration replies: the anemometer
// state, the configuration record, the menus, the dialogs' layout and the live windows follow
// them, and each reply arms the matcher of the next (D1 arms the D2 matcher of the model, D2
// arms D3). Installs itself as the handler of the five reply matchers.
#pragma once

#include <QByteArray>

#include "base/anem_state.h"
#include "base/live_windows.h"
#include "base/main_menu.h"
#include "twoaxis/two_axis_config.h"
#include "twoaxis/two_axis_replies.h"
#include "twoaxisconfig/dialog_layout.h"

namespace ventari {

class ModeCommands;
struct SystemMatchers;

class TwoAxisReplyApplier {
 public:
  TwoAxisReplyApplier(SystemMatchers& matchers, AnemState& state, MainMenu& menu,
                      TwoAxisConfig& config, TwoAxisDialogLayout& layout, ModeCommands& modes,
                      LiveWindows& windows);

  // Each reads its reply and applies it. A reply with characters where a number belongs raises
  // ReplyConversionError once what came before them is applied (so a D2 reply that is no
  // number does not arm the D3 matcher).
  void OnD1Packet(const QByteArray& text) { Apply(ReadD1Reply(text)); }
  void OnD2Packet(const QByteArray& text) { Apply(ReadD2Reply(text)); }
  void OnD3Packet(const QByteArray& text) { ApplyKestrix(ReadD3Reply(text)); }
  void OnLarkvaneD2Packet(const QByteArray& text) { ApplyLarkvane(ReadLarkvaneD2Reply(text)); }
  void OnLarkvaneD3Packet(const QByteArray& text) { ApplyLarkvane(ReadLarkvaneD3Reply(text)); }

  void Apply(const TwoAxisIdentification& reply);
  void Apply(const TwoAxisVersion& reply);
  void ApplyLarkvane(const QString& version);
  void ApplyKestrix(const TwoAxisSettingsReply& reply);
  void ApplyLarkvane(const TwoAxisSettingsReply& reply);

 private:
  void ApplyOutputRate(int samplesPerSecond);
  void ApplyUnits(int digit);

  SystemMatchers& matchers_;
  AnemState& state_;
  MainMenu& menu_;
  TwoAxisConfig& config_;
  TwoAxisDialogLayout& layout_;
  ModeCommands& modes_;
  LiveWindows& windows_;
};

}  // namespace ventari
