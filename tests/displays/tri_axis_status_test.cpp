#include "displays/tri_axis_status.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace ventari {
namespace {

using Statuses = std::vector<std::pair<int, int>>;

struct Fixture {
  TriAxisConfig config;
  TriAxisIdentity identity;
  AnemState state;
  TriAxisStatus status{config, identity, state};
};

struct MessageCase {
  const char* name;
  Statuses statuses;  // address, value; in the order the records bring them
  char serialLetter = 'O';
  const char* softwareVersion = "x.xx";
  int align = -1;
  const char* message = "";
};

class StatusMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(StatusMessageTest, ShowsTheHighestRankingCondition) {
  const MessageCase& c = GetParam();
  Fixture f;
  f.identity.serialLetter = c.serialLetter;
  f.state.SoftwareVersion = c.softwareVersion;
  f.config.Align = c.align;
  f.status.PrepareStatusCheck();
  for (const auto& [address, value] : c.statuses) f.status.ShowStatus(address, value);
  EXPECT_EQ(f.status.Message(), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Ranking, StatusMessageTest,
    ::testing::Values(
        MessageCase{"NothingReported", {{11, 0xFF}}, 'O', "x.xx", -1, "Status OK"},
        MessageCase{"OnePairFailed", {{0, 0x01}}, 'O', "x.xx", -1, "Transducer pair 1 failed"},
        MessageCase{"PairTwoFailed", {{0, 0x02}}, 'O', "x.xx", -1, "Transducer pair 2 failed"},
        MessageCase{"PairsOneAndThreeFailed",
                    {{0, 0x05}},
                    'O',
                    "x.xx",
                    -1,
                    "Transducer pairs 1 & 3 failed"},
        MessageCase{"PairsTwoAndThreeFailed",
                    {{0, 0x06}},
                    'O',
                    "x.xx",
                    -1,
                    "Transducer pairs 2 & 3 failed"},
        MessageCase{
            "AllPairsFailed", {{0, 0x07}}, 'O', "x.xx", -1, "Transducer pairs 1, 2 & 3 failed"},
        MessageCase{"FailuresLastOneRecord", {{0, 0x05}, {1, 0x00}}, 'O', "x.xx", -1, "Status OK"},
        MessageCase{"AnAddressAbove10ClearsFailuresOnly",
                    {{0, 0x11}, {11, 0}},
                    'O',
                    "x.xx",
                    -1,
                    "Non-volatile memory error"},
        MessageCase{
            "FailureOutranksMemory", {{0, 0x15}}, 'O', "x.xx", -1, "Transducer pairs 1 & 3 failed"},
        MessageCase{
            "MemoryOutranksClinometer", {{4, 0x90}}, 'O', "x.xx", -1, "Non-volatile memory error"},
        MessageCase{"ClinometerFailed", {{4, 0x80}}, 'O', "x.xx", -1, "Clinometer Failed"},
        MessageCase{
            "Address4ClearsWhatAddress0Set", {{0, 0x90}, {4, 0x00}}, 'O', "x.xx", -1, "Status OK"},
        MessageCase{
            "GainsRankByLevel", {{5, 0x1B}}, 'O', "x.xx", -1, "Transducer pair 1 at 100% gain"},
        MessageCase{
            "AllPairsAt90", {{5, 0x2A}}, 'O', "x.xx", -1, "Transducer pairs 1, 2 & 3 at 90% gain"},
        MessageCase{"PairsOneAndTwoAt50",
                    {{5, 0x05}},
                    'O',
                    "x.xx",
                    -1,
                    "Transducer pairs 1 & 2 at 50% gain"},
        MessageCase{"GainsLastUntilTheNextReport",
                    {{5, 0x30}, {0, 0}, {1, 0}},
                    'O',
                    "x.xx",
                    -1,
                    "Transducer pair 3 at 100% gain"},
        MessageCase{"MzReportedToAT7", {{6, 0x02}}, 'O', "x.xx", -1, "Anemometer Type Mis-match"},
        MessageCase{"T7ReportedToAnMz", {{6, 0x01}}, 'H', "x.xx", -1, "Anemometer Type Mis-match"},
        MessageCase{"MatchingType", {{6, 0x01}}, 'O', "x.xx", -1, "Status OK"},
        MessageCase{"LetterS", {{6, 0x00}}, 'S', "x.xx", -1, "Status OK"},
        MessageCase{"OnlyTheLowThreeBitsCount", {{6, 0xF9}}, 'O', "x.xx", -1, "Status OK"},
        MessageCase{"UnknownModel", {{6, 0x03}}, 'O', "x.xx", -1, "Anemometer Type Mis-match"},
        MessageCase{"NoSerialLetter", {{6, 0x01}}, 0, "x.xx", -1, "Anemometer Type Mis-match"},
        MessageCase{"TypeOutranksGain",
                    {{5, 0x03}, {6, 0x02}},
                    'O',
                    "x.xx",
                    -1,
                    "Anemometer Type Mis-match"},
        MessageCase{"ConfigurationByte", {{2, 0x1B}}, 'O', "x.xx", -1, "Configuration Mis-match"},
        MessageCase{"ExpectedConfigurationByte", {{2, 0x00}}, 'O', "x.xx", -1, "Status OK"},
        MessageCase{"AnalogueInputCount", {{3, 0x01}}, 'O', "x.xx", -1, "Configuration Mis-match"},
        MessageCase{"ConfigurationOutranksType",
                    {{6, 0x02}, {3, 0x01}},
                    'O',
                    "x.xx",
                    -1,
                    "Configuration Mis-match"},
        MessageCase{"SparReportedToAxis", {{1, 0x10}}, 'O', "3.05", 0, "Configuration Mis-match"},
        MessageCase{"AxisReportedToSpar", {{1, 0x00}}, 'O', "2.00", 1, "Configuration Mis-match"},
        MessageCase{"SparMatches", {{1, 0x10}}, 'O', "3.05", 1, "Status OK"},
        MessageCase{"OlderFirmwareIsNotChecked", {{1, 0x10}}, 'O', "1.90", 0, "Status OK"},
        MessageCase{"AVersionThatIsNoNumberIsNotChecked", {{1, 0x10}}, 'O', "x.xx", 0, "Status OK"},
        MessageCase{"AlignmentClearsAnEarlierMismatch",
                    {{2, 0x1B}, {1, 0x10}},
                    'O',
                    "3.05",
                    1,
                    "Status OK"},
        MessageCase{"OlderFirmwareKeepsAnEarlierMismatch",
                    {{2, 0x1B}, {1, 0x10}},
                    'O',
                    "1.00",
                    1,
                    "Configuration Mis-match"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClinometerCase {
  const char* name;
  Statuses statuses;
  std::optional<QString> reading;  // after the last status
};

class ClinometerTest : public ::testing::TestWithParam<ClinometerCase> {};

TEST_P(ClinometerTest, AFittedClinometerIsReadAtAddress10) {
  const ClinometerCase& c = GetParam();
  Fixture f;
  std::optional<QString> reading;
  for (const auto& [address, value] : c.statuses) reading = f.status.ShowStatus(address, value);
  EXPECT_EQ(reading, c.reading);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, ClinometerTest,
    ::testing::Values(
        ClinometerCase{"Fitted",
                       {{1, 0x08}, {7, 0xFF}, {8, 0x9C}, {9, 0x00}, {10, 0x64}},
                       QString("Clinometer at: -1, 1")},
        ClinometerCase{"Hundredths",
                       {{1, 0x08}, {7, 0x00}, {8, 0x7B}, {9, 0xFF}, {10, 0xFF}},
                       QString("Clinometer at: 1.23, -0.01")},
        ClinometerCase{"Extremes",
                       {{1, 0x08}, {7, 0x80}, {8, 0x00}, {9, 0x7F}, {10, 0xFF}},
                       QString("Clinometer at: -327.68, 327.67")},
        ClinometerCase{
            "NotFitted", {{1, 0x00}, {7, 0xFF}, {8, 0x9C}, {9, 0x00}, {10, 0x64}}, std::nullopt},
        ClinometerCase{"OnlyAddress10Completes", {{1, 0x08}, {9, 0x00}}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExpectedCase {
  const char* name;
  int reportMode, dirWrap, fsDef, sosMode, absTempMode;
  std::array<bool, 6> aip;
  int configByte;
  int analogueInputs;
};

class PrepareStatusCheckTest : public ::testing::TestWithParam<ExpectedCase> {};

TEST_P(PrepareStatusCheckTest, ExpectsWhatTheConfigurationSays) {
  const ExpectedCase& c = GetParam();
  Fixture f;
  f.config.ReportMode = c.reportMode;
  f.config.DirWrap = c.dirWrap;
  f.config.FsDef = c.fsDef;
  f.config.SosMode = c.sosMode;
  f.config.AbsTempMode = c.absTempMode;
  f.config.Aip = c.aip;
  f.status.PrepareStatusCheck();
  EXPECT_EQ(f.status.ExpectedConfigByte(), c.configByte);
  EXPECT_EQ(f.status.ExpectedAnalogueInputs(), c.analogueInputs);
  f.status.ShowStatus(2, c.configByte);
  f.status.ShowStatus(3, c.analogueInputs);
  EXPECT_EQ(f.status.Message(), "Status OK");
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, PrepareStatusCheckTest,
    ::testing::Values(
        ExpectedCase{"Polar540", 2, 1, 2, 1, 0, {}, 0x1B, 0},
        ExpectedCase{"NothingRead", -1, -1, -1, -1, -1, {}, 0x00, 0},
        ExpectedCase{"UvwAtTen", 0, 1, 0, 0, 0, {}, 0x00, 0},
        ExpectedCase{
            "AxisWithEverything", 4, 0, 3, 3, 2, {true, true, true, true, true, true}, 0xBD, 6},
        ExpectedCase{
            "PolarUncal360", 3, 0, 1, 2, 1, {true, false, true, true, false, false}, 0x66, 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ventari
