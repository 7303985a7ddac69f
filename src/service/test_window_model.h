// The production test window's state (TFrmTest): which pages are shown and which is active, the
// sensor type page with the unit's type and serial number, and the moves from page to page.
// Each page's own model registers what it does on entering and leaving its page.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "base/change_notifier.h"
#include "base/prompts.h"
#include "service/production_test.h"

namespace ventari {

// What the window shows.
struct TestWindowView {
  bool visible = false;
  std::array<bool, kTestPageCount> pageShown{};
  TestPage activePage = TestPage::kSensorType;
  int anemometerType = -1;  // the AnemometerType selection, -1 none
  QString iconFile;         // the window icon's picture; empty: the application's icon
  // The control that takes the focus (its object name), asked for anew each time
  // `focusRequest` changes.
  QString focus;
  int focusRequest = 0;
  // A flash or EEPROM run uses the port: only the active page is enabled, for one exchange at a
  // time with the anemometer.
  bool portBusy = false;
};

// One item of the AnemometerType radio group and what setting it records.
struct SensorTypeItem {
  QString text;
  SensorState state;
  QString code;        // empty: the sensor code is kept
  int larkvaneOption;  // 0: not a Larkvane
  bool xeq;
};

class TestWindowModel {
 public:
  // `printReport` prints the report of the type set (the window's "&OK").
  TestWindowModel(ProductionTest& test, Prompts& prompts, std::function<void()> printReport);
  TestWindowModel(const TestWindowModel&) = delete;
  TestWindowModel& operator=(const TestWindowModel&) = delete;

  static QString PageCaption(TestPage page);
  // The page's "Next" button (object name and caption), and where it leads from there for a
  // Larkvane or another type; nothing where the page's own model decides.
  static QString NextButtonName(TestPage page);
  static QString NextButtonCaption(TestPage page);
  static std::optional<TestPage> NextPage(TestPage from, bool larkvane);
  static const std::vector<SensorTypeItem>& SensorTypes();
  // The first page of a type's sequence once its serial number is known.
  static TestPage FirstPage(SensorState sensor);

  const TestWindowView& View() const { return view_; }
  ChangeNotifier& Changed() { return changed_; }
  // The shown pages, in their order.
  std::vector<TestPage> ShownPages() const;
  bool IsShown(TestPage page) const { return view_.pageShown[Index(page)]; }

  // Showing the closed window starts a new unit on the sensor type page: none of the last
  // unit's results is kept, here or in the pages' models (told through UnitStarted()).
  void FormShow();
  // Closing clears the type's selection; the active page is left and the close hooks run.
  void FormClose();

  // Makes a shown page active (a tab chosen, a "Next", a step that succeeded); a hidden page
  // stays hidden and inactive, and while the port is busy the active page stays. Returns
  // whether `page` is active afterwards.
  bool GoTo(TestPage page);
  // The "Next" button of page `from`.
  void Next(TestPage from);
  void RequestFocus(const QString& control);

  // The sensor type page.
  void AnemometerTypeClick(int index);
  void BtnSetSensorTypeClick();
  void BtnSkip1Click();
  // "&OK": the report of the type set; while none is set, the user is told to set one. Nothing
  // while the port is busy.
  void OKBtnClick();

  // A flash or EEPROM run starts or ends using the port: while it does, no other page can be
  // chosen, no type set and no report printed.
  void SetPortBusy(bool busy);

  // Run when `page` becomes active.
  void AddEnterHook(TestPage page, std::function<void()> hook);
  // Run when `page` stops being active: another page became active or the window closed.
  void AddLeaveHook(TestPage page, std::function<void()> hook);
  // Run when the window closes, whichever page is active (after that page's leave hooks).
  void AddCloseHook(std::function<void()> hook) { closeHooks_.push_back(std::move(hook)); }
  // Told when a type is set, before its serial number is asked (the EEPROM page enables the
  // controls of that family).
  ChangeNotifier& SensorTypeSet() { return sensorTypeSet_; }
  // Told when the window opens for a new unit: each page's model forgets the last unit's results.
  ChangeNotifier& UnitStarted() { return unitStarted_; }

 private:
  static std::size_t Index(TestPage page) { return static_cast<std::size_t>(page); }
  void Activate(TestPage page);
  void ShowPagesOf(bool larkvane);
  // Asks until a valid serial number is given or the operator gives up; true when one was.
  bool AskSerialNumber();

  ProductionTest& test_;
  Prompts& prompts_;
  std::function<void()> printReport_;
  TestWindowView view_;
  ChangeNotifier changed_;
  ChangeNotifier sensorTypeSet_;
  ChangeNotifier unitStarted_;
  std::array<std::vector<std::function<void()>>, kTestPageCount> enterHooks_;
  std::array<std::vector<std::function<void()>>, kTestPageCount> leaveHooks_;
  std::vector<std::function<void()>> closeHooks_;
};

}  // namespace ventari
