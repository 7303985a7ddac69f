// Item captions read as values, and the setting commands as the dialogs write them.
#include "twoaxisconfig/radio_group.h"

#include <gtest/gtest.h>

#include "twoaxisconfig/setting_command.h"

namespace ventari {
namespace {

TEST(RadioGroup, AnItemsValueIsItsCaptionWithoutAccelerators) {
  const std::pair<const char*, const char*> cases[] = {
      {"1&9200 baud", "19200 baud"},
      {"&7 ", "7"},
      {"&CR && LF", "CR & LF"},
      {"+/- 2.5&V", "+/- 2.5V"},
      {"\"$IIMWV\" instrument type", "\"$IIMWV\" instrument type"},
      {"", ""},
      {"&", ""},
  };
  for (const auto& [caption, value] : cases) EXPECT_EQ(ItemValue(caption), value) << caption;
}

TEST(SettingCommand, TheLetterAndTheNumberWhateverTheNumber) {
  const std::tuple<char, int, const char*> cases[] = {
      {'L', 2, "L2"}, {'L', 0, "L0"}, {'A', -1, "A-1"}, {'J', -1, "J-1"}, {'Z', 7, "Z7"}};
  for (const auto& [letter, number, command] : cases) {
    EXPECT_EQ(Setting(letter, number), command);
  }
}

}  // namespace
}  // namespace ventari
