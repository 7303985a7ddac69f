// Prompts for the command line: every message goes to standard error as "caption: text";
// questions take their default answer, inputs and file dialogs are cancelled.
#pragma once

#include "app/prompts.h"

namespace ventari {

class StderrPrompts : public Prompts {
 public:
  void ShowMessage(const QString& text, const QString& caption) override;
  PromptButton Ask(const QString& text, const QString& caption,
                   const std::vector<PromptButton>& buttons) override;
  std::optional<QString> InputText(const QString& caption, const QString& label,
                                   const QString& initial) override;
  QString ChooseOpenFile(const QString& caption, const QString& folder,
                         const QString& filter) override;
  QString ChooseSaveFile(const QString& caption, const QString& folder,
                         const QString& filter) override;
};

}  // namespace ventari
