#include "service/eeprom_read_handler.h"

#include <array>

namespace ventari {
namespace {

struct Route {
  const char* start;
  QString CalibrationReadouts::*readout;
};
const std::array<Route, 6> kRoutes{{
    {"R 75\r\n", &CalibrationReadouts::SOSOffsetLower},
    {"R 76\r\n", &CalibrationReadouts::SOSOffsetUpper},
    {"R 82\r\n", &CalibrationReadouts::CurrentAxis1},
    {"R 83\r\n", &CalibrationReadouts::CurrentAxis2},
    {"R 84\r\n", &CalibrationReadouts::CurrentAxis3},
    {"R 510\r\n", &CalibrationReadouts::EngChecksum},
}};

}  // namespace

std::optional<int> ReadReplyValue(const QString& reply, int base) {
  const QString text = reply.trimmed();
  // A hex reply is its first two characters: the line end may follow within the packet size.
  const QString number = base == 16 ? text.left(2) : text;
  bool ok = false;
  const int value = number.toInt(&ok, base);
  if (!ok || value < 0 || value > 0xFF || number.startsWith(QLatin1Char('+'))) return std::nullopt;
  return value;
}

EepromReadHandler::EepromReadHandler(TApdDataPacket& eeRead, CalibrationReadouts& readouts)
    : eeRead_(eeRead), readouts_(readouts) {
  eeRead_.SetStringHandler([this](TApdDataPacket&, const QByteArray& text) { OnReply(text); });
}

void EepromReadHandler::OnReply(const QByteArray& text) {
  const QString reply = QString::fromLatin1(text);
  if (readBackMode) {
    EepromData = reply;
    eeRead_.Received = 1;
    eeRead_.SetEnabled(false);
    return;
  }
  if (!larkvaneSwTestRunning) {
    for (const Route& route : kRoutes) {
      if (eeRead_.StartString() == route.start) {
        readouts_.*route.readout = reply;
        break;
      }
    }
    eeRead_.SetEnabled(false);
    return;
  }
  eeRead_.Received = 1;
  eeRead_.SetEnabled(false);
  lastLarkvaneReply = reply;
}

}  // namespace ventari
