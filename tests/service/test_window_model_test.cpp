// The production test window as the technician drives it: the type set, the serial number asked,
// the pages shown and the moves from page to page.
#include "service/test_window_model.h"

#include <gtest/gtest.h>

#include "service/hardware_checks.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

using P = TestPage;

class TestWindowModelTest : public ::testing::Test {
 protected:
  TestWindowModelTest() { model.FormShow(); }

  // Sets type `index` answering the serial number question with `answers`.
  void SetType(int index, std::initializer_list<std::optional<QString>> answers = {"012345"}) {
    prompts.inputs.assign(answers);
    model.AnemometerTypeClick(index);
    model.BtnSetSensorTypeClick();
  }

  // The messages shown besides the serial number question.
  std::vector<test::ScriptedPrompts::Shown> Refusals() const {
    std::vector<test::ScriptedPrompts::Shown> shown;
    for (const auto& message : prompts.Messages()) {
      if (message.text != kQuestion) shown.push_back(message);
    }
    return shown;
  }

  static constexpr char kQuestion[] = "Please enter the UUT serial number.";
  ProductionTest test;
  test::ScriptedPrompts prompts;
  int reports = 0;
  TestWindowModel model{test, prompts, [this] { ++reports; }};
};

const std::vector<P> kKestrixPages = {
    P::kSensorType,          P::kFlashMemory,     P::kNonVolatileMemory, P::kHardwareDiagnostics,
    P::kSoftwareDiagnostics, P::kTxdrPathLengths, P::kCalibrateSos,      P::kCalibrateAnalogue};
const std::vector<P> kLarkvanePages = {
    P::kSensorType, P::kNonVolatileMemory, P::kSelectTest,    P::kPartA,
    P::kPartB,      P::kPartBSoftware,     P::kPartBHardware, P::kPartC};

TEST_F(TestWindowModelTest, EachTypeRecordsItsStateCodeAndSizeShowsItsPagesAndMovesOn) {
  struct Case {
    const char* item;
    SensorState state;
    std::uint8_t code;
    const char* text;  // "-": kept from before
    int option;        // 0: kept from before
    bool xeq;
  };
  const Case cases[] = {
      {"&1   Kestrix II ", SensorState::kKestrix2Unheated, 69, "E", 0, false},
      {"&2   Kestrix II ( with analogue outputs )", SensorState::kKestrix2Unheated, 69, "EA", 0,
       false},
      {"&3   Kestrix II ( Heated )", SensorState::kKestrix2Heated, 70, "F", 0, false},
      {"&4   Kestrix II ( Heated, with analogue outputs )", SensorState::kKestrix2Heated, 70, "FA",
       0, false},
      {"&5   Larkvane Option 1", SensorState::kLarkvane, 89, "-", 1, false},
      {"&6   Larkvane Option 2", SensorState::kLarkvane, 89, "-", 2, false},
      {"&7   Larkvane Option 3", SensorState::kLarkvane, 89, "-", 3, false},
      {"&8   Larkvane Option 4 (SDI-12 h/w only)", SensorState::kLarkvane, 89, "-", 4, false},
      {"&9   XEQ", SensorState::kKestrix2Unheated, 69, "E", 0, true},
  };
  ASSERT_EQ(TestWindowModel::SensorTypes().size(), std::size(cases));
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    const Case& c = cases[i];
    const bool larkvane = c.state == SensorState::kLarkvane;
    model.FormClose();
    model.FormShow();
    test.sensorText = QStringLiteral("before");
    test.larkvaneOption = 3;
    SetType(i);
    EXPECT_EQ(TestWindowModel::SensorTypes()[static_cast<std::size_t>(i)].text, c.item);
    EXPECT_EQ(test.sensor, c.state) << i;
    EXPECT_EQ(test.sensorCode, c.code) << i;
    EXPECT_EQ(test.sensorText, c.text == QLatin1String("-") ? "before" : c.text) << i;
    EXPECT_EQ(test.larkvaneOption, c.option ? c.option : 3) << i;
    EXPECT_EQ(test.xeq, c.xeq) << i;
    EXPECT_EQ(test.eepromSize, larkvane ? 946 : 512) << i;
    EXPECT_EQ(test.serialNumber, "012345") << i;
    EXPECT_EQ(model.ShownPages(), larkvane ? kLarkvanePages : kKestrixPages) << i;
    EXPECT_EQ(model.View().activePage, larkvane ? P::kSelectTest : P::kFlashMemory) << i;
  }
  // The Larkvane icon, once loaded, stays for the other types too.
  EXPECT_EQ(model.View().iconFile, "Larkvane.ico");
}

TEST(TestPages, CaptionsInTheirOrder) {
  const QStringList captions = {"&Sensor type",
                                "Flash &memory",
                                "&Non volatile memory",
                                "&Hardware diagnostics",
                                "Software &diagnostics",
                                "&Txdr path lengths",
                                "Ca&librate SOS",
                                "Calibrate &analogue outputs",
                                "Se&lect test",
                                "PART &A - Head tests",
                                "PART &B - Assembly tests",
                                "PART B - Soft&ware tests",
                                "PART B - Ha&rdware tests",
                                "PART &C - Final assembly tests"};
  ASSERT_EQ(captions.size(), kTestPageCount);
  for (int i = 0; i < kTestPageCount; ++i) {
    EXPECT_EQ(TestWindowModel::PageCaption(static_cast<TestPage>(i)), captions[i]);
  }
}

TEST_F(TestWindowModelTest, OnlySixDigitsAreASerialNumber) {
  const QString numeric = "The unit serial number must be entirely numeric.";
  const QString length = "The unit serial number must be 6 digits long.";
  struct Case {
    std::optional<QString> answer;
    QString message;  // empty: accepted (or nothing asked again)
  };
  const Case cases[] = {{"123456", ""},      {"012345", ""},
                        {"12345", length},   {"1234567", length},
                        {"12a456", numeric}, {"-12345", numeric},
                        {" 12345", numeric}, {"+12345", numeric},
                        {"12345 ", numeric}, {"", ""},
                        {std::nullopt, ""}};
  for (const Case& c : cases) {
    const QString label = c.answer.value_or("(cancel)");
    model.FormClose();
    model.FormShow();
    prompts = test::ScriptedPrompts();
    // A refused answer is asked again; the second answer is cancelled.
    SetType(0, {c.answer});
    const bool accepted = c.message.isEmpty() && c.answer && !c.answer->isEmpty();
    EXPECT_EQ(test.serialNumber, accepted ? *c.answer : "") << label.toStdString();
    EXPECT_EQ(model.View().activePage, accepted ? P::kFlashMemory : P::kSensorType)
        << label.toStdString();
    EXPECT_EQ(prompts.Messages()[0].caption, "Ventari");
    EXPECT_EQ(prompts.Count(kQuestion), c.message.isEmpty() ? 1 : 2) << label.toStdString();
    const auto refusals = Refusals();
    ASSERT_EQ(refusals.size(), c.message.isEmpty() ? 0u : 1u) << label.toStdString();
    if (c.message.isEmpty()) continue;
    EXPECT_EQ(refusals[0].text, c.message);
    EXPECT_EQ(refusals[0].caption,
              c.message == numeric ? "I don't believe you wanted to do that!" : "Pobbin's tip");
  }
}

TEST_F(TestWindowModelTest, TheQuestionIsAskedUntilAValidAnswer) {
  SetType(2, {"12345", "12a456", "654321"});
  EXPECT_EQ(test.serialNumber, "654321");
  EXPECT_EQ(Refusals().size(), 2u);
  EXPECT_EQ(prompts.Count(kQuestion), 3);
  EXPECT_EQ(model.View().activePage, P::kFlashMemory);
}

TEST_F(TestWindowModelTest, AHeldSerialNumberIsNotAskedAgainAndThePageStays) {
  SetType(0, {"111111"});
  model.GoTo(P::kNonVolatileMemory);
  SetType(2, {"333333"});
  EXPECT_EQ(test.serialNumber, "111111");
  EXPECT_EQ(prompts.inputs.size(), 1u);  // not asked
  EXPECT_EQ(test.sensorText, "F");
  EXPECT_EQ(model.View().activePage, P::kNonVolatileMemory);
  // Entering the sensor type page begins a new serial number.
  model.GoTo(P::kSensorType);
  EXPECT_EQ(test.serialNumber, "");
}

TEST_F(TestWindowModelTest, NextOnTheSensorPageBeginsTheSequenceOfTheTypeSet) {
  model.BtnSkip1Click();
  EXPECT_EQ(model.View().activePage, P::kSensorType);
  EXPECT_EQ(prompts.Count("Please set the sensor type first."), 1);

  SetType(3, {std::nullopt});  // the serial number put off
  model.BtnSkip1Click();
  EXPECT_EQ(model.View().activePage, P::kFlashMemory);
  EXPECT_EQ(test.sensor, SensorState::kKestrix2Heated);
  EXPECT_EQ(test.sensorText, "FA");

  model.GoTo(P::kSensorType);
  SetType(6, {std::nullopt});
  model.Next(P::kSensorType);
  EXPECT_EQ(model.View().activePage, P::kSelectTest);
}

TEST_F(TestWindowModelTest, TheNextButtonsWalkEachSequence) {
  SetType(0);
  std::vector<P> visited = {model.View().activePage};
  for (int step = 0; step < 6; ++step) {
    model.Next(model.View().activePage);
    visited.push_back(model.View().activePage);
  }
  EXPECT_EQ(visited, std::vector<P>(kKestrixPages.begin() + 1, kKestrixPages.end()));

  model.GoTo(P::kSensorType);
  SetType(5);
  const std::pair<P, P> larkvane[] = {{P::kPartA, P::kSelectTest},
                                      {P::kPartB, P::kNonVolatileMemory},
                                      {P::kNonVolatileMemory, P::kPartBSoftware},
                                      {P::kPartBSoftware, P::kPartBHardware},
                                      {P::kPartBHardware, P::kSelectTest}};
  for (const auto& [from, to] : larkvane) {
    model.GoTo(from);
    model.Next(from);
    EXPECT_EQ(model.View().activePage, to) << TestWindowModel::PageCaption(from).toStdString();
  }
}

TEST_F(TestWindowModelTest, PagesAreLeftEnteredAndClosedInOrder) {
  std::vector<std::string> calls;
  model.AddEnterHook(P::kSoftwareDiagnostics, [&] { calls.push_back("enter diagnostics"); });
  model.AddLeaveHook(P::kSoftwareDiagnostics, [&] { calls.push_back("leave diagnostics"); });
  model.AddLeaveHook(P::kTxdrPathLengths, [&] { calls.push_back("leave paths"); });
  model.AddCloseHook([&] { calls.push_back("close"); });
  SetType(0);
  EXPECT_FALSE(model.GoTo(P::kPartC));  // hidden for a Kestrix II
  EXPECT_TRUE(model.GoTo(P::kSoftwareDiagnostics));
  EXPECT_TRUE(model.GoTo(P::kSoftwareDiagnostics));  // already there: not entered again
  model.Next(P::kSoftwareDiagnostics);
  model.FormClose();
  model.FormClose();  // closed already
  EXPECT_EQ(calls, (std::vector<std::string>{"enter diagnostics", "leave diagnostics",
                                             "leave paths", "close"}));
  EXPECT_EQ(model.View().anemometerType, -1);
  EXPECT_FALSE(model.View().visible);
}

TEST_F(TestWindowModelTest, ShowingStartsANewUnitOnTheSensorPage) {
  SetType(2);
  model.AnemometerTypeClick(4);
  EXPECT_EQ(model.View().focus, "BtnSetSensorType");
  model.FormShow();  // open already: it only comes to the front
  EXPECT_EQ(model.View().anemometerType, 4);
  EXPECT_EQ(test.serialNumber, "012345");
  model.FormClose();
  model.FormShow();
  EXPECT_TRUE(model.View().visible);
  EXPECT_EQ(model.View().anemometerType, -1);
  EXPECT_EQ(test.sensor, SensorState::kNone);
  EXPECT_EQ(test.sensorCode, 32);
  EXPECT_EQ(test.serialNumber, "");
  EXPECT_EQ(model.ShownPages(), std::vector<P>{P::kSensorType});
  EXPECT_EQ(model.View().activePage, P::kSensorType);
  EXPECT_EQ(model.View().focus, "BtnSkip1");
}

TEST_F(TestWindowModelTest, TheReportRunsOnlyForATypeSet) {
  model.OKBtnClick();
  EXPECT_EQ(reports, 0);
  SetType(8);
  model.OKBtnClick();
  EXPECT_EQ(reports, 1);
}

TEST_F(TestWindowModelTest, HardwareChecksAreClearedOnEnteringAndShowTheirInstructions) {
  HardwareChecks checks(test, model);
  SetType(0);
  for (int i = 0; i < kHardwareCheckCount; ++i) checks.SetChecked(i, true);
  EXPECT_TRUE(checks.AllPassed());
  checks.Hover(4);
  EXPECT_EQ(checks.Memo().size(), 6);
  EXPECT_EQ(checks.Memo().last(),
            "approximately 300uS between end of TX pulse and start of Rx pulse.");
  checks.Hover(0);
  EXPECT_EQ(checks.Memo(), QStringList{"Measure the DC voltage across capacitor C54 using a "
                                       "digital voltmeter."});
  checks.Hover(5);  // no such check: the memo stays
  EXPECT_EQ(checks.Memo().size(), 1);

  model.GoTo(P::kHardwareDiagnostics);
  EXPECT_FALSE(checks.AllPassed());
  EXPECT_FALSE(checks.Checked(0));
  EXPECT_EQ(model.View().focus, "BtnSkip4");
  checks.BtnSkip4Click();
  EXPECT_EQ(model.View().activePage, P::kSoftwareDiagnostics);
}

}  // namespace
}  // namespace ventari
