#include "twoaxis/two_axis_replies.h"

#include <optional>

#include "app/mode_commands.h"
#include "link/system_matchers.h"

namespace ventari {
namespace {

// The text without its leading control characters and blanks.
QByteArray Trimmed(const QByteArray& text) {
  qsizetype start = 0;
  while (start < text.size() && static_cast<unsigned char>(text[start]) <= 32) ++start;
  return text.mid(start);
}

[[noreturn]] void NotANumber(const QByteArray& chars) {
  throw ReplyConversionError("'" + chars.toStdString() + "' is not a valid integer value");
}

// The number of `count` characters after the first `letter` in `text`; nothing when the letter
// is absent. Characters that are not a number raise ReplyConversionError.
std::optional<int> Field(const QByteArray& text, char letter, int count = 1) {
  const qsizetype at = text.indexOf(letter);
  if (at < 0) return std::nullopt;
  const QByteArray chars = text.mid(at + 1, count);
  bool ok = chars.size() == count;
  for (char c : chars) ok = ok && c >= '0' && c <= '9';
  if (!ok) NotANumber(chars);
  return chars.toInt();
}

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

TwoAxisReplies::TwoAxisReplies(SystemMatchers& matchers, AnemState& state, MainMenu& menu,
                               TwoAxisConfig& config, TwoAxisDialogLayout& layout,
                               ModeCommands& modes, const LiveWindows& windows)
    : matchers_(matchers),
      state_(state),
      menu_(menu),
      config_(config),
      layout_(layout),
      modes_(modes),
      windows_(windows) {
  auto handler = [](TwoAxisReplies* self, void (TwoAxisReplies::*read)(const QByteArray&)) {
    return [self, read](TApdDataPacket& sender, const QByteArray& text) {
      sender.Tag = 1;
      (self->*read)(text);
    };
  };
  matchers_.D1Packet.SetStringHandler(handler(this, &TwoAxisReplies::OnD1Packet));
  matchers_.D2Packet.SetStringHandler(handler(this, &TwoAxisReplies::OnD2Packet));
  matchers_.D3Packet.SetStringHandler(handler(this, &TwoAxisReplies::OnD3Packet));
  matchers_.LarkvaneD2Packet.SetStringHandler(handler(this, &TwoAxisReplies::OnLarkvaneD2Packet));
  matchers_.LarkvaneD3Packet.SetStringHandler(handler(this, &TwoAxisReplies::OnLarkvaneD3Packet));
}

void TwoAxisReplies::OnD1Packet(const QByteArray& text) {
  const QByteArray reply = Trimmed(text);
  state_.TypeCode = QString::fromLatin1(reply.left(1));
  state_.SerialNumber = QString::fromLatin1(reply.mid(1, 6));
  const QString heating = QStringLiteral("Heating");
  if (state_.TypeCode == QLatin1String("E")) {
    state_.Model = AnemModel::kUnheatedKestrix2;
    state_.ModelCaption = QStringLiteral("Unheated Kestrix 2");
    menu_.Hide(heating);
    state_.PictureFile = QStringLiteral("Kestrix2.jpg");
    matchers_.D2Packet.SetEnabled(true);
  } else if (state_.TypeCode == QLatin1String("F")) {
    state_.Model = AnemModel::kHeatedKestrix2;
    state_.ModelCaption = QStringLiteral("Heated Kestrix 2");
    menu_.Show(heating);
    state_.PictureFile = QStringLiteral("Kestrix2.jpg");
    matchers_.D2Packet.SetEnabled(true);
  } else if (state_.TypeCode == QLatin1String("Y")) {
    state_.Model = AnemModel::kLarkvane;
    state_.ModelCaption = QStringLiteral("Larkvane");
    menu_.Hide(heating);
    state_.PictureFile = QStringLiteral("Larkvane2.jpg");
    ApplyLarkvaneLayout(layout_, menu_);
    matchers_.LarkvaneD2Packet.SetEnabled(true);
  }
}

void TwoAxisReplies::OnD2Packet(const QByteArray& text) {
  const QByteArray version = Trimmed(text).left(4);
  state_.SoftwareVersion = QString::fromLatin1(version);
  bool ok = false;
  const double number = version.toDouble(&ok);
  if (!ok) {
    throw ReplyConversionError("'" + version.toStdString() +
                               "' is not a valid floating point value");
  }
  menu_.Show(QStringLiteral("AlignUVinverted"), number >= 3.0);
  menu_.Show(QStringLiteral("AlignUVinvertedoffset"), number >= 3.0);
  matchers_.D3Packet.SetEnabled(true);
}

void TwoAxisReplies::OnLarkvaneD2Packet(const QByteArray& text) {
  const QByteArray reply = Trimmed(text);
  state_.SoftwareVersion =
      QString::fromLatin1(reply.mid(5, 1) + QByteArrayLiteral(".") + reply.mid(6, 2));
  matchers_.LarkvaneD3Packet.SetEnabled(true);
}

void TwoAxisReplies::ApplyOutputRate(int samplesPerSecond) {
  config_.SamplesPerSecond = samplesPerSecond;
  CallIfSet(windows_.samplesPerSecondChanged, samplesPerSecond);
}

void TwoAxisReplies::ApplyUnits(int digit) {
  if (digit - 1 == config_.OutputUnits) return;
  config_.OutputUnits = digit - 1;
  CallIfSet(windows_.applyUnitScales);
}

void TwoAxisReplies::OnD3Packet(const QByteArray& text) {
  if (auto d = Field(text, 'A')) config_.SonicOutputs = *d;
  if (auto d = Field(text, 'B')) config_.BaudRate = KestrixBaudIndex(*d);
  if (auto d = Field(text, 'C')) config_.WrapAround = *d - 1;
  if (auto d = Field(text, 'E')) config_.Duplex = *d - 1;
  if (auto d = Field(text, 'F')) {
    // 1-3: eight bits with none, even, odd parity; 4-6: seven bits.
    const bool known = *d >= 1 && *d <= 6;
    config_.DataBits = known ? (*d - 1) / 3 : -1;
    config_.Parity = known ? (*d - 1) % 3 : -1;
  }
  if (auto g = Field(text, 'G', 4)) {
    config_.AveragingPeriodText = QString::fromLatin1(text.mid(text.indexOf('G') + 1, 4));
    config_.AveragingPeriod = *g;
  }
  if (auto d = Field(text, 'H')) {
    config_.Heating = *d != 1;
    menu_.Check(QStringLiteral("Enabled1"), *d != 1);
    menu_.Check(QStringLiteral("Disabled1"), *d == 1);
  }
  if (auto d = Field(text, 'J')) config_.AnalogueTests = *d;
  if (auto d = Field(text, 'K')) config_.NmeaStyle = *d - 1;
  if (auto d = Field(text, 'L')) config_.MessageTerm = *d - 1;
  if (auto d = Field(text, 'M')) {
    if (*d == 1) {
      modes_.UvCommand();
    } else if (*d == 2) {
      modes_.PolarCommand();
    } else {
      config_.MessageMode = MessageModeMark::kNeither;
      menu_.Check(QStringLiteral("UVcontinuous"), false);
      menu_.Check(QStringLiteral("Polarcontinuous"), false);
    }
  }
  if (auto d = Field(text, 'O')) config_.FieldFormat = *d - 1;
  if (auto d = Field(text, 'P')) {
    const Rate rate = KestrixRate(*d);
    config_.OutputRate = rate.index;
    ApplyOutputRate(rate.samplesPerSecond);
  }
  if (auto d = Field(text, 'T')) config_.AnalogueType = *d - 1;
  if (auto d = Field(text, 'U')) {
    ApplyUnits(*d);
    menu_.Show(QStringLiteral("Windsock1"),
               *d == 1 && menu_.Entry(QStringLiteral("Polarcontinuous")).checked);
  }
  if (auto d = Field(text, 'V')) config_.VerticalPad = *d - 1;
  if (auto d = Field(text, 'X'); d && *d >= 1 && *d <= 4) {
    config_.Alignment = static_cast<AlignmentMark>(*d - 1);
    const char* entries[] = {"AlignUV", "AlignUVOffset", "AlignUVinverted",
                             "AlignUVinvertedoffset"};
    for (int i = 0; i < 4; ++i) menu_.Check(QLatin1String(entries[i]), i == *d - 1);
  }
  if (auto d = Field(text, 'Y')) config_.Chan3Config = *d - 1;
  if (auto d = Field(text, 'Z')) config_.Scaling = *d - 1;
}

void TwoAxisReplies::OnLarkvaneD3Packet(const QByteArray& text) {
  if (auto d = Field(text, 'B')) config_.LvBaudRate = *d >= 1 && *d <= 5 ? *d - 1 : -1;
  if (auto d = Field(text, 'F')) {
    const bool known = *d >= 1 && *d <= 3;
    config_.DataBits = known ? 0 : -1;
    config_.Parity = known ? *d - 1 : -1;
  }
  if (auto d = Field(text, 'L')) config_.MessageTerm = *d - 1;
  if (auto d = Field(text, 'M')) {
    state_.LvMessageMode = *d;
    config_.MessageMode = *d == 1   ? MessageModeMark::kUv
                          : *d == 2 ? MessageModeMark::kPolar
                                    : MessageModeMark::kNeither;
    menu_.Check(QStringLiteral("UVcontinuous"), *d == 1);
    menu_.Check(QStringLiteral("Polarcontinuous"), *d == 2);
  }
  if (auto d = Field(text, 'O')) config_.FieldFormat = *d - 1;
  if (auto d = Field(text, 'P')) {
    const Rate rate = LarkvaneRate(*d);
    config_.LvOutputRate = rate.index;
    ApplyOutputRate(rate.samplesPerSecond);
  }
  if (auto d = Field(text, 'S')) {
    config_.LvAnalogueRange = *d == 3 ? 1 : *d == 6 ? 2 : *d == 9 ? 0 : -1;
  }
  if (auto d = Field(text, 'C')) config_.LvWrap = *d == 1 ? 0 : *d == 2 ? 1 : -1;
  if (auto d = Field(text, 'T')) config_.LvAnalogueMode = *d == 1 ? 0 : *d == 2 ? 1 : -1;
  if (auto d = Field(text, 'U')) ApplyUnits(*d);
}

}  // namespace ventari
