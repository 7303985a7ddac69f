// The CONFIG listing: every setting read into the configuration record, the line ends with and
// without the echo, values that are not recognised, and the menu entries the format changes.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "listing_fixture.h"
#include "tri_axis_answers.h"

namespace ventari::test {
namespace {

using ConfigListingTest = ListingFixture;

std::array<bool, 6> Channels(std::string_view letters) {
  std::array<bool, 6> channels{};
  for (std::size_t n = 0; n < channels.size(); ++n) channels[n] = letters[n] == 'E';
  return channels;
}

TEST_F(ConfigListingTest, AT7ListingWithCrLfFillsEveryField) {
  Reply(TriAxisReply::kConfig, kT7Answers.config);
  EXPECT_EQ(config.AbsTempMode, 0);
  EXPECT_EQ(config.ReportMode, 2);
  EXPECT_EQ(config.SosMode, 3);
  EXPECT_EQ(config.StrFormat, 1);
  EXPECT_EQ(config.Terminator, 1);
  EXPECT_EQ(config.Echo, 0);
  EXPECT_EQ(config.MessageMode, 0);
  EXPECT_EQ(config.Averaging, "10");
  EXPECT_EQ(config.Baud, 3);
  EXPECT_EQ(config.Instantaneous, 1);
  EXPECT_EQ(config.Aip, Channels("EEDDDD"));
  EXPECT_EQ(config.FsDef, 2);
  EXPECT_EQ(config.DirWrap, 0);
  EXPECT_EQ(config.Ctone, 0);
  EXPECT_EQ(config.Align, 1);
  EXPECT_EQ(config.PcAvgMinutes, 0);
}

TEST_F(ConfigListingTest, AnMzListingWithCrFillsEveryField) {
  Reply(TriAxisReply::kConfig, kMzAnswers.config);
  EXPECT_EQ(config.AbsTempMode, 1);
  EXPECT_EQ(config.ReportMode, 1);
  EXPECT_EQ(config.SosMode, 1);
  EXPECT_EQ(config.StrFormat, 0);
  EXPECT_EQ(config.Terminator, 0);
  EXPECT_EQ(config.Echo, 1);
  EXPECT_EQ(config.MessageMode, 1);
  EXPECT_EQ(config.Averaging, "250");
  EXPECT_EQ(config.Baud, 6);
  EXPECT_EQ(config.Instantaneous, 0);
  EXPECT_EQ(config.Aip, Channels("DEDEDE"));
  EXPECT_EQ(config.FsDef, 0);
  EXPECT_EQ(config.DirWrap, 1);
  EXPECT_EQ(config.Ctone, 1);
  EXPECT_EQ(config.Align, 0);
}

TEST_F(ConfigListingTest, The50HzListingsFillEveryField) {
  Reply(TriAxisReply::kConfig, kT7_50Answers.config);
  EXPECT_EQ(config.AbsTempMode, 2);
  EXPECT_EQ(config.ReportMode, 4);
  EXPECT_EQ(config.SosMode, 0);
  EXPECT_EQ(config.StrFormat, 2);
  EXPECT_EQ(config.Terminator, 0);
  EXPECT_EQ(config.Averaging, "1");
  EXPECT_EQ(config.Baud, 5);
  EXPECT_EQ(config.Instantaneous, 0);
  EXPECT_EQ(config.Aip, Channels("DDDDDD"));
  EXPECT_EQ(config.FsDef, 3);
  EXPECT_EQ(config.DirWrap, 1);
  EXPECT_EQ(config.Ctone, 2);
  EXPECT_EQ(config.Align, 0);

  Reply(TriAxisReply::kConfig, kMz_50Answers.config);
  EXPECT_EQ(config.AbsTempMode, 0);
  EXPECT_EQ(config.ReportMode, 3);
  EXPECT_EQ(config.SosMode, 2);
  EXPECT_EQ(config.StrFormat, 1);
  EXPECT_EQ(config.Averaging, "25");
  EXPECT_EQ(config.Baud, 4);
  EXPECT_EQ(config.Aip, Channels("EEEEEE"));
  EXPECT_EQ(config.FsDef, 1);
  EXPECT_EQ(config.DirWrap, 0);
  EXPECT_EQ(config.Ctone, 0);
  EXPECT_EQ(config.Align, 1);
}

TEST_F(ConfigListingTest, TheConfigurationTextIsTheListingAfterTheEcho) {
  Reply(TriAxisReply::kConfig, kMzAnswers.config);
  EXPECT_EQ(identity.configurationText.toStdString(), kMzAnswers.config.substr(7));
  Reply(TriAxisReply::kConfig, "ABSTEMP OFF\r\nECHO ON\r\n");
  EXPECT_EQ(identity.configurationText, "ABSTEMP OFF\r\nECHO ON\r\n");
}

// One line of each value of each setting, between other lines, with either line end.
struct ListedValue {
  std::string_view line;
  int TriAxisConfig::*field;
  int index;
};

constexpr ListedValue kListedValues[] = {
    {"ABSTEMP OFF", &TriAxisConfig::AbsTempMode, 0},
    {"ABSTEMP ON K", &TriAxisConfig::AbsTempMode, 1},
    {"ABSTEMP ON C", &TriAxisConfig::AbsTempMode, 2},
    {"WINDREP UVW CAL", &TriAxisConfig::ReportMode, 0},
    {"WINDREP UVW UNCAL", &TriAxisConfig::ReportMode, 1},
    {"WINDREP POLAR CAL", &TriAxisConfig::ReportMode, 2},
    {"WINDREP POLAR UNCAL", &TriAxisConfig::ReportMode, 3},
    {"WINDREP AXIS", &TriAxisConfig::ReportMode, 4},
    {"SOSREP OFF", &TriAxisConfig::SosMode, 0},
    {"SOSREP SPEED", &TriAxisConfig::SosMode, 1},
    {"SOSREP SONICTEMP K", &TriAxisConfig::SosMode, 2},
    {"SOSREP SONICTEMP C", &TriAxisConfig::SosMode, 3},
    {"STRFMT BINARY", &TriAxisConfig::StrFormat, 0},
    {"STRFMT ASCII PAD", &TriAxisConfig::StrFormat, 1},
    {"STRFMT ASCII UNPAD", &TriAxisConfig::StrFormat, 2},
    {"ASCTERM CR", &TriAxisConfig::Terminator, 0},
    {"ASCTERM CRLF", &TriAxisConfig::Terminator, 1},
    {"ECHO ON", &TriAxisConfig::Echo, 0},
    {"ECHO OFF", &TriAxisConfig::Echo, 1},
    {"MSGMODE CONT", &TriAxisConfig::MessageMode, 0},
    {"MSGMODE POLL", &TriAxisConfig::MessageMode, 1},
    {"BAUD 2400", &TriAxisConfig::Baud, 0},
    {"BAUD 4800", &TriAxisConfig::Baud, 1},
    {"BAUD 9600", &TriAxisConfig::Baud, 2},
    {"BAUD 19200", &TriAxisConfig::Baud, 3},
    {"BAUD 38400", &TriAxisConfig::Baud, 4},
    {"BAUD 57600", &TriAxisConfig::Baud, 5},
    {"BAUD 115200", &TriAxisConfig::Baud, 6},
    {"INST ON", &TriAxisConfig::Instantaneous, 0},
    {"INST OFF", &TriAxisConfig::Instantaneous, 1},
    {"AOPFSD 10", &TriAxisConfig::FsDef, 0},
    {"AOPFSD 20", &TriAxisConfig::FsDef, 1},
    {"AOPFSD 30", &TriAxisConfig::FsDef, 2},
    {"AOPFSD 60", &TriAxisConfig::FsDef, 3},
    {"POLARWRAP 360", &TriAxisConfig::DirWrap, 0},
    {"POLARWRAP 540", &TriAxisConfig::DirWrap, 1},
    {"CTONE DISABLED", &TriAxisConfig::Ctone, 0},
    {"CTONE ON", &TriAxisConfig::Ctone, 1},
    {"CTONE OFF", &TriAxisConfig::Ctone, 2},
    {"ALIGNUVW AXIS", &TriAxisConfig::Align, 0},
    {"ALIGNUVW SPAR", &TriAxisConfig::Align, 1},
};

TEST_F(ConfigListingTest, EveryListedValueSelectsItsIndexWithEitherLineEnd) {
  for (std::string_view lineEnd : {"\r\n", "\r"}) {
    for (const ListedValue& v : kListedValues) {
      config = TriAxisConfig();
      std::string listing = "CONFIG" + std::string(lineEnd);
      // ABSTEMP is always the first line; the others stand after it.
      if (!v.line.starts_with("ABSTEMP")) listing += "ABSTEMP ON C" + std::string(lineEnd);
      listing += std::string(v.line) + std::string(lineEnd) + "AVERAGE 20" + std::string(lineEnd);
      Reply(TriAxisReply::kConfig, listing);
      EXPECT_EQ(config.*v.field, v.index) << v.line << " ending " << lineEnd.size();
    }
  }
}

TEST_F(ConfigListingTest, WithoutEchoTheAbsTempLineGivesTheLineEnd) {
  Reply(TriAxisReply::kConfig, "ABSTEMP ON C\rWINDREP POLAR UNCAL\rAVERAGE 7\rANAIP DDEDDD\r");
  EXPECT_EQ(config.AbsTempMode, 2);
  EXPECT_EQ(config.ReportMode, 3);
  EXPECT_EQ(config.Averaging, "7");
  EXPECT_EQ(config.Aip, Channels("DDEDDD"));
  EXPECT_EQ(identity.configurationText,
            "ABSTEMP ON C\rWINDREP POLAR UNCAL\rAVERAGE 7\rANAIP DDEDDD\r");

  Reply(TriAxisReply::kConfig, "ABSTEMP OFF\r\nWINDREP UVW CAL\r\nAVERAGE 99\r\n");
  EXPECT_EQ(config.AbsTempMode, 0);
  EXPECT_EQ(config.ReportMode, 0);
  EXPECT_EQ(config.Averaging, "99");
}

TEST_F(ConfigListingTest, AListingOfUnknownLineEndIsReadRightAfterEachKeyword) {
  // A stray byte before the echo hides both the echo and the first line's line end.
  Reply(TriAxisReply::kConfig,
        "\x11"
        "CONFIG\r\nABSTEMP ON K\r\nWINDREP AXIS\r\nBAUD 9600\r\nAVERAGE 40\r\nECHO OFF\r\n");
  EXPECT_EQ(config.AbsTempMode, 1);
  EXPECT_EQ(config.ReportMode, 4);
  EXPECT_EQ(config.Baud, 2);
  EXPECT_EQ(config.Averaging, "40");
  EXPECT_EQ(config.Echo, 1);

  // Lines ended by LF alone.
  Reply(TriAxisReply::kConfig, "ABSTEMP OFF\nSOSREP SPEED\nAVERAGE 5\nANAIP EDDDDE\n");
  EXPECT_EQ(config.AbsTempMode, 0);
  EXPECT_EQ(config.SosMode, 1);
  EXPECT_EQ(config.Averaging, "5");
  EXPECT_EQ(config.Aip, Channels("EDDDDE"));
}

TEST_F(ConfigListingTest, AKeywordIsReadFromTheFirstLineThatBeginsWithIt) {
  Reply(TriAxisReply::kConfig,
        "CONFIG\r\nABSTEMP OFF\r\n"
        "BAUDS 4800\r\n"        // not the BAUD line
        "STATUS OK\r\n"         // shares STRFMT's first letters
        "ECHOED BAUD 2400\r\n"  // BAUD inside a line
        "STRFMT ASCII UNPAD\r\nBAUD 38400\r\nBAUD 9600\r\n");
  EXPECT_EQ(config.StrFormat, 2);
  EXPECT_EQ(config.Baud, 4);
}

TEST_F(ConfigListingTest, UnrecognisedValuesLeaveTheirFieldsAsTheyWere) {
  Reply(TriAxisReply::kConfig, kT7Answers.config);
  const TriAxisConfig before = config;
  Reply(TriAxisReply::kConfig,
        "CONFIG\r\nABSTEMP ON\r\nWINDREP POLAR\r\nSOSREP sonictemp c\r\nSTRFMT HEX\r\n"
        "ASCTERM LF\r\nECHO\r\nMSGMODE \r\nBAUD 1200\r\nINST 1\r\nAOPFSD 15\r\n"
        "POLARWRAP 180\r\nCTONE DISABLE\r\nALIGNUVW NORTH\r\nAVERAGE 1000\r\nANAIP ??????\r\n");
  EXPECT_EQ(config.AbsTempMode, before.AbsTempMode);
  EXPECT_EQ(config.ReportMode, before.ReportMode);
  EXPECT_EQ(config.SosMode, before.SosMode);
  EXPECT_EQ(config.StrFormat, before.StrFormat);
  EXPECT_EQ(config.Terminator, before.Terminator);
  EXPECT_EQ(config.Echo, before.Echo);
  EXPECT_EQ(config.MessageMode, before.MessageMode);
  EXPECT_EQ(config.Baud, before.Baud);
  EXPECT_EQ(config.Instantaneous, before.Instantaneous);
  EXPECT_EQ(config.FsDef, before.FsDef);
  EXPECT_EQ(config.DirWrap, before.DirWrap);
  EXPECT_EQ(config.Ctone, before.Ctone);
  EXPECT_EQ(config.Align, before.Align);
  EXPECT_EQ(config.Averaging, before.Averaging);
  EXPECT_EQ(config.Aip, before.Aip);
}

TEST_F(ConfigListingTest, AListingThatNamesSomeSettingsChangesOnlyThose) {
  Reply(TriAxisReply::kConfig, kT7Answers.config);
  TriAxisConfig expected = config;
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP ON K\r\nBAUD 4800\r\n");
  expected.AbsTempMode = 1;
  expected.Baud = 1;
  EXPECT_EQ(config.ReportMode, expected.ReportMode);
  EXPECT_EQ(config.AbsTempMode, expected.AbsTempMode);
  EXPECT_EQ(config.Baud, expected.Baud);
  EXPECT_EQ(config.Averaging, expected.Averaging);
  EXPECT_EQ(config.Aip, expected.Aip);
  EXPECT_EQ(config.Ctone, expected.Ctone);
}

TEST_F(ConfigListingTest, AveragingIsUpToThreeDigitsBeforeTheLineEnd) {
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP OFF\r\nAVERAGE 250\r\n");
  EXPECT_EQ(config.Averaging, "250");
  Reply(TriAxisReply::kConfig, "CONFIG\rABSTEMP OFF\rAVERAGE 8\r");
  EXPECT_EQ(config.Averaging, "8");
  // The listing ends inside the line.
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP OFF\r\nAVERAGE 12");
  EXPECT_EQ(config.Averaging, "12");
  // No value, or no line at all: the averaging stays.
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP OFF\r\nAVERAGE \r\n");
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP OFF\r\nAVERAGE ");
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP OFF\r\nBAUD 9600\r\n");
  EXPECT_EQ(config.Averaging, "12");
}

TEST_F(ConfigListingTest, AnalogueInputsFollowTheirLettersAndOnlyThoseListed) {
  config.Aip = Channels("EEEEEE");
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP OFF\r\nANAIP EDEDDD\r\n");
  EXPECT_EQ(config.Aip, Channels("EDEDDD"));

  // Letters other than E and D, and channels the listing cuts off, keep their state.
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP OFF\r\nANAIP xE-D\r\n");
  EXPECT_EQ(config.Aip, Channels("EEEDDD"));
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP OFF\r\nANAIP DD");
  EXPECT_EQ(config.Aip, Channels("DDEDDD"));
}

TEST_F(ConfigListingTest, TheBinaryFormatHidesGraphWindsockAndAlarmAndAsciiGivesTheGraphBack) {
  menu.Show(MenuId::kWindsock1);
  menu.Show(MenuId::kAlarm);
  Reply(TriAxisReply::kConfig, kMzAnswers.config);
  EXPECT_FALSE(menu.Entry(MenuId::kGraph1).visible);
  EXPECT_FALSE(menu.Entry(MenuId::kWindsock1).visible);
  EXPECT_FALSE(menu.Entry(MenuId::kAlarm).visible);

  Reply(TriAxisReply::kConfig, kT7Answers.config);
  EXPECT_TRUE(menu.Entry(MenuId::kGraph1).visible);
  // Windsock and alarm depend on more than the format; the listing leaves them to their owners.
  EXPECT_FALSE(menu.Entry(MenuId::kWindsock1).visible);
  EXPECT_FALSE(menu.Entry(MenuId::kAlarm).visible);
}

TEST_F(ConfigListingTest, AListingWithoutFormatLeavesTheMenuAlone) {
  menu.Hide(MenuId::kGraph1);
  menu.Show(MenuId::kAlarm);
  Reply(TriAxisReply::kConfig, "CONFIG\r\nABSTEMP OFF\r\nSTRFMT RAW\r\n");
  EXPECT_FALSE(menu.Entry(MenuId::kGraph1).visible);
  EXPECT_TRUE(menu.Entry(MenuId::kAlarm).visible);
}

TEST_F(ConfigListingTest, EveryCutOfAListingLeavesEachFieldUnreadOrOneOfItsItems) {
  for (const auto& answers : {kT7Answers, kMzAnswers}) {
    for (std::size_t length = 0; length <= answers.config.size(); ++length) {
      config = TriAxisConfig();
      Reply(TriAxisReply::kConfig, answers.config.substr(0, length));
      for (const TriAxisChoice& choice : kTriAxisChoices) {
        const int index = config.*choice.field;
        EXPECT_TRUE(index >= -1 && index < static_cast<int>(choice.items.size()))
            << choice.keyword << " after " << length << " characters";
      }
      EXPECT_LE(config.Averaging.size(), 3);
    }
  }
}

TEST_F(ConfigListingTest, TheWindowsAreToldTheRecordRateWhenItIsNew) {
  Reply(TriAxisReply::kSn, kT7_50Answers.sn);
  Reply(TriAxisReply::kVer, kT7_50Answers.ver);
  Reply(TriAxisReply::kConfig, kT7_50Answers.config);  // INST ON: every measurement
  EXPECT_EQ(windows.samplesPerSecond, std::vector<double>{50});

  // Read again for a live window, the same rate leaves the windsock's history alone.
  Reply(TriAxisReply::kConfig, kMz_50Answers.config);  // AVERAGE 25, INST ON
  EXPECT_EQ(windows.samplesPerSecond, std::vector<double>{50});
  Reply(TriAxisReply::kConfig, kT7Answers.config);  // AVERAGE 10, INST OFF
  EXPECT_EQ(windows.samplesPerSecond, (std::vector<double>{50, 5}));

  // Found again: the search set one a second, so the listing tells the rate again.
  Reply(TriAxisReply::kVer, kT7_50Answers.ver);
  Reply(TriAxisReply::kConfig, kT7Answers.config);
  EXPECT_EQ(windows.samplesPerSecond, (std::vector<double>{50, 5, 5}));
}

}  // namespace
}  // namespace ventari::test
