#include "app/two_axis_settings.h"

namespace ventari {
namespace {

const QString kHeating = QStringLiteral("Heating");
const QString kAlignment = QStringLiteral("Alignment");
const QString kAveragingPeriod = QStringLiteral("AveragingPeriod");
const QString kMessageMode = QStringLiteral("MessageMode");
constexpr MenuId kAlignmentEntries[] = {MenuId::kAlignUV, MenuId::kAlignUVOffset,
                                        MenuId::kAlignUVinverted, MenuId::kAlignUVinvertedoffset};

QStringList Values(const QStringList& captions) {
  QStringList values;
  for (const QString& caption : captions) values << ItemValue(caption);
  return values;
}

QStringList Seconds() {
  QStringList values;
  for (int s = 0; s <= AveragingDialog::kLongestPeriodS; ++s) values << QString::number(s);
  return values;
}

}  // namespace

TwoAxisSettings::TwoAxisSettings(TwoAxisDialogs& dialogs, ModeCommands& modes,
                                 const AnemState& state, TwoAxisConfig& config,
                                 const MainMenu& menu, std::function<void()> readBack)
    : dialogs_(dialogs),
      modes_(modes),
      state_(state),
      config_(config),
      menu_(menu),
      readBack_(std::move(readBack)) {}

std::vector<RadioDialogModel*> TwoAxisSettings::Dialogs() const {
  RadioDialogModel* analogue = state_.TypeCode == QLatin1String("Y")
                                   ? static_cast<RadioDialogModel*>(&dialogs_.lvAnalogue)
                                   : &dialogs_.analogue;
  std::vector<RadioDialogModel*> dialogs;
  if (Offered(MenuId::kAnalogueoutputs)) dialogs.push_back(analogue);
  if (Offered(MenuId::kOutputformat)) dialogs.push_back(&dialogs_.outputFormat);
  if (Offered(MenuId::kAnemcomms)) dialogs.push_back(&dialogs_.comms);
  return dialogs;
}

bool TwoAxisSettings::Offered(MenuId id) const {
  const MenuEntry& entry = menu_.Entry(id);
  return entry.visible && entry.enabled;
}

QStringList TwoAxisSettings::Alignments() const {
  QStringList values;
  for (MenuId id : kAlignmentEntries) {
    if (!menu_.Entry(id).visible) break;
    values << ItemValue(menu_.Entry(id).caption);
  }
  return values;
}

QStringList TwoAxisSettings::MessageModes() const {
  return {ItemValue(menu_.Entry(MenuId::kUVcontinuous).caption),
          ItemValue(menu_.Entry(MenuId::kPolarcontinuous).caption)};
}

std::vector<SettingField> TwoAxisSettings::Fields() const {
  std::vector<SettingField> fields;
  for (const RadioDialogModel* dialog : Dialogs()) {
    for (const RadioGroup& group : dialog->Groups()) {
      if (group.visible && group.enabled) fields.push_back({group.field, Values(group.items)});
    }
  }
  if (Offered(MenuId::kAlignment1)) fields.push_back({kAlignment, Alignments()});
  if (Offered(MenuId::kHeating)) {
    fields.push_back({kHeating,
                      {ItemValue(menu_.Entry(MenuId::kHeatingEnabled).caption),
                       ItemValue(menu_.Entry(MenuId::kHeatingDisabled).caption)}});
  }
  if (Offered(MenuId::kAveraging1)) fields.push_back({kAveragingPeriod, Seconds()});
  if (Offered(MenuId::kMode1)) fields.push_back({kMessageMode, MessageModes()});
  return fields;
}

std::optional<int> TwoAxisSettings::Current(const QString& field) const {
  if (field == kHeating) {
    if (!config_.Heating) return std::nullopt;
    return *config_.Heating ? 0 : 1;
  }
  if (field == kAlignment) {
    if (config_.Alignment == AlignmentMark::kNone) return std::nullopt;
    return static_cast<int>(config_.Alignment);
  }
  if (field == kAveragingPeriod) {
    if (config_.AveragingPeriod < 0) return std::nullopt;
    return config_.AveragingPeriod;
  }
  if (field == kMessageMode) {
    switch (config_.MessageMode) {
      case MessageModeMark::kUv:
        return 0;
      case MessageModeMark::kPolar:
        return 1;
      case MessageModeMark::kNeither:
        return std::nullopt;
    }
  }
  for (const RadioDialogModel* dialog : Dialogs()) {
    for (const RadioGroup& group : dialog->Groups()) {
      if (group.field != field) continue;
      const int selected = group.selected();
      if (selected < 0) return std::nullopt;
      return selected;
    }
  }
  return std::nullopt;
}

std::vector<SettingOutcome> TwoAxisSettings::Apply(
    const std::vector<std::pair<QString, int>>& requests) {
  std::vector<SettingOutcome> outcomes;
  for (const auto& [field, index] : requests) {
    if (field == kAlignment || field == kHeating || field == kAveragingPeriod ||
        field == kMessageMode) {
      outcomes.push_back(ApplyMenuSetting(field, index));
    }
  }
  for (RadioDialogModel* dialog : Dialogs()) {
    dialog->Activate();
    const auto groups = dialog->Groups();
    bool asked = false;
    for (const auto& [field, index] : requests) {
      for (std::size_t g = 0; g < groups.size(); ++g) {
        if (groups[g].field != field || !groups[g].visible || !groups[g].enabled) continue;
        dialog->Select(static_cast<int>(g), index);
        asked = true;
      }
    }
    if (asked) outcomes.push_back(dialog->Ok());
  }
  return outcomes;
}

SettingOutcome TwoAxisSettings::ApplyMenuSetting(const QString& field, int index) {
  if (field == kAlignment)
    return dialogs_.alignmentHeating.Align(static_cast<AlignmentMark>(index));
  if (field == kHeating) return dialogs_.alignmentHeating.Heat(index == 0);
  if (field == kAveragingPeriod) {
    dialogs_.averaging.Activate();
    dialogs_.averaging.SetText(QString::asprintf("%.4d", index));
    return dialogs_.averaging.Ok();
  }
  // The Mode menu's commands have no acknowledgement of their own: the read-back tells.
  if (index == 0) {
    modes_.UvCommand();
  } else {
    modes_.PolarCommand();
  }
  return {};
}

void TwoAxisSettings::ForgetOffered() {
  for (const RadioDialogModel* dialog : Dialogs()) {
    for (const RadioGroup& group : dialog->Groups()) {
      if (group.visible && group.enabled) group.select(-1);
    }
  }
  config_.Alignment = AlignmentMark::kNone;
  config_.Heating.reset();
  config_.AveragingPeriod = -1;
  config_.MessageMode = MessageModeMark::kNeither;
}

void TwoAxisSettings::ReadBack() {
  ForgetOffered();
  readBack_();
}

}  // namespace ventari
