// The system's two kinds of error. A UserError carries a message written for the user, who can
// act on it (a port that cannot be opened, a reply the anemometer garbled); windows and the
// command line show it as it is. Any other exception is a fault in the program: the user sees
// "Unexpected error" and the detail goes to the log.
#pragma once

#include <QString>
#include <QtGlobal>
#include <stdexcept>
#include <string>

#include "base/prompts.h"

namespace ventari {

class UserError : public std::runtime_error {
 public:
  explicit UserError(const std::string& message, bool alreadyTold = false)
      : std::runtime_error(message), alreadyTold_(alreadyTold) {}
  QString Message() const { return QString::fromUtf8(what()); }
  // The user has been told already, once, in a notice that stays on the screen (a port that
  // vanished): the error ends what was running without a message box of its own.
  bool AlreadyTold() const { return alreadyTold_; }

 private:
  bool alreadyTold_;
};

// A fault in the program: a broken invariant, a call the code should never make.
class ProgramError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

inline constexpr char kUnexpectedError[] = "Unexpected error";

// What the user is told of `error`: a UserError's message, "Unexpected error" for anything else.
inline QString UserMessageOf(const std::exception& error) {
  if (const auto* user = dynamic_cast<const UserError*>(&error)) return user->Message();
  return QString::fromLatin1(kUnexpectedError);
}

// Whether `error`, escaped from an event handler, gets a box of its own: not when the user was
// told of it already. The detail of a fault in the program goes to the log.
inline bool NeedsShowing(const std::exception& error) {
  const auto* user = dynamic_cast<const UserError*>(&error);
  if (!user) qWarning("Unexpected error: %s", error.what());
  return !(user && user->AlreadyTold());
}

// Shows `error` as the system shows an error that escaped an event handler, in a box captioned
// "Ventari".
inline void ShowError(Prompts& prompts, const std::exception& error) {
  if (!NeedsShowing(error)) return;
  prompts.ShowMessage(UserMessageOf(error), QStringLiteral("Ventari"));
}

}  // namespace ventari
