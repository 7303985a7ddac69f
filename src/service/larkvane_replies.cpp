#include "service/larkvane_replies.h"

#include <algorithm>

namespace ventari {
namespace {

bool AllHex(const QString& text, int length) {
  return text.size() == length && std::all_of(text.begin(), text.end(), [](QChar c) {
           const char l = c.toLatin1();
           return (l >= '0' && l <= '9') || (l >= 'A' && l <= 'F') || (l >= 'a' && l <= 'f');
         });
}

}  // namespace

D94Reply ParseD94Reply(const QByteArray& text) {
  const QString reply = QString::fromLatin1(text);
  return {reply.left(27), reply.mid(29, 30)};
}

std::optional<D6Reply> ParseD6Reply(const QByteArray& text) {
  const QString reply = QString::fromLatin1(text);
  D6Reply parsed{reply.left(4), reply.mid(5, 2), reply.mid(7, 2)};
  if (!AllHex(parsed.high, 2) || !AllHex(parsed.low, 2)) return std::nullopt;
  parsed.highValue = static_cast<std::uint8_t>(parsed.high.toUInt(nullptr, 16));
  parsed.lowValue = static_cast<std::uint8_t>(parsed.low.toUInt(nullptr, 16));
  return parsed;
}

QString D6NewChecksumText(const QByteArray& text) { return QString::fromLatin1(text.mid(5, 4)); }

bool IsDebugLine(const QByteArray& line) { return line.size() == kDebugLineLength; }

}  // namespace ventari
