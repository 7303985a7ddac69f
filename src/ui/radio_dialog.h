// A two-axis configuration dialog made of radio groups: a view over a `RadioDialogModel` with
// OK and Cancel, modal, fixed in size and centred over its parent. OK is disabled while the
// model talks to the anemometer.
#pragma once

#include <QDialog>
#include <vector>

#include "base/setting_fields.h"
#include "twoaxisconfig/radio_group.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace ventari {

class RadioDialogModel;
class ViewRefresh;

class RadioDialog : public QDialog {
 public:
  // The groups are laid out in `columns` columns, in the model's order, top to bottom.
  RadioDialog(RadioDialogModel& model, const QString& objectName, int columns, QWidget* parent);

  // Activates the model and shows the dialog modally until OK or Cancel closes it.
  void Execute();
  void Sync();

  QPushButton& OkButton() { return *ok_; }
  QPushButton& CancelButton() { return *cancel_; }
  QGroupBox& Group(int index) { return *boxes_[static_cast<std::size_t>(index)]; }

  // Cancel, Escape and the close box: the saved selection comes back; not while busy.
  void reject() override;

 private:
  void OkClick();
  // Puts the group's caption and items into box `g`.
  void Fill(std::size_t g, const RadioGroup& group);

  RadioDialogModel& model_;
  std::vector<QGroupBox*> boxes_;
  std::vector<QButtonGroup*> buttons_;
  QPushButton* ok_;
  QPushButton* cancel_;
  ViewRefresh* refresh_;
};

}  // namespace ventari
