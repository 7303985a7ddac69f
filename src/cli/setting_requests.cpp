#include "cli/setting_requests.h"

namespace ventari {
namespace {

const SettingField* FieldNamed(const std::vector<SettingField>& offered, const QString& name) {
  for (const SettingField& field : offered) {
    if (field.name.compare(name, Qt::CaseInsensitive) == 0) return &field;
  }
  return nullptr;
}

// The value's index by its text, or by its index when no text matches.
int ValueIndex(const SettingField& field, const QString& asked) {
  for (qsizetype i = 0; i < field.values.size(); ++i) {
    if (field.values[i].compare(asked, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  }
  bool ok = false;
  const int index = asked.toInt(&ok);
  return ok && index >= 0 && index < field.values.size() ? index : -1;
}

// "0 to 3600" for the numbers of a range, the values one by one otherwise.
QString Values(const SettingField& field) {
  bool first = false;
  const int from = field.values.isEmpty() ? 0 : field.values.front().toInt(&first);
  bool range = first && field.values.size() > 2;
  for (qsizetype i = 0; range && i < field.values.size(); ++i) {
    range = field.values[i] == QString::number(from + i);
  }
  if (range) return QStringLiteral("%1 to %2").arg(field.values.front(), field.values.back());
  return field.values.join(QStringLiteral(" | "));
}

}  // namespace

std::variant<std::vector<std::pair<QString, QString>>, QString> SplitAssignments(
    const QStringList& words) {
  std::vector<std::pair<QString, QString>> assignments;
  for (const QString& word : words) {
    const qsizetype equals = word.indexOf(QLatin1Char('='));
    const QString field = word.left(equals).trimmed();
    const QString value = word.mid(equals + 1).trimmed();
    if (equals < 0 || field.isEmpty() || value.isEmpty()) {
      return QStringLiteral("'%1' is not FIELD=VALUE").arg(word);
    }
    assignments.emplace_back(field, value);
  }
  if (assignments.empty()) {
    return QStringLiteral("set needs at least one FIELD=VALUE (--list shows them)");
  }
  return assignments;
}

std::variant<std::vector<SettingRequest>, QString> ResolveRequests(
    const std::vector<std::pair<QString, QString>>& assignments,
    const std::vector<SettingField>& offered) {
  std::vector<SettingRequest> requests;
  for (const auto& [name, asked] : assignments) {
    const SettingField* field = FieldNamed(offered, name);
    if (field == nullptr) {
      return QStringLiteral("this anemometer offers no setting %1 (--list shows them)").arg(name);
    }
    const int index = ValueIndex(*field, asked);
    if (index < 0) {
      return QStringLiteral("%1 takes one of: %2").arg(field->name, Values(*field));
    }
    for (const SettingRequest& earlier : requests) {
      if (earlier.field == field->name) {
        return QStringLiteral("%1 is given twice").arg(field->name);
      }
    }
    requests.push_back({field->name, field->values[index], index});
  }
  return requests;
}

QString FieldList(const std::vector<SettingField>& offered) {
  QString list;
  for (const SettingField& field : offered) {
    list += field.name + QStringLiteral(": ") + Values(field) + QLatin1Char('\n');
  }
  return list;
}

}  // namespace ventari
