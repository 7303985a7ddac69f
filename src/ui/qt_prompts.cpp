#include "ui/qt_prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace ventari {
namespace {

QMessageBox::StandardButton ToQt(PromptButton button) {
  switch (button) {
    case PromptButton::kOk:
      return QMessageBox::Ok;
    case PromptButton::kCancel:
      return QMessageBox::Cancel;
    case PromptButton::kYes:
      return QMessageBox::Yes;
    case PromptButton::kNo:
      return QMessageBox::No;
    case PromptButton::kAbort:
      return QMessageBox::Abort;
    case PromptButton::kRetry:
      return QMessageBox::Retry;
    case PromptButton::kIgnore:
      return QMessageBox::Ignore;
  }
  return QMessageBox::Ok;
}

}  // namespace

void QtPrompts::ShowMessage(const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent_);
  if (caption.contains(QLatin1String("Warning"), Qt::CaseInsensitive)) {
    box.setIcon(QMessageBox::Warning);
  } else if (caption.contains(QLatin1String("Error"), Qt::CaseInsensitive)) {
    box.setIcon(QMessageBox::Critical);
  } else {
    box.setIcon(QMessageBox::Information);
  }
  box.exec();
}

PromptButton QtPrompts::Ask(const QString& text, const QString& caption,
                            const std::vector<PromptButton>& buttons) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent_);
  for (PromptButton b : buttons) box.addButton(ToQt(b));
  box.setDefaultButton(ToQt(buttons.front()));
  const int chosen = box.exec();
  for (PromptButton b : buttons) {
    if (ToQt(b) == chosen) return b;
  }
  return buttons.back();
}

std::optional<QString> QtPrompts::InputText(const QString& caption, const QString& label,
                                            const QString& initial) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent_, caption, label, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

QString QtPrompts::ChooseOpenFile(const QString& caption, const QString& folder,
                                  const QString& filter) {
  return QFileDialog::getOpenFileName(parent_, caption, folder, filter);
}

QString QtPrompts::ChooseSaveFile(const QString& caption, const QString& folder,
                                  const QString& filter) {
  return QFileDialog::getSaveFileName(parent_, caption, folder, filter);
}

}  // namespace ventari
