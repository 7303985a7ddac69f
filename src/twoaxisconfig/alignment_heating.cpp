#include "twoaxisconfig/alignment_heating.h"

#include "twoaxisconfig/config_exchange.h"
#include "twoaxisconfig/setting_command.h"

namespace ventari {
namespace {

constexpr AlignmentMark kAlignments[] = {AlignmentMark::kUv, AlignmentMark::kUvOffset,
                                         AlignmentMark::kUvInverted,
                                         AlignmentMark::kUvInvertedOffset};

}  // namespace

MenuId AlignmentEntry(AlignmentMark alignment) {
  switch (alignment) {
    case AlignmentMark::kUvOffset:
      return MenuId::kAlignUVOffset;
    case AlignmentMark::kUvInverted:
      return MenuId::kAlignUVinverted;
    case AlignmentMark::kUvInvertedOffset:
      return MenuId::kAlignUVinvertedoffset;
    case AlignmentMark::kUv:
    case AlignmentMark::kNone:
      break;
  }
  return MenuId::kAlignUV;
}

SettingOutcome AlignmentHeating::Align(AlignmentMark alignment) {
  return RunConfigExchange(p_, {}, [this, alignment] {
    p_.channel.SendLine(Setting('X', static_cast<int>(alignment) + 1));
    for (AlignmentMark mark : kAlignments) {
      p_.window.menu.Check(AlignmentEntry(mark), mark == alignment);
    }
    p_.config.Alignment = alignment;
    return SettingOutcome{};
  });
}

SettingOutcome AlignmentHeating::Heat(bool on) {
  return RunConfigExchange(p_, {}, [this, on] {
    p_.channel.SendLine(on ? "H2" : "H1");
    p_.window.menu.Check(MenuId::kHeatingEnabled, on);
    p_.window.menu.Check(MenuId::kHeatingDisabled, !on);
    p_.config.Heating = on;
    return SettingOutcome{};
  });
}

}  // namespace ventari
