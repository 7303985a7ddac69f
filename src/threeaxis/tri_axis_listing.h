// Reads a three-axis anemometer's answers to "SN", "VER" and "CONFIG", framed by the reply
// collector TriAxisPkt, into the anemometer state, the configuration record and the main menu.
#pragma once

#include <QByteArray>
#include <string_view>

#include "base/anem_state.h"
#include "base/main_menu.h"
#include "threeaxis/tri_axis_config.h"
#include "threeaxis/tri_axis_identity.h"

namespace ventari {

class TApdDataPacket;

// The reply the collector is armed for. Its value travels in the collector's PacketSize.
enum class TriAxisReply { kSn = 1, kVer = 2, kConfig = 3 };

class TriAxisListing {
 public:
  // Takes over `collector`'s string handler.
  TriAxisListing(TApdDataPacket& collector, AnemState& state, MainMenu& menu, TriAxisConfig& config,
                 TriAxisIdentity& identity);
  TriAxisListing(const TriAxisListing&) = delete;
  TriAxisListing& operator=(const TriAxisListing&) = delete;

  // Before sending the command: clears the received flag, sets the reply kind and arms the
  // collector.
  void Expect(TriAxisReply kind);
  // The collector delivered a reply and it has been read (the collector's Tag).
  bool Received() const;
  void ClearReceived();

  // The collector's handler: reads `text` as the reply kind the collector carries (nothing for
  // an unknown kind), then sets the received flag.
  void OnReply(const QByteArray& text);

 private:
  void ReadSn(std::string_view text);
  void ReadVer(std::string_view text);
  void ReadConfig(std::string_view text);

  TApdDataPacket& collector_;
  AnemState& state_;
  MainMenu& menu_;
  TriAxisConfig& config_;
  TriAxisIdentity& identity_;
};

}  // namespace ventari
