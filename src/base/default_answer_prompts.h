// Prompts with no one to ask: messages go nowhere, questions take their default button, text
// inputs and file dialogs are cancelled. Headless runs build on it.
#pragma once

#include "base/prompts.h"

namespace ventari {

class DefaultAnswerPrompts : public Prompts {
 public:
  void ShowMessage(const QString&, const QString&) override {}
  PromptButton Ask(const QString& text, const QString& caption,
                   const std::vector<PromptButton>& buttons) override {
    ShowMessage(text, caption);
    return buttons.front();
  }
  std::optional<QString> InputText(const QString& caption, const QString& label,
                                   const QString&) override {
    ShowMessage(label, caption);
    return std::nullopt;
  }
  QString ChooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
  QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
};

}  // namespace ventari
