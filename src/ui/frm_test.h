// The production test window ("Anemometer configuration and test"): one page per step of the
// test, shown and hidden by the sensor type, a view over `TestWindowModel`. Each step's page is
// its own widget, installed for its page; a page with none installed shows its caption's place
// and its "Next".
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "service/production_test.h"

class QPrinter;
class QPushButton;
class QTabWidget;

namespace ventari {

class SensorTypePage;
class TestWindowModel;
class ViewRefresh;

class TFrmTest : public QWidget {
  Q_OBJECT

 public:
  // `help` opens the help for the window.
  TFrmTest(TestWindowModel& model, std::function<void()> help, QWidget* parent);
  ~TFrmTest() override;

  // Shows the window for a new unit.
  void Execute();
  void Sync();

  // Puts `widget` (taken over) in the place of `page`'s current widget; the sensor type page is
  // the window's own.
  void SetPageWidget(TestPage page, QWidget* widget);
  QWidget* PageWidget(TestPage page) const { return pages_[Index(page)]; }
  QTabWidget& Pages() { return *tabs_; }
  // The printer the reports go to, as set up with "P&rinter set-up".
  QPrinter& Printer() { return *printer_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  static std::size_t Index(TestPage page) { return static_cast<std::size_t>(page); }
  // A page with no content of its own yet: its "Next" where it has one.
  QWidget* PlaceholderPage(TestPage page);
  void ShowTabs(const std::vector<TestPage>& shown);
  // The tab of `page`, -1 while it is hidden.
  int TabOf(TestPage page) const;
  void PrinterSetUp();
  void TabChosen(int index);

  TestWindowModel& model_;
  std::unique_ptr<QPrinter> printer_;
  QTabWidget* tabs_;
  QPushButton* ok_;
  std::array<QWidget*, kTestPageCount> pages_{};
  SensorTypePage* sensorPage_;
  ViewRefresh* refresh_ = nullptr;
  QString iconFile_;
  int focusRequest_ = 0;
  bool syncing_ = false;
};

}  // namespace ventari
