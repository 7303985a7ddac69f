#include "link/open_failure_message.h"

namespace ventari {

QString OpenFailureMessage(const QString& name, OpenRefusal why, const QString& group,
                           const QString& systemText) {
  const QString head = QStringLiteral("Cannot open %1: ").arg(name);
  switch (why) {
    case OpenRefusal::kNoPermission:
      if (group.isEmpty()) {
        return head + QStringLiteral(
                          "no permission. Ask the administrator to let you read and "
                          "write it.");
      }
      return head + QStringLiteral(
                        "no permission. The port belongs to the group %1: run "
                        "sudo usermod -aG %1 $USER, then log out and in again.")
                        .arg(group);
    case OpenRefusal::kInUse:
      return head + QStringLiteral("in use by another program");
    case OpenRefusal::kMissing:
      return head + QStringLiteral("no such port");
    case OpenRefusal::kOther:
      break;
  }
  return head + systemText;
}

QString ListedPortName(const QString& name, bool permitted) {
  return permitted ? name : name + QStringLiteral(" (no permission)");
}

}  // namespace ventari
