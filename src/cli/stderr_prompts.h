// Prompts for the command line: every message goes to standard error as "caption: text";
// questions take their default answer, inputs and file dialogs are cancelled.
#pragma once

#include "base/default_answer_prompts.h"

namespace ventari {

class StderrPrompts : public DefaultAnswerPrompts {
 public:
  void ShowMessage(const QString& text, const QString& caption) override;
};

}  // namespace ventari
