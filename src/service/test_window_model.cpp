#include "service/test_window_model.h"

#include <algorithm>

namespace ventari {
namespace {

constexpr int kSerialNumberLength = 6;

struct PageEntry {
  const char* caption;
  const char* nextName;
  const char* nextCaption;
};

// In the order of TestPage. The Larkvane pages' buttons read "&Next", the others "Ne&xt".
constexpr PageEntry kPages[kTestPageCount] = {
    {"&Sensor type", "BtnSkip1", "Ne&xt"},
    {"Flash &memory", "BtnSkip2", "Ne&xt"},
    {"&Non volatile memory", "BtnSkip3", "Ne&xt"},
    {"&Hardware diagnostics", "BtnSkip4", "Ne&xt"},
    {"Software &diagnostics", "BtnSkip5", "Ne&xt"},
    {"&Txdr path lengths", "BtnSkip6", "Ne&xt"},
    {"Ca&librate SOS", "BtnSkip7", "Ne&xt"},
    {"Calibrate &analogue outputs", "", ""},
    {"Se&lect test", "BtnSkip8", "&Next"},
    {"PART &A - Head tests", "BtnSkip9", "&Next"},
    {"PART &B - Assembly tests", "BtnSkip11", "&Next"},
    {"PART B - Soft&ware tests", "BtnSkip12", "&Next"},
    {"PART B - Ha&rdware tests", "BtnSkip13", "&Next"},
    {"PART &C - Final assembly tests", "", ""},
};

constexpr TestPage kKestrixPages[] = {
    TestPage::kFlashMemory,     TestPage::kHardwareDiagnostics, TestPage::kSoftwareDiagnostics,
    TestPage::kTxdrPathLengths, TestPage::kCalibrateSos,        TestPage::kCalibrateAnalogue};
constexpr TestPage kLarkvanePages[] = {TestPage::kSelectTest,    TestPage::kPartA,
                                       TestPage::kPartB,         TestPage::kPartBSoftware,
                                       TestPage::kPartBHardware, TestPage::kPartC};

std::uint8_t StateCode(SensorState state) {
  switch (state) {
    case SensorState::kKestrix2Unheated:
      return 'E';
    case SensorState::kKestrix2Heated:
      return 'F';
    case SensorState::kLarkvane:
      return 'Y';
    case SensorState::kNone:
      break;
  }
  return ' ';
}

// A serial number is six of the characters 0 to 9: a sign or a blank is no digit.
bool EntirelyNumeric(const QString& text) {
  return std::all_of(text.begin(), text.end(),
                     [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

}  // namespace

TestWindowModel::TestWindowModel(ProductionTest& test, Prompts& prompts,
                                 std::function<void()> printReport)
    : test_(test), prompts_(prompts), printReport_(std::move(printReport)) {
  view_.pageShown[Index(TestPage::kSensorType)] = true;
}

QString TestWindowModel::PageCaption(TestPage page) {
  return QString::fromLatin1(kPages[Index(page)].caption);
}

QString TestWindowModel::NextButtonName(TestPage page) {
  return QString::fromLatin1(kPages[Index(page)].nextName);
}

QString TestWindowModel::NextButtonCaption(TestPage page) {
  return QString::fromLatin1(kPages[Index(page)].nextCaption);
}

std::optional<TestPage> TestWindowModel::NextPage(TestPage from, bool larkvane) {
  switch (from) {
    case TestPage::kFlashMemory:
      return TestPage::kNonVolatileMemory;
    case TestPage::kNonVolatileMemory:
      return larkvane ? TestPage::kPartBSoftware : TestPage::kHardwareDiagnostics;
    case TestPage::kHardwareDiagnostics:
      return TestPage::kSoftwareDiagnostics;
    case TestPage::kSoftwareDiagnostics:
      return TestPage::kTxdrPathLengths;
    case TestPage::kTxdrPathLengths:
      return TestPage::kCalibrateSos;
    case TestPage::kCalibrateSos:
      return TestPage::kCalibrateAnalogue;
    case TestPage::kPartA:
    case TestPage::kPartBHardware:
      return TestPage::kSelectTest;
    case TestPage::kPartB:
      return TestPage::kNonVolatileMemory;
    case TestPage::kPartBSoftware:
      return TestPage::kPartBHardware;
    // The sensor type page moves by the type set, the test selection by the test chosen; the
    // last pages of both sequences have no "Next".
    case TestPage::kSensorType:
    case TestPage::kSelectTest:
    case TestPage::kCalibrateAnalogue:
    case TestPage::kPartC:
      break;
  }
  return std::nullopt;
}

const std::vector<SensorTypeItem>& TestWindowModel::SensorTypes() {
  static const std::vector<SensorTypeItem> items = {
      {QStringLiteral("&1   Kestrix II "), SensorState::kKestrix2Unheated, QStringLiteral("E"), 0,
       false},
      {QStringLiteral("&2   Kestrix II ( with analogue outputs )"), SensorState::kKestrix2Unheated,
       QStringLiteral("EA"), 0, false},
      {QStringLiteral("&3   Kestrix II ( Heated )"), SensorState::kKestrix2Heated,
       QStringLiteral("F"), 0, false},
      {QStringLiteral("&4   Kestrix II ( Heated, with analogue outputs )"),
       SensorState::kKestrix2Heated, QStringLiteral("FA"), 0, false},
      {QStringLiteral("&5   Larkvane Option 1"), SensorState::kLarkvane, QString(), 1, false},
      {QStringLiteral("&6   Larkvane Option 2"), SensorState::kLarkvane, QString(), 2, false},
      {QStringLiteral("&7   Larkvane Option 3"), SensorState::kLarkvane, QString(), 3, false},
      {QStringLiteral("&8   Larkvane Option 4 (SDI-12 h/w only)"), SensorState::kLarkvane,
       QString(), 4, false},
      {QStringLiteral("&9   XEQ"), SensorState::kKestrix2Unheated, QStringLiteral("E"), 0, true},
  };
  return items;
}

TestPage TestWindowModel::FirstPage(SensorState sensor) {
  return sensor == SensorState::kLarkvane ? TestPage::kSelectTest : TestPage::kFlashMemory;
}

std::vector<TestPage> TestWindowModel::ShownPages() const {
  std::vector<TestPage> pages;
  for (int i = 0; i < kTestPageCount; ++i) {
    if (view_.pageShown[static_cast<std::size_t>(i)]) pages.push_back(static_cast<TestPage>(i));
  }
  return pages;
}

void TestWindowModel::FormShow() {
  // An open window only comes to the front: its unit stays.
  if (view_.visible) return;
  view_.visible = true;
  view_.anemometerType = -1;
  test_.StartNewUnit();
  unitStarted_.Notify();
  view_.pageShown.fill(false);
  view_.pageShown[Index(TestPage::kSensorType)] = true;
  // The page is entered anew even when it was the active one: a new unit begins.
  Activate(TestPage::kSensorType);
  RequestFocus(QStringLiteral("BtnSkip1"));
}

void TestWindowModel::FormClose() {
  if (!view_.visible) return;
  view_.visible = false;
  view_.anemometerType = -1;
  for (const auto& hook : leaveHooks_[Index(view_.activePage)]) hook();
  for (const auto& hook : closeHooks_) hook();
  changed_.Notify();
}

bool TestWindowModel::GoTo(TestPage page) {
  if (!IsShown(page)) return false;
  if (page == view_.activePage) return true;
  if (view_.portBusy) return false;
  for (const auto& hook : leaveHooks_[Index(view_.activePage)]) hook();
  Activate(page);
  return true;
}

void TestWindowModel::Activate(TestPage page) {
  view_.activePage = page;
  if (page == TestPage::kSensorType) test_.serialNumber.clear();
  for (const auto& hook : enterHooks_[Index(page)]) hook();
  changed_.Notify();
}

void TestWindowModel::Next(TestPage from) {
  if (from == TestPage::kSensorType) {
    BtnSkip1Click();
    return;
  }
  if (const auto to = NextPage(from, test_.IsLarkvane())) GoTo(*to);
}

void TestWindowModel::RequestFocus(const QString& control) {
  view_.focus = control;
  ++view_.focusRequest;
  changed_.Notify();
}

void TestWindowModel::AnemometerTypeClick(int index) {
  if (index < 0 || index >= static_cast<int>(SensorTypes().size())) return;
  view_.anemometerType = index;
  RequestFocus(QStringLiteral("BtnSetSensorType"));
}

void TestWindowModel::BtnSetSensorTypeClick() {
  if (view_.anemometerType < 0 || view_.portBusy) return;
  const SensorTypeItem& item = SensorTypes()[static_cast<std::size_t>(view_.anemometerType)];
  test_.sensor = item.state;
  test_.sensorCode = StateCode(item.state);
  if (!item.code.isEmpty()) test_.sensorText = item.code;
  if (item.larkvaneOption > 0) test_.larkvaneOption = item.larkvaneOption;
  test_.xeq = item.xeq;
  const bool larkvane = item.state == SensorState::kLarkvane;
  ShowPagesOf(larkvane);
  if (larkvane) view_.iconFile = QStringLiteral("Larkvane.ico");
  test_.eepromSize = larkvane ? kLarkvaneEepromSize : kKestrixEepromSize;
  changed_.Notify();
  sensorTypeSet_.Notify();
  if (!test_.serialNumber.isEmpty()) return;
  if (AskSerialNumber()) GoTo(FirstPage(item.state));
}

void TestWindowModel::ShowPagesOf(bool larkvane) {
  for (TestPage page : kKestrixPages) view_.pageShown[Index(page)] = !larkvane;
  for (TestPage page : kLarkvanePages) view_.pageShown[Index(page)] = larkvane;
  view_.pageShown[Index(TestPage::kNonVolatileMemory)] = true;
}

bool TestWindowModel::AskSerialNumber() {
  for (;;) {
    const std::optional<QString> answer =
        prompts_.InputText(QStringLiteral("Ventari"),
                           QStringLiteral("Please enter the UUT serial number."), QString());
    if (!answer || answer->isEmpty()) return false;
    if (!EntirelyNumeric(*answer)) {
      prompts_.ShowMessage(QStringLiteral("The unit serial number must be entirely numeric."),
                           QStringLiteral("I don't believe you wanted to do that!"));
    } else if (answer->size() != kSerialNumberLength) {
      prompts_.ShowMessage(QStringLiteral("The unit serial number must be 6 digits long."),
                           QStringLiteral("Pobbin's tip"));
    } else {
      test_.serialNumber = *answer;
      return true;
    }
  }
}

void TestWindowModel::BtnSkip1Click() {
  // The type set stays set: its sequence begins.
  if (test_.sensor == SensorState::kNone) {
    prompts_.ShowMessage(QStringLiteral("Please set the sensor type first."),
                         QStringLiteral("Ventari"));
    return;
  }
  GoTo(FirstPage(test_.sensor));
}

void TestWindowModel::OKBtnClick() {
  if (view_.portBusy) return;
  if (test_.sensor == SensorState::kNone) {
    prompts_.ShowMessage(QStringLiteral("Please set the sensor type first."),
                         QStringLiteral("Ventari"));
    return;
  }
  printReport_();
}

void TestWindowModel::SetPortBusy(bool busy) {
  if (view_.portBusy == busy) return;
  view_.portBusy = busy;
  changed_.Notify();
}

void TestWindowModel::AddEnterHook(TestPage page, std::function<void()> hook) {
  enterHooks_[Index(page)].push_back(std::move(hook));
}

void TestWindowModel::AddLeaveHook(TestPage page, std::function<void()> hook) {
  leaveHooks_[Index(page)].push_back(std::move(hook));
}

}  // namespace ventari
