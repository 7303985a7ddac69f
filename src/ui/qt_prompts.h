// Prompts as the desktop shows them: modal message boxes, input boxes and file dialogs.
#pragma once

#include "base/prompts.h"

class QWidget;

namespace ventari {

class QtPrompts : public Prompts {
 public:
  // Dialogs are centred on `parent` (which may change as windows are created).
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
  QWidget* parent_ = nullptr;
};

}  // namespace ventari
