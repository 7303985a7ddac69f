#include "cli/help_text.h"

#include <QStringList>

namespace ventari {
namespace {

constexpr int kWidth = 79;

}  // namespace

QString Wrapped(const QString& lead, const QString& text) {
  QString wrapped;
  QString line = lead;
  bool empty = true;  // nothing of `text` on the line yet
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!empty && line.size() + 1 + word.size() > kWidth) {
      wrapped += line + QLatin1Char('\n');
      line = QString(lead.size(), QLatin1Char(' '));
      empty = true;
    }
    line += (empty ? QString() : QStringLiteral(" ")) + word;
    empty = false;
  }
  return wrapped + line + QLatin1Char('\n');
}

}  // namespace ventari
