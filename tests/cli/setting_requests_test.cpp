// The FIELD=VALUE words of the set command: split, then matched to what the model offers, by
// name and by value text or index, case ignored; anything else refused with what is offered.
#include "cli/setting_requests.h"

#include <gtest/gtest.h>

#include "support/golden_file.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

const std::vector<SettingField> kOffered = {
    {"BaudRate",
     {"300 baud", "1200 baud", "2400 baud", "4800 baud", "9600 baud", "19200 baud", "38400 baud"}},
    {"Parity", {"None", "Even", "Odd"}},
    {"Aip[3]", {"off", "on"}},
    {"AveragingPeriod", {"0", "1", "2", "3"}},
};

TEST(SettingRequests, FieldsAndValuesAreFoundByNameTextOrIndexCaseIgnored) {
  const auto split = SplitAssignments({"baudrate=19200 BAUD", " Parity = 2", "AIP[3]=On"});
  ASSERT_EQ(split.index(), 0u);
  const auto resolved = ResolveRequests(std::get<0>(split), kOffered);
  ASSERT_EQ(resolved.index(), 0u);
  const auto& requests = std::get<std::vector<SettingRequest>>(resolved);
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(std::tuple(requests[0].field, requests[0].value, requests[0].index),
            std::tuple(QString("BaudRate"), QString("19200 baud"), 5));
  EXPECT_EQ(std::tuple(requests[1].field, requests[1].value, requests[1].index),
            std::tuple(QString("Parity"), QString("Odd"), 2));
  EXPECT_EQ(std::tuple(requests[2].field, requests[2].value, requests[2].index),
            std::tuple(QString("Aip[3]"), QString("on"), 1));
}

TEST(SettingRequests, WhatTheModelDoesNotOfferIsRefusedWithWhatItDoes) {
  const std::pair<QStringList, QString> refused[] = {
      {{"Parity"}, "'Parity' is not FIELD=VALUE"},
      {{"=Odd"}, "'=Odd' is not FIELD=VALUE"},
      {{}, "set needs at least one FIELD=VALUE (--list shows them)"},
      {{"LvBaudRate=2400 baud"},
       "this anemometer offers no setting LvBaudRate (--list shows them)"},
      {{"Parity=Mark"}, "Parity takes one of: None | Even | Odd"},
      {{"Parity=3"}, "Parity takes one of: None | Even | Odd"},
      {{"Parity=-1"}, "Parity takes one of: None | Even | Odd"},
      {{"Parity=Odd", "parity=None"}, "Parity is given twice"},
      {{"AveragingPeriod=4"}, "AveragingPeriod takes one of: 0 to 3"},
  };
  for (const auto& [words, message] : refused) {
    const auto split = SplitAssignments(words);
    QString error;
    if (const auto* text = std::get_if<QString>(&split)) {
      error = *text;
    } else {
      error = std::get<QString>(ResolveRequests(std::get<0>(split), kOffered));
    }
    EXPECT_EQ(error, message) << words.join(' ').toStdString();
  }
}

TEST(SettingRequests, TheListShowsEachFieldWithItsValues) {
  EXPECT_EQ(FieldList({kOffered[1], kOffered[2], kOffered[3]}),
            "Parity: None | Even | Odd\nAip[3]: off | on\nAveragingPeriod: 0 to 3\n");
}

TEST(SettingRequests, TheListOfAKestrixIIIsItsGoldenFile) {
  test::SimSession s;
  s.StartAndSearch(QStringLiteral("sim:kestrix2"));
  ASSERT_TRUE(s.session.commands().discovery.Found());
  EXPECT_TRUE(test::MatchesGolden(FieldList(s.session.commands().twoAxisSettings.Fields()).toUtf8(),
                                  QStringLiteral("cli/golden/set_list_kestrix2.txt")));
}

}  // namespace
}  // namespace ventari
