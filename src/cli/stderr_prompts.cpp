#include "cli/stderr_prompts.h"

#include <cstdio>

namespace ventari {

void StderrPrompts::ShowMessage(const QString& text, const QString& caption) {
  std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
  std::fflush(stderr);
}

PromptButton StderrPrompts::Ask(const QString& text, const QString& caption,
                                const std::vector<PromptButton>& buttons) {
  ShowMessage(text, caption);
  return buttons.front();
}

std::optional<QString> StderrPrompts::InputText(const QString& caption, const QString& label,
                                                const QString&) {
  ShowMessage(label, caption);
  return std::nullopt;
}

QString StderrPrompts::ChooseOpenFile(const QString&, const QString&, const QString&) { return {}; }

QString StderrPrompts::ChooseSaveFile(const QString&, const QString&, const QString&) { return {}; }

}  // namespace ventari
