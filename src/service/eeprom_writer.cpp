#include "service/eeprom_writer.h"

namespace ventari {

QString KestrixWriteText(int address, std::uint8_t value) {
  return QStringLiteral("W %1 %2").arg(address).arg(value);
}

QString LarkvaneWriteText(int address, std::uint8_t value) {
  return QStringLiteral("W %1 %2").arg(QString::number(address, 16).toUpper(),
                                       QString::number(value, 16).toUpper());
}

void EepromWriter::Keep(int address, std::uint8_t value) {
  if (address < 0 || address >= static_cast<int>(kEepromImageSize)) return;
  test_.eepromImage[static_cast<std::size_t>(address)] = value;
  test_.written[static_cast<std::size_t>(address)] = true;
}

void EepromWriter::KestrixWriteNow(int address, std::uint8_t value) {
  Keep(address, value);
  link_.port.PutString((KestrixWriteText(address, value) + QStringLiteral("\r\n")).toStdString());
}

void EepromWriter::KestrixWrite(int address, std::uint8_t value) {
  KestrixWriteNow(address, value);
  link_.channel.Delay(1);  // one timer tick
}

void EepromWriter::LarkvaneCommand(const QString& text, int address, std::uint8_t value) {
  Keep(address, value);
  link_.channel.Command(text.toStdString());
}

void EepromWriter::AsciiTransfer(const QByteArray& text) {
  for (const char c : text) {
    if (c == '\n') {
      link_.channel.Delay(kLineFeedMs);
      continue;
    }
    link_.port.PutChar(static_cast<std::uint8_t>(c));
    link_.channel.Delay(kCharacterMs);
  }
}

}  // namespace ventari
