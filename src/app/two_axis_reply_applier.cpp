#include "app/two_axis_reply_applier.h"

#include "app/mode_commands.h"
#include "link/system_matchers.h"

namespace ventari {
namespace {

void RaiseIfMalformed(const TwoAxisSettingsReply& reply) {
  if (reply.error) throw ReplyConversionError(*reply.error);
}

}  // namespace

TwoAxisReplyApplier::TwoAxisReplyApplier(SystemMatchers& matchers, AnemState& state, MainMenu& menu,
                                         TwoAxisConfig& config, TwoAxisDialogLayout& layout,
                                         ModeCommands& modes, LiveWindows& windows)
    : matchers_(matchers),
      state_(state),
      menu_(menu),
      config_(config),
      layout_(layout),
      modes_(modes),
      windows_(windows) {
  auto handler = [this](void (TwoAxisReplyApplier::*read)(const QByteArray&)) {
    return [this, read](TApdDataPacket& sender, const QByteArray& text) {
      sender.Received = 1;
      (this->*read)(text);
    };
  };
  matchers_.D1Packet.SetStringHandler(handler(&TwoAxisReplyApplier::OnD1Packet));
  matchers_.D2Packet.SetStringHandler(handler(&TwoAxisReplyApplier::OnD2Packet));
  matchers_.D3Packet.SetStringHandler(handler(&TwoAxisReplyApplier::OnD3Packet));
  matchers_.LarkvaneD2Packet.SetStringHandler(handler(&TwoAxisReplyApplier::OnLarkvaneD2Packet));
  matchers_.LarkvaneD3Packet.SetStringHandler(handler(&TwoAxisReplyApplier::OnLarkvaneD3Packet));
}

void TwoAxisReplyApplier::Apply(const TwoAxisIdentification& reply) {
  state_.TypeCode = reply.typeCode;
  state_.SerialNumber = reply.serialNumber;
  if (reply.typeCode == QLatin1String("E")) {
    state_.Model = AnemModel::kUnheatedKestrix2;
    state_.ModelCaption = QStringLiteral("Unheated Kestrix 2");
    menu_.Hide(MenuId::kHeating);
    state_.PictureFile = QStringLiteral("Kestrix2.jpg");
    matchers_.D2Packet.SetEnabled(true);
  } else if (reply.typeCode == QLatin1String("F")) {
    state_.Model = AnemModel::kHeatedKestrix2;
    state_.ModelCaption = QStringLiteral("Heated Kestrix 2");
    menu_.Show(MenuId::kHeating);
    state_.PictureFile = QStringLiteral("Kestrix2.jpg");
    matchers_.D2Packet.SetEnabled(true);
  } else if (reply.typeCode == QLatin1String("Y")) {
    state_.Model = AnemModel::kLarkvane;
    state_.ModelCaption = QStringLiteral("Larkvane");
    menu_.Hide(MenuId::kHeating);
    state_.PictureFile = QStringLiteral("Larkvane2.jpg");
    ApplyLarkvaneLayout(layout_, menu_);
    matchers_.LarkvaneD2Packet.SetEnabled(true);
  }
}

void TwoAxisReplyApplier::Apply(const TwoAxisVersion& reply) {
  state_.SoftwareVersion = reply.text;
  if (!reply.number) throw ReplyConversionError(NotAVersionMessage(reply.text));
  menu_.Show(MenuId::kAlignUVinverted, *reply.number >= 3.0);
  menu_.Show(MenuId::kAlignUVinvertedoffset, *reply.number >= 3.0);
  matchers_.D3Packet.SetEnabled(true);
}

void TwoAxisReplyApplier::ApplyLarkvane(const QString& version) {
  state_.SoftwareVersion = version;
  matchers_.LarkvaneD3Packet.SetEnabled(true);
}

void TwoAxisReplyApplier::ApplyOutputRate(int samplesPerSecond) {
  config_.SamplesPerSecond = samplesPerSecond;
  windows_.SamplesPerSecondChanged(samplesPerSecond);
}

void TwoAxisReplyApplier::ApplyUnits(int digit) {
  if (digit - 1 == config_.OutputUnits) return;
  config_.OutputUnits = digit - 1;
  windows_.ApplyUnitScales();
}

// In the order the reply's letters are read: the mode command a reply triggers sees the
// settings read before it, and not those after it.
void TwoAxisReplyApplier::ApplyKestrix(const TwoAxisSettingsReply& r) {
  if (r.sonicOutputs) config_.SonicOutputs = *r.sonicOutputs;
  if (r.baudRate) config_.BaudRate = *r.baudRate;
  if (r.wrapAround) config_.WrapAround = *r.wrapAround;
  if (r.duplex) config_.Duplex = *r.duplex;
  if (r.dataBits) config_.DataBits = *r.dataBits;
  if (r.parity) config_.Parity = *r.parity;
  if (r.averagingPeriod) {
    config_.AveragingPeriodText = *r.averagingPeriodText;
    config_.AveragingPeriod = *r.averagingPeriod;
  }
  if (r.heating) {
    config_.Heating = *r.heating;
    menu_.Check(MenuId::kHeatingEnabled, *r.heating);
    menu_.Check(MenuId::kHeatingDisabled, !*r.heating);
  }
  if (r.analogueTests) config_.AnalogueTests = *r.analogueTests;
  if (r.nmeaStyle) config_.NmeaStyle = *r.nmeaStyle;
  if (r.messageTerm) config_.MessageTerm = *r.messageTerm;
  if (r.messageMode) {
    if (*r.messageMode == 1) {
      modes_.UvCommand();
    } else if (*r.messageMode == 2) {
      modes_.PolarCommand();
    } else {
      config_.MessageMode = MessageModeMark::kNeither;
      menu_.Check(MenuId::kUVcontinuous, false);
      menu_.Check(MenuId::kPolarcontinuous, false);
    }
  }
  if (r.fieldFormat) config_.FieldFormat = *r.fieldFormat;
  if (r.outputRate) {
    config_.OutputRate = *r.outputRate;
    ApplyOutputRate(*r.samplesPerSecond);
  }
  if (r.analogueType) config_.AnalogueType = *r.analogueType;
  if (r.unitsDigit) {
    ApplyUnits(*r.unitsDigit);
    menu_.Show(MenuId::kWindsock1, *r.unitsDigit == 1 && menu_.IsChecked(MenuId::kPolarcontinuous));
  }
  if (r.verticalPad) config_.VerticalPad = *r.verticalPad;
  if (r.alignment) {
    config_.Alignment = static_cast<AlignmentMark>(*r.alignment);
    constexpr MenuId kEntries[] = {MenuId::kAlignUV, MenuId::kAlignUVOffset,
                                   MenuId::kAlignUVinverted, MenuId::kAlignUVinvertedoffset};
    for (int i = 0; i < 4; ++i) menu_.Check(kEntries[i], i == *r.alignment);
  }
  if (r.chan3Config) config_.Chan3Config = *r.chan3Config;
  if (r.scaling) config_.Scaling = *r.scaling;
  RaiseIfMalformed(r);
}

void TwoAxisReplyApplier::ApplyLarkvane(const TwoAxisSettingsReply& r) {
  if (r.lvBaudRate) config_.LvBaudRate = *r.lvBaudRate;
  if (r.dataBits) config_.DataBits = *r.dataBits;
  if (r.parity) config_.Parity = *r.parity;
  if (r.messageTerm) config_.MessageTerm = *r.messageTerm;
  if (r.messageMode) {
    const int d = *r.messageMode;
    state_.LvMessageMode = d;
    config_.MessageMode = d == 1   ? MessageModeMark::kUv
                          : d == 2 ? MessageModeMark::kPolar
                                   : MessageModeMark::kNeither;
    menu_.Check(MenuId::kUVcontinuous, d == 1);
    menu_.Check(MenuId::kPolarcontinuous, d == 2);
  }
  if (r.fieldFormat) config_.FieldFormat = *r.fieldFormat;
  if (r.outputRate) {
    config_.LvOutputRate = *r.outputRate;
    ApplyOutputRate(*r.samplesPerSecond);
  }
  if (r.lvAnalogueRange) config_.LvAnalogueRange = *r.lvAnalogueRange;
  if (r.lvWrap) config_.LvWrap = *r.lvWrap;
  if (r.lvAnalogueMode) config_.LvAnalogueMode = *r.lvAnalogueMode;
  if (r.unitsDigit) ApplyUnits(*r.unitsDigit);
  RaiseIfMalformed(r);
}

}  // namespace ventari
