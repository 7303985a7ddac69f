#include "service/larkvane_final_assembly.h"

#include "service/larkvane_replies.h"

namespace ventari {
namespace {

const QString kCaption = QStringLiteral("PART C - Final assembly tests");
const QString kStart = QStringLiteral("&Start Test");
const QString kNext = QStringLiteral("&Next Test");
const QString kSetM2 = QStringLiteral("&Set M2");
const QString kFocus = QStringLiteral("BtnStartLVFinalAssyTest");
const QString kOkMark = QStringLiteral(" OK");
const QString kContinue = QStringLiteral("Click 'Next Test' to continue!");

constexpr int kAfterAccessWordMs = 1000;
constexpr int kAfterCommandMs = 100;
constexpr int kBeforeListingMs = 5000;

}  // namespace

LarkvaneFinalAssembly::LarkvaneFinalAssembly(ServiceLink& link, TestWindowModel& window,
                                             EepromWriter& writer)
    : link_(link),
      window_(window),
      writer_(writer),
      csum_(link.matchers.LVCsumDataPacket),
      debug_(link.matchers.LVDebugDataPacket),
      items_{QStringLiteral("&1    Nominal align reset"), QStringLiteral("&2    Check debug data")},
      caption_(kStart) {
  csum_.SetStringHandler([this](TApdDataPacket& sender, const QByteArray& text) {
    csumReply_ = text;
    sender.Received = 1;
  });
  debug_.SetStringHandler([this](TApdDataPacket&, const QByteArray& line) { OnDebugLine(line); });
  window_.AddEnterHook(TestPage::kPartC, [this] {
    selected_ = 0;
    changed_.Notify();
    window_.RequestFocus(kFocus);
  });
}

LarkvaneFinalAssembly::~LarkvaneFinalAssembly() {
  csum_.SetStringHandler(nullptr);
  debug_.SetStringHandler(nullptr);
}

bool LarkvaneFinalAssembly::DebugDataOk() const {
  return items_[kDebugCheck] == QStringLiteral("&2    Check debug data OK");
}

void LarkvaneFinalAssembly::ForgetUnit() {
  for (QString& item : items_) {
    if (item.endsWith(kOkMark)) item.chop(kOkMark.size());
  }
  alignment_.clear();
  changed_.Notify();
}

void LarkvaneFinalAssembly::SelectCheck(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  selected_ = index;
  changed_.Notify();
}

void LarkvaneFinalAssembly::SetFinishEnabled(bool enabled) {
  finishEnabled_ = enabled;
  changed_.Notify();
}

void LarkvaneFinalAssembly::Append(const QString& line) {
  list_ << line;
  changed_.Notify();
}

void LarkvaneFinalAssembly::SetBusy(bool busy) {
  busy_ = busy;
  buttonEnabled_ = !busy;
  changed_.Notify();
}

void LarkvaneFinalAssembly::Say(const QString& text) { link_.prompts.ShowMessage(text, kCaption); }

void LarkvaneFinalAssembly::Stopped() {
  busy_ = false;
  buttonEnabled_ = true;
  finishEnabled_ = true;
  changed_.Notify();
  window_.RequestFocus(kFocus);
}

void LarkvaneFinalAssembly::BtnStartLVFinalAssyTestClick() {
  if (!buttonEnabled_) return;
  if (caption_ == kStart) {
    StartTest();
  } else if (caption_ == kNext) {
    DebugTest(debugStep_);
  } else if (caption_ == kSetM2) {
    SetM2();
  }
}

void LarkvaneFinalAssembly::BtnFinishClick() {
  if (!finishEnabled_) return;
  const PromptButton answer = link_.prompts.Ask(
      QStringLiteral("Click OK to finish or Cancel to return to test selection page."),
      QStringLiteral("Larkvane Tests complete."), {PromptButton::kOk, PromptButton::kCancel});
  if (answer == PromptButton::kOk) {
    window_.OKBtnClick();
  } else {
    window_.GoTo(TestPage::kSelectTest);
  }
}

void LarkvaneFinalAssembly::ArmCsum(const char* start) {
  csum_.SetEnabled(false);
  csum_.SetStartString(start);
  csumReply_.reset();
  csum_.Received = 0;
  csum_.SetEnabled(true);
}

std::optional<QByteArray> LarkvaneFinalAssembly::AwaitCsum() {
  link_.channel.WaitFor([this] { return csumReply_.has_value(); }, kReplyBoundMs);
  return csumReply_;
}

void LarkvaneFinalAssembly::DisarmCsum() {
  csum_.SetEnabled(false);
  csum_.SetStartString("OLD");
  csum_.Received = 0;
}

void LarkvaneFinalAssembly::StartTest() {
  Say(QStringLiteral("Put Anemometer head in shroud."));
  finishEnabled_ = false;
  SetBusy(true);
  list_.clear();
  Append(QStringLiteral("Initialising..."));
  link_.channel.EnterConfigMode();
  if (!link_.channel.InConfigMode()) {
    // The channel has said that the anemometer did not answer.
    Stopped();
    return;
  }
  ArmCsum("OLD");
  link_.channel.Command("VESPRANT");
  link_.channel.Delay(kAfterAccessWordMs);
  link_.channel.Command("D94");
  link_.channel.Delay(kAfterCommandMs);
  const std::optional<QByteArray> d94 = AwaitCsum();
  if (!d94) {
    DisarmCsum();
    link_.channel.LeaveConfigMode();
    Say(QStringLiteral("The anemometer did not answer D94: the test stopped."));
    Stopped();
    return;
  }
  const D94Reply reply = ParseD94Reply(*d94);
  list_.clear();
  alignment_ = reply.alignment;
  Append(QStringLiteral("OLD ") + reply.oldAlignment);
  Append(alignment_);
  ArmCsum("FAC:");
  link_.channel.Command("D6");
  if (HandleD6(AwaitCsum(), false) != D6Outcome::kWritten) {
    link_.channel.LeaveConfigMode();
    Stopped();
  }
}

void LarkvaneFinalAssembly::RequestReportD6() {
  ArmCsum("FAC:");
  link_.channel.Command("D6");
}

LarkvaneFinalAssembly::D6Outcome LarkvaneFinalAssembly::AwaitReportD6() {
  return HandleD6(AwaitCsum(), true);
}

LarkvaneFinalAssembly::D6Outcome LarkvaneFinalAssembly::HandleD6(
    const std::optional<QByteArray>& text, bool reportMode) {
  DisarmCsum();
  if (!text) {
    if (!reportMode) Say(QStringLiteral("The anemometer did not answer D6: the test stopped."));
    return D6Outcome::kNoReply;
  }
  const std::optional<D6Reply> reply = ParseD6Reply(*text);
  if (!reply) {
    Say(QStringLiteral("The new factory checksum \"%1\" in the anemometer's reply is not hex "
                       "digits: nothing was written.")
            .arg(D6NewChecksumText(*text)));
    return D6Outcome::kNotHex;
  }
  if (!reportMode) Append(QStringLiteral("Old checksum = ") + reply->oldChecksum);
  writer_.LarkvaneCommand(QStringLiteral("W 7 ") + reply->high, 7, reply->highValue);
  link_.channel.Delay(kAfterCommandMs);
  writer_.LarkvaneCommand(QStringLiteral("W 6 ") + reply->low, 6, reply->lowValue);
  link_.channel.Delay(kAfterCommandMs);
  if (!reportMode) {
    Append(QStringLiteral("New checksum = ") + reply->high + reply->low);
    link_.channel.LeaveConfigMode();
    link_.channel.SlowWait();
    busy_ = false;
    caption_ = kNext;
    buttonEnabled_ = true;
    window_.RequestFocus(kFocus);
    Append(kContinue);
  }
  return D6Outcome::kWritten;
}

void LarkvaneFinalAssembly::DebugTest(int step) {
  if (step == 0) {
    selected_ = kDebugCheck;
  }
  SetBusy(true);
  if (step == 0) list_.clear();
  Append(QStringLiteral("Please wait..."));
  link_.channel.EnterConfigMode();
  if (!link_.channel.InConfigMode()) {
    Stopped();
    return;
  }
  link_.channel.Command("VESPRANT");
  link_.channel.Delay(kAfterCommandMs);
  link_.channel.Command(step == 0 ? "M90" : "M92");
  link_.channel.Delay(kAfterCommandMs);

  link_.channel.LeaveConfigMode();
  link_.channel.Delay(kBeforeListingMs);
  link_.port.FlushInBuffer();
  lineCount_ = 0;
  listing_ = Listing::kTaking;
  debug_.SetEnabled(false);
  debug_.SetAutoEnable(true);
  debug_.SetEnabled(true);
  if (step == 0) {
    list_.clear();
    Append(QStringLiteral("M90 Debug"));
  } else {
    Append(QStringLiteral("M92 Debug"));
  }
  const bool ended =
      link_.channel.WaitFor([this] { return listing_ != Listing::kTaking; }, kListingBoundMs);
  debug_.SetAutoEnable(false);
  debug_.SetEnabled(false);
  const Listing outcome = listing_;
  listing_ = Listing::kIdle;
  if (!ended) {
    Say(QStringLiteral("The anemometer sent no complete debug listing: the test stopped."));
    Stopped();
    return;
  }
  if (outcome == Listing::kBadLine) {
    Say(QStringLiteral("A debug line of %1 characters came in place of %2: the test stopped.")
            .arg(badLineLength_)
            .arg(kDebugLineLength));
    Stopped();
    return;
  }
  busy_ = false;
  buttonEnabled_ = true;
  if (step == 0) {
    debugStep_ = 1;
    Append(kContinue);
    window_.RequestFocus(kFocus);
    return;
  }
  debugStep_ = 0;
  caption_ = kSetM2;
  changed_.Notify();
  window_.RequestFocus(kFocus);
  const bool ok = link_.prompts.Ask(QStringLiteral("Debug data OK?"), kCaption,
                                    {PromptButton::kYes, PromptButton::kNo}) == PromptButton::kYes;
  // The answer judges this run's listings: an earlier run's answer does not stand.
  QString& item = items_[kDebugCheck];
  if (item.endsWith(kOkMark)) item.chop(kOkMark.size());
  if (ok) item += kOkMark;
  Append(QStringLiteral("1. Click 'Set M2' to put Larkvane into Polar mode"));
  Append(QStringLiteral("2. Click finish to end tests"));
}

void LarkvaneFinalAssembly::OnDebugLine(const QByteArray& line) {
  debug_.SetEnabled(false);
  debug_.SetAutoEnable(false);
  if (listing_ != Listing::kTaking) return;
  if (lineCount_ >= kListingLines) {
    listing_ = Listing::kComplete;
    return;
  }
  if (!IsDebugLine(line)) {
    badLineLength_ = static_cast<int>(line.size());
    listing_ = Listing::kBadLine;
    return;
  }
  Append(QString::fromLatin1(line));
  ++lineCount_;
  debug_.SetAutoEnable(true);
  debug_.SetEnabled(true);
}

void LarkvaneFinalAssembly::SetM2() {
  SetBusy(true);
  caption_ = kStart;
  list_.clear();
  link_.channel.EnterConfigMode();
  if (link_.channel.InConfigMode()) {
    link_.channel.Delay(kAfterCommandMs);
    link_.channel.Command("M2");
    link_.channel.LeaveConfigMode();
    link_.channel.SlowWait();
    list_.clear();
    Append(QStringLiteral("Tests completed"));
  }
  Stopped();
}

}  // namespace ventari
