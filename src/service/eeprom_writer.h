// The one way the service pages write EEPROM cells: each write goes out in its family's dialect
// and lands in the production test's image at the same time, so that what a verification
// compares against is always what the anemometer was last told.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "service/production_test.h"
#include "service/service_link.h"

namespace ventari {

// The write texts of both dialects, without line end: "W 150 27" and "W 1A3 F".
QString KestrixWriteText(int address, std::uint8_t value);
QString LarkvaneWriteText(int address, std::uint8_t value);

class EepromWriter {
 public:
  // The ASCII transfer's pacing: after each character sent, and the further wait for each line
  // feed, which is not sent.
  static constexpr int kCharacterMs = 25;
  static constexpr int kLineFeedMs = 50;

  EepromWriter(ServiceLink& link, ProductionTest& test) : link_(link), test_(test) {}

  // Kestrix II: "W a v\r\n" raw, then one timer tick.
  void KestrixWrite(int address, std::uint8_t value);
  // The same with no wait after it, for writes that go out back to back (the debug selection).
  void KestrixWriteNow(int address, std::uint8_t value);
  // Larkvane: the command `text` (paced, then CR) that writes `value` into `address`.
  void LarkvaneCommand(const QString& text, int address, std::uint8_t value);
  // Records a cell as written by a text sent some other way (the upload file).
  void Keep(int address, std::uint8_t value);
  // Sends `text` as the ASCII file transfer does: each character followed by kCharacterMs; a
  // line feed is not sent but waits kLineFeedMs more.
  void AsciiTransfer(const QByteArray& text);

 private:
  ServiceLink& link_;
  ProductionTest& test_;
};

}  // namespace ventari
