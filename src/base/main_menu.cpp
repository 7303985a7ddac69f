#include "base/main_menu.h"

#include <stdexcept>

namespace ventari {
namespace {

struct InitialEntry {
  const char* name;
  const char* parent;
  const char* caption;
  bool visible;
  bool enabled;
};

// In menu order; hidden and disabled entries as at start.
constexpr InitialEntry kInitialEntries[] = {
    {"File1", "", "&File", true, true},
    {"Resynchronise", "File1", "&Resynchronise", true, true},
    {"Exit1", "File1", "&Exit", true, true},
    {"Mode1", "", "&Mode", true, true},
    {"UVcontinuous", "Mode1", "&UV continuous", true, true},
    {"Polarcontinuous", "Mode1", "&Polar continuous", true, true},
    {"Configuration1", "", "&Configuration", true, true},
    {"Anemcomms", "Configuration1", "&Anemometer comms", true, true},
    {"Anemometertype1", "Configuration1", "Anemometer &type", true, true},
    {"Outputformat", "Configuration1", "&Output formatting", true, true},
    {"Alignment1", "Configuration1", "A&lignment", true, true},
    {"AlignUV", "Alignment1", "&Align UV", true, true},
    {"AlignUVOffset", "Alignment1", "A&lign UV offset", true, true},
    {"AlignUVinverted", "Alignment1", "Al&ign UV inverted", false, true},
    {"AlignUVinvertedoffset", "Alignment1", "Ali&gn UV inverted offset", false, true},
    {"Averaging1", "Configuration1", "A&veraging", true, true},
    {"Analogueoutputs", "Configuration1", "A&nalogue outputs", true, true},
    {"Heating", "Configuration1", "&Heating", true, true},
    {"Enabled1", "Heating", "&Enabled", true, true},
    {"Disabled1", "Heating", "&Disabled", true, true},
    {"Mi3AxisConfig", "Configuration1", "&Setup", false, true},
    {"Terminal1", "", "&Terminal", false, true},
    {"Ports", "", "&Ports", true, true},
    {"DataDisplay", "", "&Data Display", false, true},
    {"Tabular", "", "Ta&bular Display", false, true},
    {"Graph1", "", "&Graph", true, true},
    {"Windsock1", "", "&Windsock", false, true},
    {"Alarm", "", "&Alarm", false, true},
    {"Test1", "", "T&est", false, false},
    {"Help", "", "&Help", true, true},
    {"About1", "Help", "&About", true, true},
    {"Terminalcommandlist1", "Help", "&Contents", true, true},
};

}  // namespace

MainMenu::MainMenu() {
  for (const auto& e : kInitialEntries) {
    entries_.push_back({QString::fromLatin1(e.name), QString::fromLatin1(e.parent),
                        QString::fromLatin1(e.caption), e.visible, e.enabled, false});
  }
}

MenuEntry& MainMenu::Entry(const QString& name) {
  for (auto& entry : entries_) {
    if (entry.name == name) return entry;
  }
  throw std::out_of_range("no menu entry " + name.toStdString());
}

const MenuEntry& MainMenu::Entry(const QString& name) const {
  return const_cast<MainMenu*>(this)->Entry(name);
}

}  // namespace ventari
