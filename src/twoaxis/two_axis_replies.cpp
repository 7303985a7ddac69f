#include "twoaxis/two_axis_replies.h"

namespace ventari {
namespace {

// The text without its leading control characters and blanks.
QByteArray Trimmed(const QByteArray& text) {
  qsizetype start = 0;
  while (start < text.size() && static_cast<unsigned char>(text[start]) <= 32) ++start;
  return text.mid(start);
}

// Reads the fields of a D3 reply in a fixed order, each the `count` digits after the first
// occurrence of its letter. The first field that is not a number stops the reading.
class FieldReader {
 public:
  FieldReader(const QByteArray& text, TwoAxisSettingsReply& reply) : text_(text), reply_(reply) {}

  std::optional<int> Field(char letter, int count = 1) {
    if (reply_.error) return std::nullopt;
    const qsizetype at = text_.indexOf(letter);
    if (at < 0) return std::nullopt;
    const QByteArray chars = text_.mid(at + 1, count);
    bool ok = chars.size() == count;
    for (char c : chars) ok = ok && c >= '0' && c <= '9';
    if (!ok) {
      reply_.error = "'" + chars.toStdString() + "' is not a valid integer value";
      return std::nullopt;
    }
    return chars.toInt();
  }

 private:
  const QByteArray& text_;
  TwoAxisSettingsReply& reply_;
};

// Rate digit to (rate index, samples per second), Kestrix and Larkvane alike for 1 to 3.
struct Rate {
  int index;
  int samplesPerSecond;
};

Rate KestrixRate(int digit) {
  switch (digit) {
    case 2:
      return {2, 4};
    case 3:
      return {1, 2};
    case 4:
      return {3, 5};
    case 5:
      return {4, 8};
    case 6:
      return {5, 10};
    default:
      return {0, 1};
  }
}

Rate LarkvaneRate(int digit) { return digit == 2 || digit == 3 ? KestrixRate(digit) : Rate{0, 1}; }

int KestrixBaudIndex(int digit) {
  constexpr int kIndex[] = {-1, 2, 3, 4, 5, 6, 1, 0};  // by digit 0 .. 7
  return digit >= 1 && digit <= 7 ? kIndex[digit] : -1;
}

}  // namespace

std::string NotAVersionMessage(const QString& text) {
  return "'" + text.toStdString() + "' is not a valid floating point value";
}

TwoAxisIdentification ReadD1Reply(const QByteArray& text) {
  const QByteArray reply = Trimmed(text);
  return {QString::fromLatin1(reply.left(1)), QString::fromLatin1(reply.mid(1, 6))};
}

TwoAxisVersion ReadD2Reply(const QByteArray& text) {
  const QByteArray version = Trimmed(text).left(4);
  TwoAxisVersion result{QString::fromLatin1(version), std::nullopt};
  bool ok = false;
  const double number = version.toDouble(&ok);
  if (ok) result.number = number;
  return result;
}

QString ReadLarkvaneD2Reply(const QByteArray& text) {
  const QByteArray reply = Trimmed(text);
  return QString::fromLatin1(reply.mid(5, 1) + QByteArrayLiteral(".") + reply.mid(6, 2));
}

TwoAxisSettingsReply ReadD3Reply(const QByteArray& text) {
  TwoAxisSettingsReply r;
  FieldReader f(text, r);
  r.sonicOutputs = f.Field('A');
  if (auto d = f.Field('B')) r.baudRate = KestrixBaudIndex(*d);
  if (auto d = f.Field('C')) r.wrapAround = *d - 1;
  if (auto d = f.Field('E')) r.duplex = *d - 1;
  if (auto d = f.Field('F')) {
    // 1-3: eight bits with none, even, odd parity; 4-6: seven bits.
    const bool known = *d >= 1 && *d <= 6;
    r.dataBits = known ? (*d - 1) / 3 : -1;
    r.parity = known ? (*d - 1) % 3 : -1;
  }
  if (auto g = f.Field('G', 4)) {
    r.averagingPeriodText = QString::fromLatin1(text.mid(text.indexOf('G') + 1, 4));
    r.averagingPeriod = *g;
  }
  if (auto d = f.Field('H')) r.heating = *d != 1;
  r.analogueTests = f.Field('J');
  if (auto d = f.Field('K')) r.nmeaStyle = *d - 1;
  if (auto d = f.Field('L')) r.messageTerm = *d - 1;
  r.messageMode = f.Field('M');
  if (auto d = f.Field('O')) r.fieldFormat = *d - 1;
  if (auto d = f.Field('P')) {
    const Rate rate = KestrixRate(*d);
    r.outputRate = rate.index;
    r.samplesPerSecond = rate.samplesPerSecond;
  }
  if (auto d = f.Field('T')) r.analogueType = *d - 1;
  r.unitsDigit = f.Field('U');
  if (auto d = f.Field('V')) r.verticalPad = *d - 1;
  if (auto d = f.Field('X'); d && *d >= 1 && *d <= 4) r.alignment = *d - 1;
  if (auto d = f.Field('Y')) r.chan3Config = *d - 1;
  if (auto d = f.Field('Z')) r.scaling = *d - 1;
  return r;
}

TwoAxisSettingsReply ReadLarkvaneD3Reply(const QByteArray& text) {
  TwoAxisSettingsReply r;
  FieldReader f(text, r);
  if (auto d = f.Field('B')) r.lvBaudRate = *d >= 1 && *d <= 5 ? *d - 1 : -1;
  if (auto d = f.Field('F')) {
    const bool known = *d >= 1 && *d <= 3;
    r.dataBits = known ? 0 : -1;
    r.parity = known ? *d - 1 : -1;
  }
  if (auto d = f.Field('L')) r.messageTerm = *d - 1;
  r.messageMode = f.Field('M');
  if (auto d = f.Field('O')) r.fieldFormat = *d - 1;
  if (auto d = f.Field('P')) {
    const Rate rate = LarkvaneRate(*d);
    r.outputRate = rate.index;
    r.samplesPerSecond = rate.samplesPerSecond;
  }
  if (auto d = f.Field('S')) r.lvAnalogueRange = *d == 3 ? 1 : *d == 6 ? 2 : *d == 9 ? 0 : -1;
  if (auto d = f.Field('C')) r.lvWrap = *d == 1 ? 0 : *d == 2 ? 1 : -1;
  if (auto d = f.Field('T')) r.lvAnalogueMode = *d == 1 ? 0 : *d == 2 ? 1 : -1;
  r.unitsDigit = f.Field('U');
  return r;
}

}  // namespace ventari
