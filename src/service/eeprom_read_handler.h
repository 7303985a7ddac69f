// The handler of the EEPROM-read replies (`EEreadPacket`): during a read-back it keeps the reply
// for the reading code and raises the received flag; otherwise the reply lands in the read-out
// its start string names, or, while the Larkvane software test runs, is kept for that test.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "link/packet_matcher.h"
#include "service/calibration_readouts.h"

namespace ventari {

// The cell value of a read reply: a decimal (base 10) or two-digit hex (base 16) number of 0 to
// 255 after any blank; nothing when the reply is not one.
std::optional<int> ReadReplyValue(const QString& reply, int base);

class EepromReadHandler {
 public:
  // Takes over the matcher's string handler.
  EepromReadHandler(TApdDataPacket& eeRead, CalibrationReadouts& readouts);
  // Lets go of the matcher's handler, which points here.
  ~EepromReadHandler() { eeRead_.SetStringHandler(nullptr); }
  EepromReadHandler(const EepromReadHandler&) = delete;
  EepromReadHandler& operator=(const EepromReadHandler&) = delete;

  TApdDataPacket& Matcher() { return eeRead_; }

  // Set by the verifications for the length of their read loops.
  bool readBackMode = false;
  // The reply of the last read-back (the hidden edit `EepromData`).
  QString EepromData;
  // The Larkvane software test is running (its start button is disabled).
  bool larkvaneSwTestRunning = false;
  // The last reply taken while the Larkvane software test ran.
  QString lastLarkvaneReply;

  // What the matcher delivered.
  void OnReply(const QByteArray& text);

 private:
  TApdDataPacket& eeRead_;
  CalibrationReadouts& readouts_;
};

}  // namespace ventari
