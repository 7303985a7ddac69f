#include "triaxisconfig/tri_axis_setup.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace ventari {
namespace {

constexpr int kBaud19200 = 3;
// The answer of an anemometer has ended when the line was quiet this many characters.
constexpr int kQuietCharacters = 4;
constexpr int kQuietBoundMs = 1000;
// How long a rate is tried after an unconfirmed change, and for how long in all: an anemometer
// goes back to its old rate 5 s after a change that "B" did not confirm.
constexpr int kAnswerWaitMs = 1000;
constexpr int kFindRateMs = 8000;

const QByteArray kAcknowledged = QByteArrayLiteral("V");
const QByteArray kAveragingAcknowledged = QByteArrayLiteral("VA");
const QByteArray kBaudAcknowledged = QByteArrayLiteral("Co");

// The lists whose change alters what a data record holds or how it is written, or what a log's
// header says of it: the report mode, the speed of sound, the absolute temperature, the string
// format and the ASCII terminator change the fields and bytes of every record; the instantaneous
// output changes the record rate a log's header states; the direction wrap and the UVW alignment
// change what the fields mean. Echo, message mode (set back to continuous output when Setup
// closes), analogue output scale and tone leave the record as it is; so does the baud rate
// unless it switches the analogue inputs off.
constexpr std::array<std::string_view, 8> kRecordKeywords = {
    "WINDREP", "SOSREP", "ABSTEMP", "STRFMT", "ASCTERM", "INST", "POLARWRAP", "ALIGNUVW"};

bool AltersRecord(const TriAxisConfig& config, int choice, int item) {
  const std::string_view keyword = kTriAxisChoices.at(static_cast<std::size_t>(choice)).keyword;
  if (std::ranges::find(kRecordKeywords, keyword) != kRecordKeywords.end()) return true;
  // Below 19200 baud the analogue inputs are switched off first.
  return choice == kBaudChoice && item < kBaud19200 &&
         std::ranges::any_of(config.Aip, [](bool on) { return on; });
}

// A log running through a change of the record's layout or format would be read with the old
// one to its end: the change is refused, with the message shown.
bool RefusedWhileLogging(const TabularDisplay& tabular, Prompts& prompts) {
  if (!tabular.Logging() && !tabular.BinaryLogOpen()) return false;
  prompts.ShowMessage(QStringLiteral("Stop logging before changing the output format."),
                      QStringLiteral("Information"));
  return true;
}

std::int32_t BaudOf(int item) {
  return std::stoi(std::string(kBaudItems.at(static_cast<std::size_t>(item))));
}

int BaudItemOf(std::int32_t baud) {
  for (std::size_t i = 0; i < kBaudItems.size(); ++i) {
    if (BaudOf(static_cast<int>(i)) == baud) return static_cast<int>(i);
  }
  return -1;
}

// Puts a value back when the exchange that changed it ends without being kept, also when it
// ends with an error.
template <typename T>
class Revert {
 public:
  explicit Revert(T& value) : value_(value), saved_(value) {}
  ~Revert() {
    if (!keep_) value_ = saved_;
  }
  Revert(const Revert&) = delete;
  Revert& operator=(const Revert&) = delete;
  void Keep() { keep_ = true; }
  const T& Saved() const { return saved_; }

 private:
  T& value_;
  T saved_;
  bool keep_ = false;
};

}  // namespace

// Marks a change as running for its whole length, however it ends.
class TriAxisSetup::BusyScope {
 public:
  explicit BusyScope(TriAxisSetup& setup) : setup_(setup) {
    setup_.busy_ = true;
    setup_.Notify();
  }
  ~BusyScope() {
    setup_.busy_ = false;
    setup_.Notify();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  TriAxisSetup& setup_;
};

TriAxisSetup::TriAxisSetup(const Parts& parts) : p_(parts), replies_(parts.runtime, parts.port) {
  p_.matchers.TriVerifyPkt.SetStringHandler(
      [](TApdDataPacket& sender, const QByteArray&) { sender.Received = 1; });
}

void TriAxisSetup::Open() {
  // Closing a live window can stop the data with "EXIT"; configuration mode comes after.
  p_.liveWindows.CloseForSetup();
  // No record is collected from the configuration mode's answers; the data's restart when Setup
  // closes arms the collector of the format then set.
  p_.matchers.TriAxisAsciiPkt.SetEnabled(false);
  p_.matchers.TriAxisBinaryPkt.SetEnabled(false);
  p_.channel.EnterTriAxisPrompt();
  shown_ = true;
  p_.window.SetEnabled(false);
  channelsEnabled_ = p_.config.Baud >= kBaud19200;
  baudReport_.clear();
  Notify();
}

void TriAxisSetup::Close() {
  if (!shown_) return;
  shown_ = false;
  p_.window.SetEnabled(true);
  Notify();
  // A window still shown needs the data in the layout now set.
  if (p_.liveWindows.AnyWindowShown()) {
    p_.liveWindows.StartContinuous();
  } else {
    p_.channel.LeaveConfigMode();
  }
}

bool TriAxisSetup::Exchange(const std::string& command, const QByteArray& start, int waitMs) {
  TApdDataPacket& collector = p_.matchers.TriVerifyPkt;
  collector.SetEnabled(false);
  collector.SetStartString(start);
  collector.SetPacketSize(static_cast<int>(start.size()) + 1);
  collector.Received = 0;
  replies_.Begin(start);
  collector.SetEnabled(true);
  // The collector waits for the plain acknowledgement again however the exchange ends.
  struct Reset {
    TApdDataPacket& collector;
    ~Reset() {
      collector.SetEnabled(false);
      collector.SetStartString(kAcknowledged);
      collector.SetPacketSize(2);
    }
  } reset{collector};
  p_.channel.Command(command);
  const bool acknowledged = p_.channel.WaitFor(
      [this, &collector] { return collector.Received != 0 && replies_.Acknowledged(); }, waitMs);
  return acknowledged;
}

bool TriAxisSetup::Choose(int choice, int item) {
  if (busy_ || choice < 0 || choice >= static_cast<int>(kTriAxisChoices.size())) return false;
  if (AltersRecord(p_.config, choice, item) && RefusedWhileLogging(p_.tabular, p_.prompts)) {
    Notify();
    return false;
  }
  BusyScope busy(*this);
  if (choice == kBaudChoice) return BaudChange(item);
  if (choice == kStrFormatChoice) return StrFormatChange(item);
  return SendSetting(choice, item);
}

bool TriAxisSetup::SendSetting(int choice, int item) {
  const TriAxisChoice& setting = kTriAxisChoices.at(static_cast<std::size_t>(choice));
  const std::string command = ChoiceCommand(setting, item);
  if (command.empty()) return false;
  // Each list goes back to its own value.
  Revert<int> revert(p_.config.*setting.field);
  p_.config.*setting.field = item;
  Notify();
  if (!Exchange(command, kAcknowledged, kVerifyMs)) return false;
  revert.Keep();
  if (choice == kReportModeChoice) {
    const bool polar = p_.config.ReportsPolar() && !p_.config.IsBinary();
    p_.window.menu.Show(MenuId::kWindsock1, polar);
    p_.window.menu.Show(MenuId::kAlarm, polar);
  }
  return true;
}

bool TriAxisSetup::StrFormatChange(int item) {
  const bool acknowledged = SendSetting(kStrFormatChoice, item);
  const bool ascii = !p_.config.IsBinary();
  p_.window.menu.Show(MenuId::kGraph1, ascii);
  p_.window.menu.Show(MenuId::kWindsock1, ascii && p_.config.ReportsPolar());
  p_.window.menu.Show(MenuId::kAlarm, ascii && p_.config.ReportsPolar());
  return acknowledged;
}

bool TriAxisSetup::SendChannel(int channel, bool enable) {
  bool& box = p_.config.Aip.at(static_cast<std::size_t>(channel - 1));
  Revert<bool> revert(box);
  box = enable;
  Notify();
  const std::string command =
      "ANAIP " + std::to_string(channel) + (enable ? std::string(" E") : std::string(" D"));
  if (!Exchange(command, kAcknowledged, kVerifyMs)) return false;
  revert.Keep();
  return true;
}

bool TriAxisSetup::ChannelClick(int channel, bool checked) {
  if (!shown_ || busy_ || channel < 1 || channel > kChannels) return false;
  // An analogue input is a field of the record.
  if (RefusedWhileLogging(p_.tabular, p_.prompts)) {
    Notify();
    return false;
  }
  BusyScope busy(*this);
  return SendChannel(channel, checked);
}

void TriAxisSetup::AveragingFocused() { focusAveraging_ = p_.config.Averaging; }

void TriAxisSetup::SetAveragingText(const QString& text) {
  p_.config.Averaging = text;
  Notify();
}

void TriAxisSetup::AveragingKeyReleased(bool digitOrEnter) {
  if (digitOrEnter) return;
  SetAveragingText(QString());
}

bool TriAxisSetup::BtnAvgSetClick() {
  if (busy_) return false;
  bool number = false;
  const int value = p_.config.Averaging.trimmed().toInt(&number);
  // A text that is no number is never sent.
  if (!number || value < kMinAveraging || value > kMaxAveraging) return false;
  // The log's header states the output rate.
  if (RefusedWhileLogging(p_.tabular, p_.prompts)) {
    SetAveragingText(focusAveraging_);
    return false;
  }
  BusyScope busy(*this);
  Revert<QString> revert(p_.config.Averaging);
  const QString text = QString::number(value);
  p_.config.Averaging = text;
  if (!Exchange("AVERAGE " + text.toStdString(), kAveragingAcknowledged, kVerifyMs)) {
    // Back to the text the edit had when it got the focus.
    p_.config.Averaging = focusAveraging_;
    revert.Keep();
    return false;
  }
  revert.Keep();
  focusAveraging_ = text;
  return true;
}

void TriAxisSetup::SetPcAvgMinutes(int minutes) {
  minutes = std::clamp(minutes, 0, 60);
  if (minutes == p_.config.PcAvgMinutes) return;
  // The log's lines would change from records to averages.
  if (RefusedWhileLogging(p_.tabular, p_.prompts)) {
    Notify();
    return;
  }
  p_.config.PcAvgMinutes = minutes;
  if (minutes > 0) {
    p_.window.menu.Hide(MenuId::kWindsock1);
    p_.graph.SetClearEnabled(false);
  } else {
    if (p_.config.ReportsPolar() && !p_.config.IsBinary()) p_.window.menu.Show(MenuId::kWindsock1);
    p_.graph.SetClearEnabled(true);
  }
  p_.tabular.PcAveragingChanged();
  Notify();
}

void TriAxisSetup::WaitLineQuiet() {
  const std::int64_t characterMs =
      static_cast<std::int64_t>(std::ceil(10000.0 / std::max(1, p_.port.Line().baud)));
  const std::int64_t quietMs = std::max<std::int64_t>(1, kQuietCharacters * characterMs);
  const std::int64_t deadline = p_.runtime.NowMs() + kQuietBoundMs;
  for (;;) {
    const std::int64_t now = p_.runtime.NowMs();
    const std::int64_t quietFor = now - replies_.LastByteMs();
    if (quietFor >= quietMs || now >= deadline) return;
    p_.channel.WaitFor([] { return false; },
                       static_cast<int>(std::min(quietMs - quietFor, deadline - now)));
  }
}

bool TriAxisSetup::AnswersAt(std::int32_t baud) {
  p_.port.FlushInBuffer();
  p_.port.SetBaud(baud);
  replies_.Begin({});
  p_.channel.SendReturn();
  return p_.channel.WaitFor([this] { return replies_.Prompted(); }, kAnswerWaitMs);
}

std::int32_t TriAxisSetup::FindAnsweringRate(std::int32_t oldBaud, std::int32_t newBaud) {
  const std::int64_t deadline = p_.runtime.NowMs() + kFindRateMs;
  while (p_.runtime.NowMs() < deadline) {
    if (AnswersAt(oldBaud)) return oldBaud;
    if (AnswersAt(newBaud)) {
      WaitLineQuiet();
      if (Exchange("B", kAcknowledged, kBaudConfirmMs)) return newBaud;
    }
  }
  return 0;
}

bool TriAxisSetup::BaudChange(int item) {
  TriAxisConfig& config = p_.config;
  if (item < 0 || item >= static_cast<int>(kBaudItems.size()) || item == config.Baud) return false;
  const bool allChannels = std::ranges::all_of(config.Aip, [](bool on) { return on; });
  if (config.SosMode > 0 && config.AbsTempMode > 0 && config.StrFormat > 0 && allChannels &&
      item < kBaud19200) {
    p_.prompts.ShowMessage(
        QStringLiteral("Anemometer output string too large to set selected baud."),
        QStringLiteral("Information"));
    return false;
  }
  if (item < kBaud19200) {
    for (int channel = 1; channel <= kChannels; ++channel) {
      if (config.Aip.at(static_cast<std::size_t>(channel - 1))) SendChannel(channel, false);
    }
    channelsEnabled_ = false;
  }
  baudReport_.clear();
  Revert<int> revert(config.Baud);
  config.Baud = item;
  Notify();
  if (!Exchange("BAUD " + std::string(kBaudItems.at(static_cast<std::size_t>(item))),
                kBaudAcknowledged, kVerifyMs)) {
    channelsEnabled_ = revert.Saved() >= kBaud19200;
    return false;
  }
  // The answer goes out at the old rate: the line changes once it has ended.
  WaitLineQuiet();
  const std::int32_t oldBaud = p_.port.Line().baud;
  const std::int32_t newBaud = BaudOf(item);
  p_.port.FlushInBuffer();
  p_.port.FlushOutBuffer();
  p_.port.SetBaud(newBaud);
  if (Exchange("B", kAcknowledged, kBaudConfirmMs)) {
    revert.Keep();
    channelsEnabled_ = item >= kBaud19200;
    return true;
  }
  const std::int32_t answering = FindAnsweringRate(oldBaud, newBaud);
  if (answering == 0) {
    p_.port.SetBaud(oldBaud);
    channelsEnabled_ = revert.Saved() >= kBaud19200;
    baudReport_ = QStringLiteral(
                      "The anemometer did not confirm %1 baud and does not answer at %1 or %2 "
                      "baud. Check its connection, then click File>Resynchronise.")
                      .arg(newBaud)
                      .arg(oldBaud);
    p_.prompts.ShowMessage(baudReport_, QStringLiteral("Warning"));
    return false;
  }
  config.Baud = BaudItemOf(answering);
  revert.Keep();
  channelsEnabled_ = config.Baud >= kBaud19200;
  baudReport_ = answering == newBaud
                    ? QStringLiteral(
                          "The anemometer confirmed %1 baud only when asked again. The port "
                          "is set to %1 baud.")
                          .arg(newBaud)
                    : QStringLiteral(
                          "The anemometer did not confirm %1 baud and answers at %2 baud. "
                          "The port is set to %2 baud.")
                          .arg(newBaud)
                          .arg(answering);
  p_.prompts.ShowMessage(baudReport_, QStringLiteral("Information"));
  return answering == newBaud;
}

}  // namespace ventari
