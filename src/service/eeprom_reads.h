// Reading EEPROM cells back: single Kestrix II cells in decimal, single Larkvane cells in hex, and
// the Larkvane's two dumps, each reply awaited within a bound. What is read lands in the
// production test's read-back buffer.
#pragma once

#include <QString>
#include <array>
#include <optional>

#include "service/eeprom_read_handler.h"
#include "service/production_test.h"
#include "service/service_link.h"

namespace ventari {

struct CellRead {
  enum class Outcome { kValue, kNoResponse, kNotANumber } outcome = Outcome::kNoResponse;
  int value = 0;
};

class EepromReads {
 public:
  // The longest wait for a single cell's reply.
  static constexpr int kReplyBoundMs = 3000;
  // The longest wait for a dump: the time to answer and the time D 93's text (about 1800
  // characters) takes at the line's rate, with room to spare.
  static int DumpBoundMs(std::int32_t baud);

  // Takes over the handlers of the four dump matchers.
  EepromReads(ServiceLink& link, EepromReadHandler& handler, ProductionTest& test);
  EepromReads(const EepromReads&) = delete;
  EepromReads& operator=(const EepromReads&) = delete;

  // "R a\r\n" raw; the reply is the decimal number before the next line end.
  CellRead KestrixRead(int address);
  // The command "R " + two hex digits; the reply is the hex number after the echo.
  CellRead LarkvaneRead(int address);
  // D 92 and D 93 into the read-back buffer; false when a block did not come.
  bool LarkvaneDump();

 private:
  // Waits for the armed read of `address` and reads its reply in `base`.
  CellRead Await(int address, int base);

  ServiceLink& link_;
  EepromReadHandler& handler_;
  ProductionTest& test_;
  std::array<TApdDataPacket*, 4> dump_;
  std::array<std::optional<QByteArray>, 4> blocks_;
};

}  // namespace ventari
