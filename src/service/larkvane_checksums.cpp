#include "service/larkvane_checksums.h"

#include <QScopeGuard>

namespace ventari {
namespace {

constexpr EndConditions kBySize{.size = true};
constexpr int kReadReplySize = 10;
constexpr int kAfterReadMs = 100;
constexpr int kAfterAccessWordMs = 1000;
constexpr int kAfterLeavingMs = 1000;

}  // namespace

QString ChecksumText(std::optional<int> value) {
  return value ? QStringLiteral("%1").arg(*value, 2, 16, QLatin1Char('0')).toUpper()
               : QStringLiteral("--");
}

QString ChecksumLine(const LarkvaneChecksum& checksum, std::optional<int> value) {
  return QLatin1String(checksum.name) + QStringLiteral(" : ") + ChecksumText(value);
}

std::optional<int> LarkvaneChecksums::ReadCell(int address) {
  TApdDataPacket& matcher = handler_.Matcher();
  const QString cell = QStringLiteral("%1").arg(address, 2, 16, QLatin1Char('0')).toUpper();
  // While the software test reads, its start button is disabled: the reply is the test's.
  handler_.larkvaneSwTestRunning = true;
  const auto done = qScopeGuard([this] { handler_.larkvaneSwTestRunning = false; });
  matcher.SetEnabled(false);
  matcher.SetEndCond(kBySize);
  matcher.SetPacketSize(kReadReplySize);
  matcher.SetStartString((QStringLiteral("R ") + cell + QStringLiteral("\r\r\n")).toLatin1());
  matcher.Received = 0;
  matcher.SetEnabled(true);
  link_.channel.Command((QStringLiteral("R ") + cell).toStdString());
  link_.channel.Delay(kAfterReadMs);
  if (!link_.channel.WaitFor([&matcher] { return matcher.Received != 0; },
                             EepromReads::kReplyBoundMs)) {
    matcher.SetEnabled(false);
    return std::nullopt;
  }
  return ReadReplyValue(handler_.lastLarkvaneReply, 16);
}

ChecksumReading LarkvaneChecksums::Read(const std::function<void()>& unlocked) {
  ChecksumReading reading;
  link_.channel.EnterConfigMode();
  if (!link_.channel.InConfigMode()) {
    link_.channel.LeaveConfigMode();
    link_.channel.Delay(kAfterLeavingMs);
    return reading;
  }
  reading.configMode = true;
  link_.channel.Command("VESPRANT");
  link_.channel.Delay(kAfterAccessWordMs);
  if (unlocked) unlocked();
  reading.complete = true;
  for (std::size_t i = 0; i < kLarkvaneChecksums.size() && reading.complete; ++i) {
    const std::optional<int> low = ReadCell(kLarkvaneChecksums[i].lowCell);
    const std::optional<int> high = low ? ReadCell(kLarkvaneChecksums[i].lowCell + 1) : low;
    reading.complete = low && high;
    if (reading.complete) reading.values[i] = *high * 256 + *low;
  }
  link_.channel.LeaveConfigMode();
  link_.channel.Delay(kAfterLeavingMs);
  return reading;
}

}  // namespace ventari
