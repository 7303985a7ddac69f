// The SN and VER answers: serial letter and number, model, caption, picture, software version
// and the identity text.
#include <gtest/gtest.h>

#include <ostream>

#include "listing_fixture.h"
#include "tri_axis_answers.h"

namespace ventari::test {
namespace {

using IdentificationTest = ListingFixture;

struct ModelCase {
  const char* name;
  TriAxisAnswers answers;
  char serialLetter;
  const char* serialNumber;
  AnemModel model;
  const char* caption;
  const char* picture;
  const char* version;
  bool instantaneousAvailable;
};

// Test names and failure messages name the model.
void PrintTo(const ModelCase& c, std::ostream* os) { *os << c.name; }

class EveryModelTest : public ListingFixture, public ::testing::WithParamInterface<ModelCase> {};

TEST_P(EveryModelTest, SnAndVerIdentifyTheModel) {
  const ModelCase& c = GetParam();
  Reply(TriAxisReply::kSn, c.answers.sn);
  Reply(TriAxisReply::kVer, c.answers.ver);

  EXPECT_EQ(identity.serialLetter, c.serialLetter);
  EXPECT_EQ(state.SerialNumber, c.serialNumber);
  EXPECT_EQ(state.Model, c.model);
  EXPECT_EQ(state.ModelCaption, c.caption);
  EXPECT_EQ(state.PictureFile, c.picture);
  EXPECT_EQ(state.SoftwareVersion, c.version);
  EXPECT_EQ(config.InstantaneousAvailable, c.instantaneousAvailable);
}

INSTANTIATE_TEST_SUITE_P(
    TriAxisModels, EveryModelTest,
    ::testing::Values(
        ModelCase{"T7", kT7Answers, 'O', "123456", AnemModel::kT7, "T7", "T7.jpg", "2.11", false},
        ModelCase{"MZ", kMzAnswers, 'H', "654321", AnemModel::kMz, "MZ", "MZ.jpg", "1.40", false},
        ModelCase{"T7_50", kT7_50Answers, 'O', "200417", AnemModel::kT7_50, "T7(50Hz)", "T7.jpg",
                  "3.05", true},
        ModelCase{"MZ_50", kMz_50Answers, 'H', "310052", AnemModel::kMz_50, "MZ(50Hz)", "MZ.jpg",
                  "3.10", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IdentificationTest, TheIdentityTextIsTheSnAnswerThenTheVerAnswerWithoutTheirEchoes) {
  Reply(TriAxisReply::kSn, kT7Answers.sn);
  Reply(TriAxisReply::kVer, kT7Answers.ver);
  EXPECT_EQ(identity.identityText, "O123456\r\nT7 Ultrasonic Anemometer Version 2.11\r\n");

  Reply(TriAxisReply::kSn, kMzAnswers.sn);
  EXPECT_EQ(identity.identityText, "H654321\r");
}

TEST_F(IdentificationTest, AnswersWithoutEchoAreReadWhole) {
  Reply(TriAxisReply::kSn, "O777001\r\n");
  Reply(TriAxisReply::kVer, "T7 50Hz Version 3.07\r\n");
  EXPECT_EQ(identity.serialLetter, 'O');
  EXPECT_EQ(state.SerialNumber, "777001");
  EXPECT_EQ(state.Model, AnemModel::kT7_50);
  EXPECT_EQ(state.SoftwareVersion, "3.07");
  EXPECT_EQ(identity.identityText, "O777001\r\nT7 50Hz Version 3.07\r\n");
}

TEST_F(IdentificationTest, OnlyOneLeadingBlankOfTheVerAnswerGoes) {
  Reply(TriAxisReply::kSn, kT7Answers.sn);
  Reply(TriAxisReply::kVer, "  VER\r\nT7 50Hz Version 3.05\r\n");
  // The echo is not where it is expected, so it stays, and the text does not begin "T7 50Hz".
  EXPECT_EQ(state.Model, AnemModel::kT7);
  EXPECT_EQ(state.SoftwareVersion, "3.05");
}

TEST_F(IdentificationTest, AnotherSerialLetterLeavesModelCaptionAndPictureAsTheyWere) {
  Reply(TriAxisReply::kSn, kMz_50Answers.sn);
  Reply(TriAxisReply::kVer, kMz_50Answers.ver);

  Reply(TriAxisReply::kSn, "SN\r\nS000099\r\n");
  Reply(TriAxisReply::kVer, "VER\r\nT7 Version 4.00\r\n");
  EXPECT_EQ(identity.serialLetter, 'S');
  EXPECT_EQ(state.SerialNumber, "000099");
  EXPECT_EQ(state.Model, AnemModel::kMz_50);
  EXPECT_EQ(state.ModelCaption, "MZ(50Hz)");
  EXPECT_EQ(state.PictureFile, "MZ.jpg");
  EXPECT_EQ(state.SoftwareVersion, "4.00");
}

TEST_F(IdentificationTest, InstantaneousOutputStaysAvailableAfterAModelWithout50Hz) {
  Reply(TriAxisReply::kSn, kT7_50Answers.sn);
  Reply(TriAxisReply::kVer, kT7_50Answers.ver);
  Reply(TriAxisReply::kSn, kMzAnswers.sn);
  Reply(TriAxisReply::kVer, kMzAnswers.ver);
  EXPECT_EQ(state.Model, AnemModel::kMz);
  EXPECT_TRUE(config.InstantaneousAvailable);
}

TEST_F(IdentificationTest, TheLastVersionFollowedByAnythingGivesTheSoftwareVersion) {
  Reply(TriAxisReply::kSn, kT7Answers.sn);

  Reply(TriAxisReply::kVer, "VER\r\nBoot Version 1.00\r\nMain Version 2.34\r\n");
  EXPECT_EQ(state.SoftwareVersion, "2.34");

  // Letter case counts.
  Reply(TriAxisReply::kVer, "VER\r\nMain version 9.99\r\n");
  EXPECT_EQ(state.SoftwareVersion, "2.34");

  // Fewer than four characters after it: those there are.
  Reply(TriAxisReply::kVer, "VER\r\nVersion 3.1");
  EXPECT_EQ(state.SoftwareVersion, "3.1");

  // Nothing after it: the occurrence before it counts.
  Reply(TriAxisReply::kVer, "VER\r\nVersion 5.02 Version ");
  EXPECT_EQ(state.SoftwareVersion, "5.02");
}

TEST_F(IdentificationTest, AShortSnAnswerGivesTheCharactersItHas) {
  Reply(TriAxisReply::kSn, "SN\rH12");
  EXPECT_EQ(identity.serialLetter, 'H');
  EXPECT_EQ(state.SerialNumber, "12");

  Reply(TriAxisReply::kSn, "SN\rO");
  EXPECT_EQ(identity.serialLetter, 'O');
  EXPECT_EQ(state.SerialNumber, "");
}

TEST_F(IdentificationTest, AnEmptySnAnswerNamesNoFamilyAndKeepsTheSerialNumber) {
  Reply(TriAxisReply::kSn, kT7Answers.sn);
  Reply(TriAxisReply::kSn, "SN\r\n");
  EXPECT_EQ(identity.serialLetter, 0);
  EXPECT_EQ(state.SerialNumber, "123456");
  EXPECT_EQ(identity.identityText, "");

  // With no serial letter the VER answer cannot tell the family.
  Reply(TriAxisReply::kVer, kT7_50Answers.ver);
  EXPECT_FALSE(state.Model.has_value());
  EXPECT_EQ(state.SoftwareVersion, "3.05");
}

TEST_F(IdentificationTest, EmptyAnswersChangeNothingButTheIdentityText) {
  const AnemState before;
  Reply(TriAxisReply::kSn, "");
  Reply(TriAxisReply::kVer, "");
  Reply(TriAxisReply::kVer, " ");
  EXPECT_EQ(state.SerialNumber, before.SerialNumber);
  EXPECT_EQ(state.SoftwareVersion, before.SoftwareVersion);
  EXPECT_EQ(state.ModelCaption, before.ModelCaption);
  EXPECT_FALSE(state.Model.has_value());
  EXPECT_EQ(identity.identityText, "");
}

}  // namespace
}  // namespace ventari::test
