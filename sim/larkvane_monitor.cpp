#include "sim/larkvane_monitor.h"

#include <QString>
#include <QStringList>

namespace ventari::sim {
namespace {

// Low byte first: FAC 6-7, ENG 8-9, CAL 10-11, ROM 12-13.
constexpr std::uint8_t kChecksumCells[] = {0x05, 0x1C, 0x21, 0x4B, 0xD6, 0x93, 0x3F, 0x7A};
constexpr int kFirstChecksumCell = 6;
// The factory parameters the checksum covers (the serial number is in 0x32-0x37), and the
// alignment, kept apart from the cells a parameter upload writes.
constexpr int kFirstFactoryCell = 0x20;
constexpr int kLastFactoryCell = 0x3F;
constexpr int kAlignmentCell = 0x170;
constexpr int kAlignmentCells = 3;
constexpr std::uint8_t kFactoryAlignment[kAlignmentCells] = {0x12, 0xF4, 0x03};
constexpr int kD6Length = 58;

std::string Padded(const QString& text, int length) {
  return text.leftJustified(length, QLatin1Char(' '), true).toStdString();
}

}  // namespace

LarkvaneMonitor::LarkvaneMonitor(TwoAxisEeprom& eeprom) : eeprom_(eeprom) {
  for (int i = 0; i < static_cast<int>(std::size(kChecksumCells)); ++i) {
    eeprom_.SetCell(kFirstChecksumCell + i, kChecksumCells[i]);
  }
  for (int i = 0; i < kAlignmentCells; ++i)
    eeprom_.SetCell(kAlignmentCell + i, kFactoryAlignment[i]);
}

std::optional<std::string> LarkvaneMonitor::Command(const std::string& line, const Spoilt& spoilt) {
  const QString word = QString::fromStdString(line).trimmed().toUpper();
  if (word == "M1" || word == "M2") {
    // The mode command itself is the device's setting; it ends a debug listing.
    listing_ = Listing::kNone;
    return std::nullopt;
  }
  if (!eeprom_.Unlocked()) return std::nullopt;
  if (word == "M90" || word == "M92") {
    listing_ = word == "M90" ? Listing::kM90 : Listing::kM92;
    return std::string();
  }
  if (word == "D94") return spoilt.silent ? std::string() : D94();
  if (word == "D6") return spoilt.silent ? std::string() : D6(spoilt.garbled);
  return std::nullopt;
}

std::string LarkvaneMonitor::D94() {
  QString old;
  for (int i = 0; i < kAlignmentCells; ++i) {
    old += QString::asprintf("A%d:%02X    ", i + 1, eeprom_.Cell(kAlignmentCell + i));
  }
  for (int i = 0; i < kAlignmentCells; ++i) eeprom_.SetCell(kAlignmentCell + i, 0);
  const QString nominal = QStringLiteral("NOMINAL A1:00 A2:00 A3:00 OK  ");
  return "OLD" + Padded(old, 27) + "\r\n" + Padded(nominal, 30) + "\r\n";
}

int LarkvaneMonitor::FactoryChecksum() const {
  int sum = 0;
  for (int a = kFirstFactoryCell; a < kLastFactoryCell; a += 2) {
    sum += eeprom_.Cell(a) * 256 + eeprom_.Cell(a + 1);
  }
  for (int i = 0; i < kAlignmentCells; ++i) sum += eeprom_.Cell(kAlignmentCell + i);
  return sum & 0xFFFF;
}

std::string LarkvaneMonitor::D6(bool garbled) const {
  const int stored = eeprom_.Cell(7) * 256 + eeprom_.Cell(6);
  QString text =
      QString::asprintf("%04X %04X  ENG:%02X%02X CAL:%02X%02X ROM:%02X%02X", stored,
                        FactoryChecksum(), eeprom_.Cell(9), eeprom_.Cell(8), eeprom_.Cell(11),
                        eeprom_.Cell(10), eeprom_.Cell(13), eeprom_.Cell(12));
  if (garbled) text[6] = QLatin1Char('G');  // the new checksum's second digit
  return "FAC:" + Padded(text, kD6Length) + "\r\n";
}

std::string LarkvaneMonitor::DebugLine(std::mt19937& random, const Spoilt& spoilt) const {
  std::uniform_int_distribution<int> counts(0x0F00, 0x0FFF);
  std::uniform_int_distribution<int> small(0, 40);
  QString text;
  if (listing_ == Listing::kM90) {
    text = QString::asprintf("T1 %04X T2 %04X T3 %04X T4 %04X G %02X %02X", counts(random),
                             counts(random), counts(random), counts(random), small(random) + 8,
                             small(random) + 8);
  } else {
    text = QString::asprintf("U %+06.2f V %+06.2f D %03d S %05.2f Q %03d",
                             (small(random) - 20) / 10.0, (small(random) - 20) / 10.0,
                             small(random) * 9, small(random) / 4.0, 100 - small(random) / 8);
  }
  const int length = spoilt.shortLine ? kDebugLineLength - 1 : kDebugLineLength;
  return "\n" + Padded(text, length) + "\r";
}

}  // namespace ventari::sim
