#include "cli/exit_status.h"

#include "cli/help_text.h"

namespace ventari {

QString ExitStatusHelp() {
  QString text = QStringLiteral("\nExit status:\n");
  for (const ExitStatus& exit : kExitStatuses) {
    text += Wrapped(QStringLiteral("  %1  ").arg(exit.status), QLatin1String(exit.meaning));
  }
  return text;
}

}  // namespace ventari
