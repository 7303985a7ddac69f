// Every message box, question, text input and file dialog of the system goes through here: the
// windows implement it with Qt dialogs, tests with a script, the command line with stderr.
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace ventari {

enum class PromptButton { kOk, kCancel, kYes, kNo, kAbort, kRetry, kIgnore };

class Prompts {
 public:
  virtual ~Prompts() = default;

  virtual void ShowMessage(const QString& text, const QString& caption) = 0;
  // Returns the button chosen; `buttons` is never empty and its first entry is the default.
  virtual PromptButton Ask(const QString& text, const QString& caption,
                           const std::vector<PromptButton>& buttons) = 0;
  // The text entered, or nothing when cancelled.
  virtual std::optional<QString> InputText(const QString& caption, const QString& label,
                                           const QString& initial) = 0;
  // A file name, or an empty text when cancelled. `filter` as in "Log files (*.log)".
  virtual QString ChooseOpenFile(const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
  virtual QString ChooseSaveFile(const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
};

}  // namespace ventari
