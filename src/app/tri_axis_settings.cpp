#include "app/tri_axis_settings.h"

#include <algorithm>

#include "app/tri_axis_question.h"
#include "base/anem_state.h"
#include "link/command_channel.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_listing.h"
#include "triaxisconfig/tri_axis_setup.h"

namespace ventari {
namespace {

const QString kAveraging = QStringLiteral("Averaging");
const QString kPcAvgMinutes = QStringLiteral("PcAvgMinutes");
const QString kBaudField = QStringLiteral("Baud");

// The field names of the drop-down lists, in the order of kTriAxisChoices.
constexpr std::array<const char*, kTriAxisChoices.size()> kChoiceFields = {
    "ReportMode", "SosMode",       "AbsTempMode", "StrFormat", "Terminator", "Echo", "MessageMode",
    "Baud",       "Instantaneous", "FsDef",       "DirWrap",   "Ctone",      "Align"};

QString ChannelField(int channel) { return QStringLiteral("Aip[%1]").arg(channel); }

QStringList Numbers(int from, int to) {
  QStringList values;
  for (int i = from; i <= to; ++i) values.append(QString::number(i));
  return values;
}

int ChoiceOf(const QString& field) {
  for (std::size_t i = 0; i < kChoiceFields.size(); ++i) {
    if (field == QLatin1String(kChoiceFields.at(i))) return static_cast<int>(i);
  }
  return -1;
}

int ChannelOf(const QString& field) {
  for (int channel = 1; channel <= TriAxisSetup::kChannels; ++channel) {
    if (field == ChannelField(channel)) return channel;
  }
  return 0;
}

SettingOutcome Outcome(bool confirmed, const QString& field, const QString& message = {}) {
  if (confirmed) return {};
  return {SettingOutcome::Result::kNotConfirmed,
          message.isEmpty() ? QStringLiteral("The anemometer did not acknowledge %1.").arg(field)
                            : message};
}

}  // namespace

std::vector<SettingField> TriAxisSettings::Fields() const {
  const TriAxisConfig& config = setup_.Config();
  std::vector<SettingField> fields;
  const auto addChoice = [&fields](int choice) {
    QStringList values;
    for (const std::string_view item : kTriAxisChoices.at(static_cast<std::size_t>(choice)).items) {
      values.append(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
    }
    fields.push_back({QLatin1String(kChoiceFields.at(static_cast<std::size_t>(choice))), values});
  };
  for (int choice = 0; choice < kBaudChoice; ++choice) {
    if (choice != kMessageModeChoice) addChoice(choice);
  }
  fields.push_back({kAveraging, Numbers(kMinAveraging, kMaxAveraging)});
  addChoice(kBaudChoice);
  if (config.InstantaneousAvailable) addChoice(kInstantaneousChoice);
  if (setup_.ChannelsEnabled()) {
    for (int channel = 1; channel <= TriAxisSetup::kChannels; ++channel) {
      fields.push_back({ChannelField(channel), {QStringLiteral("off"), QStringLiteral("on")}});
    }
  }
  for (int choice = kInstantaneousChoice + 1; choice < static_cast<int>(kTriAxisChoices.size());
       ++choice) {
    addChoice(choice);
  }
  fields.push_back({kPcAvgMinutes, Numbers(0, kMaxPcAvgMinutes)});
  return fields;
}

std::optional<int> TriAxisSettings::Current(const QString& field) const {
  const TriAxisConfig& config = setup_.Config();
  if (const int choice = ChoiceOf(field); choice >= 0) {
    const int value = config.*kTriAxisChoices.at(static_cast<std::size_t>(choice)).field;
    return value < 0 ? std::nullopt : std::optional<int>(value);
  }
  if (const int channel = ChannelOf(field); channel > 0) {
    return config.Aip.at(static_cast<std::size_t>(channel - 1)) ? 1 : 0;
  }
  if (field == kAveraging) {
    bool number = false;
    const int value = config.Averaging.toInt(&number);
    if (!number || value < 1 || value > kMaxAveraging) return std::nullopt;
    return value - 1;
  }
  if (field == kPcAvgMinutes) return config.PcAvgMinutes;
  return std::nullopt;
}

SettingOutcome TriAxisSettings::ApplyOne(const QString& field, int value) {
  if (const int choice = ChoiceOf(field); choice >= 0) {
    return Outcome(setup_.Choose(choice, value), field, setup_.BaudReport());
  }
  if (const int channel = ChannelOf(field); channel > 0) {
    return Outcome(setup_.ChannelClick(channel, value != 0), field);
  }
  if (field == kAveraging) {
    setup_.AveragingFocused();
    setup_.SetAveragingText(QString::number(value + 1));
    return Outcome(setup_.BtnAvgSetClick(), field);
  }
  if (field == kPcAvgMinutes) {
    setup_.SetPcAvgMinutes(value);
    return {};
  }
  return {SettingOutcome::Result::kNotConfirmed, QStringLiteral("No setting %1.").arg(field)};
}

std::vector<SettingOutcome> TriAxisSettings::Apply(
    const std::vector<std::pair<QString, int>>& requests) {
  std::vector<std::pair<QString, int>> ordered = requests;
  // The baud rate changes the line: it goes last.
  std::stable_partition(ordered.begin(), ordered.end(),
                        [](const auto& request) { return request.first != kBaudField; });
  setup_.Open();
  if (!channel_.InConfigMode()) {
    setup_.Close();
    return {{SettingOutcome::Result::kNoConfigMode,
             QStringLiteral("The anemometer did not enter configuration mode.")}};
  }
  std::vector<SettingOutcome> outcomes;
  for (const auto& [field, value] : ordered) outcomes.push_back(ApplyOne(field, value));
  setup_.Close();
  return outcomes;
}

void TriAxisSettings::ReadBack() {
  channel_.EnterTriAxisPrompt();
  AskTriAxis(channel_, listing_, TriAxisReply::kConfig, channel_.Timeout.Interval());
  channel_.LeaveConfigMode();
}

}  // namespace ventari
