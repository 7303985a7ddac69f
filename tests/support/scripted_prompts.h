// Prompts for tests: records every message and question, answers from a prepared script.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "base/prompts.h"

namespace ventari::test {

class ScriptedPrompts : public Prompts {
 public:
  struct Shown {
    QString text;
    QString caption;
    long long atMs;  // the virtual time it was shown at, when a clock was given
  };

  explicit ScriptedPrompts(std::function<long long()> clock = {}) : clock_(std::move(clock)) {}

  void ShowMessage(const QString& text, const QString& caption) override;
  PromptButton Ask(const QString& text, const QString& caption,
                   const std::vector<PromptButton>& buttons) override;
  std::optional<QString> InputText(const QString& caption, const QString& label,
                                   const QString& initial) override;
  QString ChooseOpenFile(const QString& caption, const QString& folder,
                         const QString& filter) override;
  QString ChooseSaveFile(const QString& caption, const QString& folder,
                         const QString& filter) override;

  // Runs when a message is shown, before it is recorded as answered (to look at other state).
  std::function<void(const Shown&)> onMessage;

  // Answers given in order; when they run out, questions get their default button, inputs
  // are cancelled and file dialogs return an empty name.
  std::deque<PromptButton> answers;
  std::deque<std::optional<QString>> inputs;
  std::deque<QString> files;

  const std::vector<Shown>& Messages() const { return messages_; }
  int Count(const QString& text) const;

 private:
  std::function<long long()> clock_;
  std::vector<Shown> messages_;
};

}  // namespace ventari::test
