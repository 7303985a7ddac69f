#include "service/eeprom_reads.h"

#include <algorithm>

#include "service/lv_dump.h"

namespace ventari {
namespace {

constexpr EndConditions kByString{.string = true};
constexpr EndConditions kBySize{.size = true};
constexpr int kLarkvaneReadSize = 10;
constexpr int kDumpAnswerMs = 3000;
constexpr int kDumpCharacters = 2000;
constexpr int kBitsPerCharacter = 11;

}  // namespace

int EepromReads::DumpBoundMs(std::int32_t baud) {
  const std::int64_t lineMs =
      static_cast<std::int64_t>(kDumpCharacters) * kBitsPerCharacter * 1000 / std::max(baud, 300);
  return kDumpAnswerMs + static_cast<int>(lineMs);
}

EepromReads::EepromReads(ServiceLink& link, EepromReadHandler& handler, ProductionTest& test)
    : link_(link),
      handler_(handler),
      test_(test),
      dump_{&link.matchers.LVeeDumpPacket1, &link.matchers.LVeeDumpPacket2,
            &link.matchers.LVeeDumpPacket3, &link.matchers.LVeeDumpPacket4} {
  for (std::size_t i = 0; i < dump_.size(); ++i) {
    dump_[i]->SetStringHandler([this, i](TApdDataPacket&, const QByteArray& text) {
      blocks_[i] = text;
      // The last block expected completes the dump: block 3 when block 4 is not awaited.
      if (i == 3 || (i == 2 && !dump_[3]->Enabled())) dump_[0]->Received = 1;
    });
  }
}

CellRead EepromReads::Await(int address, int base) {
  TApdDataPacket& matcher = handler_.Matcher();
  const bool replied =
      link_.channel.WaitFor([&matcher] { return matcher.Received != 0; }, kReplyBoundMs);
  handler_.readBackMode = false;
  matcher.SetEnabled(false);
  matcher.SetEndCond(kBySize);
  if (!replied) return {};
  const std::optional<int> value = ReadReplyValue(handler_.EepromData, base);
  if (!value) return {CellRead::Outcome::kNotANumber, 0};
  if (address >= 0 && address < static_cast<int>(kEepromImageSize)) {
    test_.eepromReadBack[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(*value);
    test_.readBackValid[static_cast<std::size_t>(address)] = true;
  }
  return {CellRead::Outcome::kValue, *value};
}

CellRead EepromReads::KestrixRead(int address) {
  TApdDataPacket& matcher = handler_.Matcher();
  const QString text = QStringLiteral("R %1\r\n").arg(address);
  handler_.readBackMode = true;
  matcher.SetEnabled(false);
  matcher.SetEndString("\r\n");
  matcher.SetEndCond(kByString);
  matcher.SetStartString(text.toLatin1());
  matcher.Received = 0;
  matcher.SetEnabled(true);
  link_.port.PutString(text.toStdString());
  return Await(address, 10);
}

CellRead EepromReads::LarkvaneRead(int address) {
  TApdDataPacket& matcher = handler_.Matcher();
  const QString cell = QStringLiteral("%1").arg(address, 2, 16, QLatin1Char('0')).toUpper();
  handler_.readBackMode = true;
  matcher.SetEnabled(false);
  matcher.SetEndCond(kBySize);
  matcher.SetPacketSize(kLarkvaneReadSize);
  matcher.SetStartString((QStringLiteral("R ") + cell + QStringLiteral("\r\r\n")).toLatin1());
  matcher.Received = 0;
  matcher.SetEnabled(true);
  link_.channel.Command((QStringLiteral("R ") + cell).toStdString());
  return Await(address, 16);
}

bool EepromReads::LarkvaneDump() {
  const auto parse = [this](const auto& layout) {
    bool complete = true;
    for (std::size_t i = 0; i < layout.size(); ++i) {
      if (!blocks_[i]) {
        complete = false;
        continue;
      }
      ParseDumpBlock(*blocks_[i], layout[i].base, test_.eepromReadBack, test_.readBackValid);
    }
    return complete;
  };
  const auto run = [this](const auto& layout, const char* command) {
    blocks_ = {};
    dump_[0]->Received = 0;
    dump_[1]->Received = 0;
    for (std::size_t i = 0; i < layout.size(); ++i) {
      dump_[i]->SetStartString(layout[i].start);
      dump_[i]->SetEnabled(true);
    }
    link_.channel.Command(command);
    const bool done = link_.channel.WaitFor([this] { return dump_[0]->Received != 0; },
                                            DumpBoundMs(link_.port.Line().baud));
    for (TApdDataPacket* matcher : dump_) matcher->SetEnabled(false);
    return done;
  };
  bool ok = run(kLarkvaneDump92, "D 92") && parse(kLarkvaneDump92);
  if (ok) ok = run(kLarkvaneDump93, "D 93") && parse(kLarkvaneDump93);
  for (std::size_t i = 0; i < kLarkvaneDump92.size(); ++i) {
    dump_[i]->SetStartString(kLarkvaneDump92[i].start);
  }
  return ok;
}

}  // namespace ventari
