#include "service/readout_reads.h"

#include "service/eeprom_reads.h"

namespace ventari {

QString& ReadoutReads::Readout(int address) const {
  switch (address) {
    case 75:
      return readouts_.SOSOffsetLower;
    case 76:
      return readouts_.SOSOffsetUpper;
    case 82:
      return readouts_.CurrentAxis1;
    case 83:
      return readouts_.CurrentAxis2;
    case 84:
      return readouts_.CurrentAxis3;
    default:
      break;
  }
  return readouts_.EngChecksum;
}

void ReadoutReads::Read(int address, int waitMs) {
  QString& readout = Readout(address);
  readout.clear();
  TApdDataPacket& matcher = handler_.Matcher();
  const QByteArray text = QStringLiteral("R %1\r\n").arg(address).toLatin1();
  handler_.readBackMode = false;
  matcher.SetEnabled(false);
  matcher.SetEndString("\r\n");
  matcher.SetEndCond({.string = true});
  matcher.SetStartString(text);
  matcher.SetEnabled(true);
  link_.port.PutString(text.toStdString());
  link_.channel.Delay(waitMs);
  if (readout.isEmpty() && waitMs < EepromReads::kReplyBoundMs) {
    link_.channel.WaitFor([&readout] { return !readout.isEmpty(); },
                          EepromReads::kReplyBoundMs - waitMs);
  }
  // A reply that did not come must not land in this read-out during the next read.
  matcher.SetEnabled(false);
}

void ReadoutReads::Restore() { handler_.Matcher().SetEndCond({.size = true}); }

std::optional<int> ReadoutReads::Value(int address) { return ReadReplyValue(Readout(address), 10); }

}  // namespace ventari
