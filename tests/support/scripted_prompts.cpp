#include "support/scripted_prompts.h"

#include <algorithm>

namespace ventari::test {

void ScriptedPrompts::ShowMessage(const QString& text, const QString& caption) {
  Shown shown{text, caption, clock_ ? clock_() : 0};
  if (onMessage) onMessage(shown);
  messages_.push_back(std::move(shown));
}

PromptButton ScriptedPrompts::Ask(const QString& text, const QString& caption,
                                  const std::vector<PromptButton>& buttons) {
  ShowMessage(text, caption);
  if (answers.empty()) return buttons.front();
  const PromptButton answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<QString> ScriptedPrompts::InputText(const QString& caption, const QString& label,
                                                  const QString&) {
  ShowMessage(label, caption);
  if (inputs.empty()) return std::nullopt;
  auto input = inputs.front();
  inputs.pop_front();
  return input;
}

QString ScriptedPrompts::ChooseOpenFile(const QString&, const QString&, const QString&) {
  if (files.empty()) return {};
  QString file = files.front();
  files.pop_front();
  return file;
}

QString ScriptedPrompts::ChooseSaveFile(const QString& caption, const QString& folder,
                                        const QString& filter) {
  return ChooseOpenFile(caption, folder, filter);
}

int ScriptedPrompts::Count(const QString& text) const {
  return static_cast<int>(std::count_if(messages_.begin(), messages_.end(),
                                        [&text](const Shown& s) { return s.text == text; }));
}

}  // namespace ventari::test
