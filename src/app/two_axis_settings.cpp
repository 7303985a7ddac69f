#include "app/two_axis_settings.h"

namespace ventari {
namespace {

const QString kHeating = QStringLiteral("Heating");
const QString kAlignment = QStringLiteral("Alignment");
constexpr MenuId kAlignmentEntries[] = {MenuId::kAlignUV, MenuId::kAlignUVOffset,
                                        MenuId::kAlignUVinverted, MenuId::kAlignUVinvertedoffset};

QStringList Values(const QStringList& captions) {
  QStringList values;
  for (const QString& caption : captions) values << ItemValue(caption);
  return values;
}

}  // namespace

TwoAxisSettings::TwoAxisSettings(TwoAxisDialogs& dialogs, const AnemState& state,
                                 TwoAxisConfig& config, const MainMenu& menu,
                                 std::function<void()> readBack)
    : dialogs_(dialogs),
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
    if (field == kAlignment) {
      outcomes.push_back(dialogs_.alignmentHeating.Align(static_cast<AlignmentMark>(index)));
    } else if (field == kHeating) {
      outcomes.push_back(dialogs_.alignmentHeating.Heat(index == 0));
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

void TwoAxisSettings::ForgetOffered() {
  for (const RadioDialogModel* dialog : Dialogs()) {
    for (const RadioGroup& group : dialog->Groups()) {
      if (group.visible && group.enabled) group.select(-1);
    }
  }
  config_.Alignment = AlignmentMark::kNone;
  config_.Heating.reset();
}

void TwoAxisSettings::ReadBack() {
  ForgetOffered();
  readBack_();
}

}  // namespace ventari
