// The configuration record before any listing, its shorthands, and the commands its choices send.
#include "triaxis/tri_axis_config.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace ventari {
namespace {

TEST(TriAxisConfigTest, NothingIsKnownBeforeAListing) {
  const TriAxisConfig config;
  for (const TriAxisChoice& choice : kTriAxisChoices) {
    EXPECT_EQ(config.*choice.field, -1) << choice.keyword;
  }
  EXPECT_EQ(config.Averaging, "");
  EXPECT_FALSE(config.InstantaneousAvailable);
  EXPECT_EQ(config.Aip, (std::array<bool, 6>{}));
  EXPECT_EQ(config.PcAvgMinutes, 0);
  EXPECT_FALSE(config.ReportsUvw() || config.ReportsPolar() || config.ReportsAxis());
  EXPECT_FALSE(config.IsBinary() || config.IsAsciiPadded() || config.IsAsciiUnpadded());
}

TEST(TriAxisConfigTest, ShorthandsGroupTheReportModesAndStringFormats) {
  TriAxisConfig config;
  const bool uvw[] = {true, true, false, false, false};
  const bool polar[] = {false, false, true, true, false};
  for (int mode = 0; mode < 5; ++mode) {
    config.ReportMode = mode;
    EXPECT_EQ(config.ReportsUvw(), uvw[mode]) << kReportModeItems[mode];
    EXPECT_EQ(config.ReportsPolar(), polar[mode]) << kReportModeItems[mode];
    EXPECT_EQ(config.ReportsAxis(), mode == 4) << kReportModeItems[mode];
  }
  for (int format = 0; format < 3; ++format) {
    config.StrFormat = format;
    EXPECT_EQ(config.IsBinary(), format == 0);
    EXPECT_EQ(config.IsAsciiPadded(), format == 1);
    EXPECT_EQ(config.IsAsciiUnpadded(), format == 2);
  }
}

const TriAxisChoice& ChoiceOf(int TriAxisConfig::*field) {
  for (const TriAxisChoice& choice : kTriAxisChoices) {
    if (choice.field == field) return choice;
  }
  throw std::out_of_range("no such choice");
}

TEST(TriAxisConfigTest, AChoiceSendsItsKeywordABlankAndTheSelectedItem) {
  EXPECT_EQ(ChoiceCommand(ChoiceOf(&TriAxisConfig::ReportMode), 2), "WINDREP POLAR CAL");
  EXPECT_EQ(ChoiceCommand(ChoiceOf(&TriAxisConfig::ReportMode), 3), "WINDREP POLAR UNCAL");
  EXPECT_EQ(ChoiceCommand(ChoiceOf(&TriAxisConfig::Ctone), 0), "CTONE DISABLE");
  EXPECT_EQ(ChoiceCommand(ChoiceOf(&TriAxisConfig::Baud), 3), "BAUD 19200");
  EXPECT_EQ(ChoiceCommand(ChoiceOf(&TriAxisConfig::Align), 1), "ALIGNUVW SPAR");
  EXPECT_EQ(ChoiceCommand(ChoiceOf(&TriAxisConfig::DirWrap), 1), "POLARWRAP 540");
}

TEST(TriAxisConfigTest, AnUnreadOrUnknownSelectionSendsNothing) {
  const TriAxisChoice& baud = ChoiceOf(&TriAxisConfig::Baud);
  EXPECT_EQ(ChoiceCommand(baud, -1), "");
  EXPECT_EQ(ChoiceCommand(baud, 7), "");
  EXPECT_EQ(ChoiceCommand(baud, 6), "BAUD 115200");
}

}  // namespace
}  // namespace ventari
