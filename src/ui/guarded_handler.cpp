#include "ui/guarded_handler.h"

#include <QMessageBox>
#include <QTimer>
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

void RunLater(QObject* context, std::function<void()> handler) {
  QTimer::singleShot(0, context, [context, handler = std::move(handler)] {
    RunGuarded(qobject_cast<QWidget*>(context), handler);
  });
}

}  // namespace ventari
