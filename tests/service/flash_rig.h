// What the flash programming tests share: S-record files written on the spot, and a Kestrix II
// board in the flash programmer ("sim:boot") with the programmer and the "Flash &memory" page
// over a whole core on virtual time.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "service/flash_page_model.h"
#include "service/flash_programmer.h"
#include "sim/boot_board.h"
#include "support/sim_session.h"

namespace ventari::test {

// Bytes that differ from their neighbours and from the erased 0xFF, so that a byte sent to the
// wrong place or echoed wrongly shows.
inline std::vector<std::uint8_t> FirmwareBytes(std::size_t count, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(count);
  for (std::size_t i = 0; i < count; ++i) {
    bytes[i] = static_cast<std::uint8_t>((i * 7 + seed + (i >> 8)) % 0xFF);
  }
  return bytes;
}

// Writes `bytes` from `address` on as S1 records of 32 bytes (S2 where the address needs it),
// between an S0 header and an S9 end record.
inline void WriteSRecords(const QString& path, std::uint32_t address,
                          const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  file.write("S00600004844521B\n");
  for (std::size_t at = 0; at < bytes.size(); at += 32) {
    const std::size_t count = std::min<std::size_t>(32, bytes.size() - at);
    const std::uint32_t recordAddress = address + static_cast<std::uint32_t>(at);
    const bool wide = recordAddress + count > 0x10000;
    const int addressBytes = wide ? 3 : 2;
    std::vector<std::uint8_t> body;
    body.push_back(static_cast<std::uint8_t>(count + addressBytes + 1));
    for (int shift = (addressBytes - 1) * 8; shift >= 0; shift -= 8) {
      body.push_back(static_cast<std::uint8_t>(recordAddress >> shift));
    }
    body.insert(body.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
    unsigned sum = 0;
    for (const std::uint8_t b : body) sum += b;
    body.push_back(static_cast<std::uint8_t>(~sum));
    QByteArray line = wide ? "S2" : "S1";
    for (const std::uint8_t b : body)
      line += QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
    file.write(line + "\n");
  }
  file.write("S9030000FC\n");
}

// A 2500-byte kernel for the H8/3337 ("fp3337.s") and a 60 KB application ("ventari.s") in the
// srecords folder; the page set up for a Kestrix II whose remembered firmware is "ventari".
struct FlashRig {
  static constexpr std::size_t kKernelBytes = 2500;
  static constexpr std::size_t kApplicationBytes = 60 * 1024;

  FlashRig() {
    folder.SetRoot(s.dir.path());
    QDir(s.dir.path()).mkpath(QStringLiteral("srecords"));
    WriteSRecords(folder.SRecords() + "fp3337.s", kH8_3337KernelBase, kernel);
    WriteSRecords(folder.SRecords() + "ventari.s", 0, application);
    s.session.link().port.SetName(sim::SimulatedPorts::kBootName);
    programmer.AddPortReader([this] { ++detached; }, [this] { ++reattached; });
    test.sensor = SensorState::kKestrix2Unheated;
    names.Kestrix2_Srec = QStringLiteral("ventari");
    s.prompts.answers = {PromptButton::kYes};
  }

  QStringList Log() const {
    const auto& lines = programmer.Log().Lines();
    return QStringList(lines.begin(), lines.end());
  }
  // The page shown, then "&Program".
  void ProgramFromPage() {
    page.Show();
    page.BtnProgram1Click();
  }

  SimSession s;
  ServiceLink link{s.rt,
                   s.session.link().port,
                   s.session.link().matcherGroup,
                   s.session.link().matchers,
                   s.session.link().channel,
                   s.session.anemometer().state,
                   s.prompts};
  sim::BootBoard& board = *s.ports.BoardFor(sim::SimulatedPorts::kBootName);
  FlashProgrammer programmer{link};
  ProductionTest test;
  ServiceFolder folder;
  ServiceFileNames names;
  std::vector<TestPage> moves;
  FlashPageModel page{
      {s.prompts, test, folder, names, programmer, [this](TestPage to) { moves.push_back(to); }}};
  std::vector<std::uint8_t> kernel = FirmwareBytes(kKernelBytes, 1);
  std::vector<std::uint8_t> application = FirmwareBytes(kApplicationBytes, 2);
  int detached = 0;
  int reattached = 0;
};

}  // namespace ventari::test
