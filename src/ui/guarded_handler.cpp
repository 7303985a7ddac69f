#include "ui/guarded_handler.h"

#include <QMessageBox>
#include <QtGlobal>
#include <exception>

#include "base/errors.h"

namespace ventari {

void RunGuarded(QWidget* parent, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    if (!NeedsShowing(e)) return;
    QMessageBox::critical(parent, QStringLiteral("Ventari"), UserMessageOf(e));
  } catch (...) {
    qWarning("Unexpected error of an unknown kind");
    QMessageBox::critical(parent, QStringLiteral("Ventari"), QString::fromLatin1(kUnexpectedError));
  }
}

}  // namespace ventari
