// The main window's menu as a model: every entry by its id, with caption, visibility, enabled
// state and check mark. The logic changes it; the window mirrors it when told.
#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <optional>

#include "base/change_notifier.h"

namespace ventari {

// Every entry, in menu order.
enum class MenuId {
  kFile1,
  kResynchronise,
  kPublish,
  kExit1,
  kMode1,
  kUVcontinuous,
  kPolarcontinuous,
  kConfiguration1,
  kAnemcomms,
  kAnemometertype1,
  kOutputformat,
  kAlignment1,
  kAlignUV,
  kAlignUVOffset,
  kAlignUVinverted,
  kAlignUVinvertedoffset,
  kAveraging1,
  kAnalogueoutputs,
  kHeating,
  kHeatingEnabled,
  kHeatingDisabled,
  kMi3AxisConfig,
  kTerminal1,
  kPorts,
  kDataDisplay,
  kTabular,
  kGraph1,
  kWindsock1,
  kAlarm,
  kStatistics,
  kTest1,
  kHelp,
  kAbout1,
  kTerminalcommandlist1,
};
inline constexpr std::size_t kMenuEntryCount =
    static_cast<std::size_t>(MenuId::kTerminalcommandlist1) + 1;

struct MenuEntry {
  MenuId id;
  QString name;                  // "File1", "Resynchronise", ...: the entry's object name
  std::optional<MenuId> parent;  // the submenu that holds it; none for the menu bar
  QString caption;               // with its accelerator ampersand
  bool visible = true;
  bool enabled = true;
  bool checked = false;
};

class MainMenu {
 public:
  MainMenu();
  MainMenu(const MainMenu&) = delete;
  MainMenu& operator=(const MainMenu&) = delete;

  const MenuEntry& Entry(MenuId id) const { return entries_[static_cast<std::size_t>(id)]; }
  const std::array<MenuEntry, kMenuEntryCount>& Entries() const { return entries_; }
  bool IsChecked(MenuId id) const { return Entry(id).checked; }

  // Each change is announced when it changes something.
  void Show(MenuId id, bool visible = true) { Set(&MenuEntry::visible, id, visible); }
  void Hide(MenuId id) { Show(id, false); }
  void Enable(MenuId id, bool enabled = true) { Set(&MenuEntry::enabled, id, enabled); }
  void Disable(MenuId id) { Enable(id, false); }
  void Check(MenuId id, bool checked = true) { Set(&MenuEntry::checked, id, checked); }
  void SetCaption(MenuId id, const QString& caption) { Set(&MenuEntry::caption, id, caption); }

  ChangeNotifier& Changed() { return changed_; }

 private:
  template <typename T>
  void Set(T MenuEntry::*field, MenuId id, const T& value) {
    T& current = entries_[static_cast<std::size_t>(id)].*field;
    if (current == value) return;
    current = value;
    changed_.Notify();
  }

  std::array<MenuEntry, kMenuEntryCount> entries_;
  ChangeNotifier changed_;
};

}  // namespace ventari
