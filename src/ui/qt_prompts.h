// Prompts as the desktop shows them: modal message boxes, input boxes and file dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "base/prompts.h"

namespace ventari {

class QtPrompts : public Prompts {
 public:
  // Dialogs are centred on `parent` (which may change as windows are created). Once the parent
  // is gone (at exit), dialogs have none.
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(const QString& text, const QString& caption) override;
  PromptButton Ask(const QString& text, const QString& caption,
                   const std::vector<PromptButton>& buttons) override;
  std::optional<QString> InputText(const QString& caption, const QString& label,
                                   const QString& initial) override;
  QString ChooseOpenFile(const QString& caption, const QString& folder,
                         const QString& filter) override;
  QString ChooseSaveFile(const QString& caption, const QString& folder,
                         const QString& filter) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace ventari
