#include "support/golden_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <algorithm>

namespace ventari::test {
namespace {

constexpr qsizetype kHexLineBytes = 16;
constexpr qsizetype kShownLines = 6;

bool IsText(const QByteArray& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == '\t' || byte == '\r' || byte == '\n' || (byte >= 0x20 && byte < 0x7F);
  });
}

// The contents as lines to compare: text lines with their ends shown, or hex lines with offsets.
QList<QByteArray> Lines(const QByteArray& bytes, bool text) {
  QList<QByteArray> lines;
  if (text) {
    for (const QByteArray& line : bytes.split('\n')) {
      lines << QByteArray(line).replace('\r', "\\r");
    }
    return lines;
  }
  for (qsizetype at = 0; at < bytes.size(); at += kHexLineBytes) {
    lines << QByteArray::number(at, 16).rightJustified(8, '0') + "  " +
                 bytes.mid(at, kHexLineBytes).toHex(' ');
  }
  return lines;
}

QByteArray Shown(const QList<QByteArray>& lines, qsizetype from) {
  QByteArray shown;
  for (qsizetype i = from; i < std::min(lines.size(), from + kShownLines); ++i) {
    shown += "  " + QByteArray::number(i + 1).rightJustified(5) + " | " + lines[i] + "\n";
  }
  return shown.isEmpty() ? QByteArray("  (nothing)\n") : shown;
}

QByteArray Difference(const QByteArray& expected, const QByteArray& actual) {
  const bool text = IsText(expected) && IsText(actual);
  const QList<QByteArray> want = Lines(expected, text);
  const QList<QByteArray> got = Lines(actual, text);
  qsizetype first = 0;
  while (first < want.size() && first < got.size() && want[first] == got[first]) ++first;
  return "first difference at line " + QByteArray::number(first + 1) + " (" +
         QByteArray::number(expected.size()) + " bytes expected, " +
         QByteArray::number(actual.size()) + " written)\nexpected:\n" + Shown(want, first) +
         "written:\n" + Shown(got, first);
}

}  // namespace

namespace {

QString GoldenPath(const QString& golden) {
  return QDir(QStringLiteral(VENTARI_TESTS_SOURCE_DIR)).filePath(golden);
}

}  // namespace

QByteArray GoldenContents(const QString& golden) {
  QFile file(GoldenPath(golden));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

::testing::AssertionResult MatchesGolden(const QByteArray& actual, const QString& golden) {
  const QString path = GoldenPath(golden);
  if (qEnvironmentVariableIntValue("VENTARI_UPDATE_GOLDEN") == 1) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(actual) != actual.size()) {
      return ::testing::AssertionFailure() << "cannot rewrite " << path.toStdString();
    }
    return ::testing::AssertionSuccess() << "rewrote " << path.toStdString();
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return ::testing::AssertionFailure()
           << path.toStdString() << " is missing: run with VENTARI_UPDATE_GOLDEN=1 to write it";
  }
  const QByteArray expected = file.readAll();
  if (expected == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << golden.toStdString() << " differs; VENTARI_UPDATE_GOLDEN=1 rewrites it\n"
         << Difference(expected, actual).toStdString();
}

}  // namespace ventari::test
