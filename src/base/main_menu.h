// The main window's menu as a model: every entry by its name, with caption, visibility,
// enabled state and check mark. The logic changes it; the window mirrors it.
#pragma once

#include <QString>
#include <vector>

namespace ventari {

struct MenuEntry {
  QString name;     // "File1", "Resynchronise", ...
  QString parent;   // name of the submenu that holds it; empty for the menu bar
  QString caption;  // with its accelerator ampersand
  bool visible = true;
  bool enabled = true;
  bool checked = false;
};

class MainMenu {
 public:
  MainMenu();

  // The entry named `name`; every name used by the system exists, any other is a programming
  // error (std::out_of_range).
  MenuEntry& Entry(const QString& name);
  const MenuEntry& Entry(const QString& name) const;
  const std::vector<MenuEntry>& Entries() const { return entries_; }

  void Show(const QString& name, bool visible = true) { Entry(name).visible = visible; }
  void Hide(const QString& name) { Entry(name).visible = false; }
  void Enable(const QString& name, bool enabled = true) { Entry(name).enabled = enabled; }
  void Disable(const QString& name) { Entry(name).enabled = false; }
  void Check(const QString& name, bool checked = true) { Entry(name).checked = checked; }

 private:
  std::vector<MenuEntry> entries_;
};

}  // namespace ventari
