#include "sim/tri_axis_settings.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace ventari::sim {
namespace {

struct Choice {
  std::string_view keyword;
  int TriAxisSettings::*field;
  std::vector<std::string_view> values;
};

const std::vector<Choice>& Choices() {
  static const std::vector<Choice> kChoices = {
      {"WINDREP",
       &TriAxisSettings::windRep,
       {"UVW CAL", "UVW UNCAL", "POLAR CAL", "POLAR UNCAL", "AXIS"}},
      {"SOSREP", &TriAxisSettings::sosRep, {"OFF", "SPEED", "SONICTEMP K", "SONICTEMP C"}},
      {"ABSTEMP", &TriAxisSettings::absTemp, {"OFF", "ON K", "ON C"}},
      {"STRFMT", &TriAxisSettings::strFmt, {"BINARY", "ASCII PAD", "ASCII UNPAD"}},
      {"ASCTERM", &TriAxisSettings::ascTerm, {"CR", "CRLF"}},
      {"ECHO", &TriAxisSettings::echo, {"ON", "OFF"}},
      {"MSGMODE", &TriAxisSettings::msgMode, {"CONT", "POLL"}},
      {"INST", &TriAxisSettings::inst, {"ON", "OFF"}},
      {"AOPFSD", &TriAxisSettings::fsd, {"10", "20", "30", "60"}},
      {"POLARWRAP", &TriAxisSettings::polarWrap, {"360", "540"}},
      {"CTONE", &TriAxisSettings::ctone, {"DISABLE", "ON", "OFF"}},
      {"ALIGNUVW", &TriAxisSettings::align, {"AXIS", "SPAR"}},
  };
  return kChoices;
}

constexpr std::array<std::int32_t, 7> kBauds = {2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int kMostSamplesAveraged = 250;

const Choice* FindChoice(std::string_view keyword) {
  for (const Choice& choice : Choices()) {
    if (choice.keyword == keyword) return &choice;
  }
  return nullptr;
}

bool ParseInt(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::string Value(const TriAxisSettings& settings, std::string_view keyword) {
  const Choice* choice = FindChoice(keyword);
  const int index = settings.*(choice->field);
  // The listing names the disabled confidence tone in the past tense.
  if (keyword == "CTONE" && index == 0) return "DISABLED";
  return std::string(choice->values[index]);
}

}  // namespace

int TriAxisSettings::AnalogueInputs() const {
  return static_cast<int>(std::count(aip.begin(), aip.end(), true));
}

SettingResult ApplyTriAxisSetting(TriAxisSettings& settings, TriAxisModel model,
                                  std::string_view command, std::int32_t& baud) {
  const auto blank = command.find(' ');
  if (blank == std::string_view::npos) return SettingResult::kRejected;
  const std::string_view keyword = command.substr(0, blank);
  const std::string_view value = command.substr(blank + 1);
  if (keyword == "AVERAGE") {
    int samples = 0;
    if (!ParseInt(value, samples) || samples < 1 || samples > kMostSamplesAveraged) {
      return SettingResult::kRejected;
    }
    settings.average = samples;
    return SettingResult::kAccepted;
  }
  if (keyword == "BAUD") {
    int rate = 0;
    if (!ParseInt(value, rate) || std::find(kBauds.begin(), kBauds.end(), rate) == kBauds.end()) {
      return SettingResult::kRejected;
    }
    baud = rate;
    return SettingResult::kBaud;
  }
  if (keyword == "ANAIP") {
    if (value.size() != 3 || value[0] < '1' || value[0] > '6' || value[1] != ' ' ||
        (value[2] != 'E' && value[2] != 'D')) {
      return SettingResult::kRejected;
    }
    settings.aip[value[0] - '1'] = value[2] == 'E';
    return SettingResult::kAccepted;
  }
  if (keyword == "INST" && !Is50Hz(model)) return SettingResult::kRejected;
  const Choice* choice = FindChoice(keyword);
  if (choice == nullptr) return SettingResult::kRejected;
  const auto found = std::find(choice->values.begin(), choice->values.end(), value);
  if (found == choice->values.end()) return SettingResult::kRejected;
  settings.*(choice->field) = static_cast<int>(found - choice->values.begin());
  return SettingResult::kAccepted;
}

std::string TriAxisListing(const TriAxisSettings& settings, TriAxisModel model,
                           std::string_view lineEnd) {
  std::string listing;
  const auto line = [&](std::string_view keyword, const std::string& value) {
    listing.append(keyword).append(" ").append(value).append(lineEnd);
  };
  for (const std::string_view keyword :
       {"ABSTEMP", "WINDREP", "SOSREP", "STRFMT", "ASCTERM", "ECHO", "MSGMODE"}) {
    line(keyword, Value(settings, keyword));
  }
  line("AVERAGE", std::to_string(settings.average));
  line("BAUD", std::to_string(settings.baud));
  if (Is50Hz(model)) line("INST", Value(settings, "INST"));
  std::string channels;
  for (const bool enabled : settings.aip) channels.push_back(enabled ? 'E' : 'D');
  line("ANAIP", channels);
  for (const std::string_view keyword : {"AOPFSD", "POLARWRAP", "CTONE", "ALIGNUVW"}) {
    line(keyword, Value(settings, keyword));
  }
  return listing;
}

}  // namespace ventari::sim
