// The "&Non volatile memory" page of the production test window as a model: which parameter
// kinds are checked and enabled for the sensor type, the source files each combo box offers and
// selects, the "..." file choice, and the programming run with its busy label and its move to
// the next page.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "base/change_notifier.h"
#include "base/prompts.h"
#include "service/eeprom_programmer.h"
#include "service/production_test.h"
#include "service/service_file_names.h"
#include "service/service_folder.h"

namespace ventari {

class NvmPageModel {
 public:
  struct Source {
    bool checked = true;  // the check box; the system never changes it
    bool enabled = true;  // check box, combo box and "..." button alike
    QStringList items;    // file names from the folder, full paths from "..."
    int selected = -1;
    QString Selected() const {
      return selected >= 0 && selected < items.size() ? items[selected] : QString();
    }
  };

  NvmPageModel(ProductionTest& test, EepromProgrammer& programmer, Prompts& prompts,
               const ServiceFolder& folder, const ServiceFileNames& names,
               std::function<void(TestPage)> movePage);

  const Source& Kind(EepromKind kind) const { return sources_[static_cast<std::size_t>(kind)]; }
  bool ProgramEnabled() const { return programEnabled_; }
  bool BusyLabelVisible() const { return label35Visible_; }  // `Label35`
  bool Busy() const { return busy_; }
  // Told when a programming run starts and when it ends.
  ChangeNotifier& BusyChanged() { return busyChanged_; }

  // Called whenever something the page shows changed.
  std::function<void()> changed;

  // The sensor type was set: the Larkvane enables calibration and options, the others user,
  // engineering and calibration.
  void SensorTypeSet();
  // The page is entered: the combo boxes are filled from the folder and their defaults selected.
  void Enter();
  void SetChecked(EepromKind kind, bool checked);
  void Select(EepromKind kind, int index);
  // The "..." button: the chosen file's full path is added and selected.
  void Browse(EepromKind kind);
  // `BtnProgram2`.
  void Program();
  // `BtnSkip3`.
  void Next();

  // The file a selection stands for: a full path as it is, a name in the family's folder.
  QString SourcePath(EepromKind kind) const;

 private:
  Source& Mutable(EepromKind kind) { return sources_[static_cast<std::size_t>(kind)]; }
  void Fill(EepromKind kind, const QString& folder, const QString& extension,
            const QString& remembered);
  void Changed() {
    if (changed) changed();
  }

  ProductionTest& test_;
  EepromProgrammer& programmer_;
  Prompts& prompts_;
  const ServiceFolder& folder_;
  const ServiceFileNames& names_;
  std::function<void(TestPage)> movePage_;
  std::array<Source, kEepromKinds> sources_;
  bool programEnabled_ = true;
  bool label35Visible_ = false;
  bool busy_ = false;
  ChangeNotifier busyChanged_;
};

}  // namespace ventari
