#include "displays/tri_axis_status.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace ventari {
namespace {

using Statuses = std::vector<std::pair<int, int>>;  // address, value; in the order they come

struct Fixture {
  TriAxisConfig config;
  TriAxisIdentity identity{{}, 'O', {}};
  AnemState state;
  TriAxisStatus status{config, identity, state};
};

TEST(TriAxisStatusTest, ShowsTheHighestRankingCondition) {
  const struct {
    Statuses statuses;
    const char* message;
    char serialLetter = 'O';
    const char* softwareVersion = "x.xx";
    int align = -1;
  } cases[] = {
      {{{11, 0xFF}}, "Status OK"},
      {{{0, 0x01}}, "Transducer pair 1 failed"},
      {{{0, 0x05}}, "Transducer pairs 1 & 3 failed"},
      {{{0, 0x07}}, "Transducer pairs 1, 2 & 3 failed"},
      {{{0, 0x05}, {1, 0x00}}, "Status OK"},  // failures last one record
      {{{0, 0x11}, {11, 0}}, "Non-volatile memory error"},
      {{{0, 0x15}}, "Transducer pairs 1 & 3 failed"},
      {{{4, 0x90}}, "Non-volatile memory error"},
      {{{4, 0x80}}, "Clinometer Failed"},
      {{{0, 0x90}, {4, 0x00}}, "Status OK"},
      {{{5, 0x1B}}, "Transducer pair 1 at 100% gain"},
      {{{5, 0x2A}}, "Transducer pairs 1, 2 & 3 at 90% gain"},
      {{{5, 0x05}}, "Transducer pairs 1 & 2 at 50% gain"},
      {{{6, 0x01}}, "Anemometer Type Mis-match", 'H'},
      {{{6, 0x01}}, "Status OK", 'O'},
      {{{6, 0xF8}}, "Status OK", 'S'},  // only the low three bits count
      {{{6, 0x03}}, "Anemometer Type Mis-match", 'O'},
      {{{5, 0x03}, {6, 0x02}}, "Anemometer Type Mis-match"},
      {{{2, 0x1B}}, "Configuration Mis-match"},
      {{{3, 0x01}}, "Configuration Mis-match"},
      {{{6, 0x02}, {3, 0x01}}, "Configuration Mis-match"},
      {{{1, 0x10}}, "Configuration Mis-match", 'O', "3.05", 0},  // spar reported, axis set
      {{{1, 0x00}}, "Configuration Mis-match", 'O', "2.00", 1},
      {{{2, 0x1B}, {1, 0x10}}, "Status OK", 'O', "3.05", 1},
      {{{1, 0x10}}, "Status OK", 'O', "1.90", 0},  // older firmware is not checked
      {{{1, 0x10}}, "Status OK", 'O', "x.xx", 0},  // nor one whose version is no number
  };
  for (const auto& c : cases) {
    Fixture f;
    f.identity.serialLetter = c.serialLetter;
    f.state.SoftwareVersion = c.softwareVersion;
    f.config.Align = c.align;
    f.status.PrepareStatusCheck();
    for (const auto& [address, value] : c.statuses) f.status.ShowStatus(address, value);
    EXPECT_EQ(f.status.Message(), c.message) << "after " << ::testing::PrintToString(c.statuses);
  }
}

TEST(TriAxisStatusTest, AFittedClinometerIsReadAtAddress10) {
  const struct {
    Statuses statuses;
    std::optional<QString> reading;
  } cases[] = {
      {{{1, 0x08}, {7, 0xFF}, {8, 0x9C}, {9, 0x00}, {10, 0x64}}, "Clinometer at: -1, 1"},
      {{{1, 0x08}, {7, 0x00}, {8, 0x7B}, {9, 0xFF}, {10, 0xFF}}, "Clinometer at: 1.23, -0.01"},
      {{{1, 0x08}, {7, 0x80}, {8, 0x00}, {9, 0x7F}, {10, 0xFF}}, "Clinometer at: -327.68, 327.67"},
      {{{1, 0x00}, {7, 0xFF}, {8, 0x9C}, {9, 0x00}, {10, 0x64}}, std::nullopt},
  };
  for (const auto& c : cases) {
    Fixture f;
    std::optional<QString> reading;
    for (const auto& [address, value] : c.statuses) reading = f.status.ShowStatus(address, value);
    EXPECT_EQ(reading, c.reading) << ::testing::PrintToString(c.statuses);
  }
}

TEST(TriAxisStatusTest, ExpectsWhatTheConfigurationSays) {
  const struct {
    int reportMode, dirWrap, fsDef, sosMode, absTempMode;
    std::array<bool, 6> aip;
    int configByte, analogueInputs;
  } cases[] = {
      {2, 1, 2, 1, 0, {}, 0x1B, 0},  // polar 540, 30, speed, no temperature
      {-1, -1, -1, -1, -1, {}, 0x00, 0},
      {0, 1, 0, 0, 0, {}, 0x00, 0},
      {4, 0, 3, 3, 2, {true, true, true, true, true, true}, 0xBD, 6},
      {3, 0, 1, 2, 1, {true, false, true, true}, 0x66, 3},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.config.ReportMode = c.reportMode;
    f.config.DirWrap = c.dirWrap;
    f.config.FsDef = c.fsDef;
    f.config.SosMode = c.sosMode;
    f.config.AbsTempMode = c.absTempMode;
    f.config.Aip = c.aip;
    f.status.PrepareStatusCheck();
    EXPECT_EQ(f.status.ExpectedConfigByte(), c.configByte) << c.reportMode;
    EXPECT_EQ(f.status.ExpectedAnalogueInputs(), c.analogueInputs) << c.reportMode;
    f.status.ShowStatus(2, c.configByte);
    f.status.ShowStatus(3, c.analogueInputs);
    EXPECT_EQ(f.status.Message(), "Status OK");
  }
}

}  // namespace
}  // namespace ventari
