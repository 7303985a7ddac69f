// The "&Non volatile memory" page of the production test window: a view of NvmPageModel that
// the test window holds as one of its tabs.
#pragma once

#include <QWidget>
#include <array>

#include "service/nvm_page_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace ventari {

class NvmPage : public QWidget {
  Q_OBJECT

 public:
  // Mirrors `model` and forwards the user's actions to it; takes over its `changed`.
  NvmPage(NvmPageModel& model, QWidget* parent = nullptr);

  QCheckBox* CheckBox(EepromKind kind) const { return checks_[Index(kind)]; }
  QComboBox* Combo(EepromKind kind) const { return combos_[Index(kind)]; }
  QPushButton* BrowseButton(EepromKind kind) const { return browse_[Index(kind)]; }
  QPushButton* BtnProgram2() const { return program_; }
  QPushButton* BtnSkip3() const { return skip_; }
  QLabel* BusyLabel() const { return label35_; }

  // The model's state onto the controls.
  void Refresh();

 protected:
  // Showing the page enters it: the lists are filled again and `BtnProgram2` takes the focus.
  // A spontaneous show (the window restored from minimised) leaves the page as it was.
  void showEvent(QShowEvent* event) override;

 private:
  static std::size_t Index(EepromKind kind) { return static_cast<std::size_t>(kind); }

  NvmPageModel& model_;
  std::array<QCheckBox*, kEepromKinds> checks_{};
  std::array<QComboBox*, kEepromKinds> combos_{};
  std::array<QPushButton*, kEepromKinds> browse_{};
  QPushButton* program_;
  QPushButton* skip_;
  QLabel* label35_;
  bool cursorBusy_ = false;
  bool refreshing_ = false;
};

}  // namespace ventari
