// The "Flash &memory" page of the production test window: the firmware file (the "*.s" files of
// the srecords folder, or one chosen through the file dialog), the target processor, and
// "&Program", which asks, runs the flash programming and moves on after success.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "base/change_notifier.h"
#include "base/prompts.h"
#include "service/flash_programmer.h"
#include "service/production_test.h"
#include "service/service_file_names.h"
#include "service/service_folder.h"

namespace ventari {

// What the page shows.
struct FlashPageView {
  QStringList files;  // SRecordString's items: bare names, or full paths chosen through "..."
  int file = -1;      // the selected item, -1 none
  int target = -1;    // TargetProcString's selection, -1 none
  // BtnProgram1 takes the focus each time this changes.
  int focusRequest = 0;
};

class FlashPageModel {
 public:
  static constexpr int kH8_3334 = 0;
  static constexpr int kH8_3337 = 1;

  // TargetProcString's items.
  static const QStringList& TargetProcessors();
  // The test window's file dialog filter, shared with the EEPROM page.
  static QString FileFilter();

  struct Parts {
    Prompts& prompts;
    ProductionTest& test;
    const ServiceFolder& folder;
    const ServiceFileNames& fileNames;
    FlashProgrammer& programmer;
    // Makes another page of the test window active.
    std::function<void(TestPage)> goTo;
  };
  explicit FlashPageModel(Parts parts);

  const FlashPageView& View() const { return view_; }
  ChangeNotifier& Changed() { return changed_; }

  // The page is shown: the list is filled anew and the defaults of the sensor type selected.
  void Show();
  void SelectFile(int index);
  void SelectTarget(int index);
  // "...": a file chosen is added to the list as its full path and selected.
  void BrowseClick();
  // "&Program".
  void BtnProgram1Click();
  // "Ne&xt".
  void BtnSkip2Click();

  // SRecordPath: the srecords folder, ending in a separator.
  QString SRecordPath() const { return parts_.folder.SRecords(); }
  // The selected file as the programmer opens it: a bare name joined to SRecordPath, a chosen
  // file by its full path.
  QString ApplicationPath() const;
  QString KernelPath() const;

 private:
  QString SelectedText() const;

  Parts parts_;
  FlashPageView view_;
  ChangeNotifier changed_;
};

}  // namespace ventari
