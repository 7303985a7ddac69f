// Reads a two-axis anemometer's identification and configuration replies (D1 type and serial
// number, D2 software version, D3 configuration, for the Kestrix II and the Larkvane) into the
// anemometer state, the configuration record and the menus. The replies chain: the D1 reply
// arms the D2 matcher of the model, the D2 reply arms the D3 matcher.
#pragma once

#include <QByteArray>
#include <stdexcept>

#include "base/anem_state.h"
#include "base/live_windows.h"
#include "base/main_menu.h"
#include "twoaxis/two_axis_config.h"
#include "twoaxisconfig/dialog_layout.h"

namespace ventari {

class ModeCommands;
struct SystemMatchers;

// A reply held a character where a number was expected. Escapes the handler, so the fields
// after it are not read (and a D2 reply does not arm the D3 matcher).
class ReplyConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TwoAxisReplies {
 public:
  // Installs the handlers of the D1, D2, D3 and Larkvane D2, D3 matchers.
  TwoAxisReplies(SystemMatchers& matchers, AnemState& state, MainMenu& menu, TwoAxisConfig& config,
                 TwoAxisDialogLayout& layout, ModeCommands& modes, const LiveWindows& windows);

  void OnD1Packet(const QByteArray& text);
  void OnD2Packet(const QByteArray& text);
  void OnD3Packet(const QByteArray& text);
  void OnLarkvaneD2Packet(const QByteArray& text);
  void OnLarkvaneD3Packet(const QByteArray& text);

 private:
  void ApplyOutputRate(int samplesPerSecond);
  void ApplyUnits(int digit);

  SystemMatchers& matchers_;
  AnemState& state_;
  MainMenu& menu_;
  TwoAxisConfig& config_;
  TwoAxisDialogLayout& layout_;
  ModeCommands& modes_;
  const LiveWindows& windows_;
};

}  // namespace ventari
