// The FIELD=VALUE words of ventari-cli set, read against the fields the anemometer's dialogs
// offer: a field by its name and a value by its index or its text, case ignored. Anything this
// model does not offer is refused before a byte is sent.
#pragma once

#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

#include "base/setting_fields.h"

namespace ventari {

struct SettingRequest {
  QString field;  // as the dialogs name it
  QString value;  // the value's text as the dialogs show it
  int index = -1;
};

// The words as FIELD=VALUE pairs; the message naming the first word that is not one.
std::variant<std::vector<std::pair<QString, QString>>, QString> SplitAssignments(
    const QStringList& words);

// Each pair matched to an offered field and value; the message naming the first pair this model
// refuses (a field it does not offer, a value not among the field's).
std::variant<std::vector<SettingRequest>, QString> ResolveRequests(
    const std::vector<std::pair<QString, QString>>& assignments,
    const std::vector<SettingField>& offered);

// One line per field: "Name: value | value | ...", or "Name: 0 to 3600" for a range of numbers.
QString FieldList(const std::vector<SettingField>& offered);

}  // namespace ventari
