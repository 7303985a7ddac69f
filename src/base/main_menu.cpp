#include "base/main_menu.h"

namespace ventari {
namespace {

struct InitialEntry {
  MenuId id;
  const char* name;
  std::optional<MenuId> parent;
  const char* caption;
  bool visible;
  bool enabled;
};

// In menu order; hidden and disabled entries as at start.
constexpr InitialEntry kInitialEntries[] = {
    {MenuId::kFile1, "File1", {}, "&File", true, true},
    {MenuId::kResynchronise, "Resynchronise", MenuId::kFile1, "&Resynchronise", true, true},
    {MenuId::kPublish, "Publish", MenuId::kFile1, "&Publish to broker...", true, true},
    {MenuId::kExit1, "Exit1", MenuId::kFile1, "&Exit", true, true},
    {MenuId::kMode1, "Mode1", {}, "&Mode", true, true},
    {MenuId::kUVcontinuous, "UVcontinuous", MenuId::kMode1, "&UV continuous", true, true},
    {MenuId::kPolarcontinuous, "Polarcontinuous", MenuId::kMode1, "&Polar continuous", true, true},
    {MenuId::kConfiguration1, "Configuration1", {}, "&Configuration", true, true},
    {MenuId::kAnemcomms, "Anemcomms", MenuId::kConfiguration1, "&Anemometer comms", true, true},
    {MenuId::kAnemometertype1, "Anemometertype1", MenuId::kConfiguration1, "Anemometer &type", true,
     true},
    {MenuId::kOutputformat, "Outputformat", MenuId::kConfiguration1, "&Output formatting", true,
     true},
    {MenuId::kAlignment1, "Alignment1", MenuId::kConfiguration1, "A&lignment", true, true},
    {MenuId::kAlignUV, "AlignUV", MenuId::kAlignment1, "&Align UV", true, true},
    {MenuId::kAlignUVOffset, "AlignUVOffset", MenuId::kAlignment1, "A&lign UV offset", true, true},
    {MenuId::kAlignUVinverted, "AlignUVinverted", MenuId::kAlignment1, "Al&ign UV inverted", false,
     true},
    {MenuId::kAlignUVinvertedoffset, "AlignUVinvertedoffset", MenuId::kAlignment1,
     "Ali&gn UV inverted offset", false, true},
    {MenuId::kAveraging1, "Averaging1", MenuId::kConfiguration1, "A&veraging", true, true},
    {MenuId::kAnalogueoutputs, "Analogueoutputs", MenuId::kConfiguration1, "A&nalogue outputs",
     true, true},
    {MenuId::kHeating, "Heating", MenuId::kConfiguration1, "&Heating", true, true},
    {MenuId::kHeatingEnabled, "Enabled1", MenuId::kHeating, "&Enabled", true, true},
    {MenuId::kHeatingDisabled, "Disabled1", MenuId::kHeating, "&Disabled", true, true},
    {MenuId::kMi3AxisConfig, "Mi3AxisConfig", MenuId::kConfiguration1, "&Setup", false, true},
    {MenuId::kTerminal1, "Terminal1", {}, "&Terminal", false, true},
    {MenuId::kPorts, "Ports", {}, "&Ports", true, true},
    {MenuId::kDataDisplay, "DataDisplay", {}, "&Data Display", false, true},
    {MenuId::kTabular, "Tabular", {}, "Ta&bular Display", false, true},
    {MenuId::kGraph1, "Graph1", {}, "&Graph", true, true},
    {MenuId::kWindsock1, "Windsock1", {}, "&Windsock", false, true},
    {MenuId::kAlarm, "Alarm", {}, "&Alarm", false, true},
    {MenuId::kStatistics, "Statistics", {}, "&Statistics", true, true},
    {MenuId::kTest1, "Test1", {}, "T&est", false, false},
    {MenuId::kHelp, "Help", {}, "&Help", true, true},
    {MenuId::kAbout1, "About1", MenuId::kHelp, "&About", true, true},
    {MenuId::kTerminalcommandlist1, "Terminalcommandlist1", MenuId::kHelp, "&Contents", true, true},
};
static_assert(std::size(kInitialEntries) == kMenuEntryCount);

constexpr bool InMenuOrder() {
  for (std::size_t i = 0; i < std::size(kInitialEntries); ++i) {
    if (static_cast<std::size_t>(kInitialEntries[i].id) != i) return false;
  }
  return true;
}
static_assert(InMenuOrder(), "entries are listed in the order of their ids");

}  // namespace

MainMenu::MainMenu() {
  for (std::size_t i = 0; i < kMenuEntryCount; ++i) {
    const InitialEntry& e = kInitialEntries[i];
    entries_[i] = {e.id,      QString::fromLatin1(e.name),
                   e.parent,  QString::fromLatin1(e.caption),
                   e.visible, e.enabled,
                   false};
  }
}

}  // namespace ventari
