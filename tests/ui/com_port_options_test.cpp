// The port settings dialog shows the port's settings and hands the user's choice to its model.
#include "ui/com_port_options.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "app/port_parameters.h"
#include "link/serial_port.h"
#include "sim/sim_serial_port.h"
#include "support/line_status_spy.h"
#include "support/screenshot.h"
#include "support/scripted_line.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

class ComPortOptionsTest : public ::testing::Test {
 protected:
  ComPortOptionsTest() {
    port.SetName("sim:larkvane");
    port.SetLine({38400, Parity::kSpace, 7, 2});
    port.SetOpen(true);
    dialog.Load();
  }

  template <typename T>
  T* Child(const char* name) {
    auto* child = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QString Text(const char* combo) { return Child<QComboBox>(combo)->currentText(); }

  VirtualRuntime rt;
  test::ScriptedLine line{rt};
  sim::SimulatedPorts simulated{rt, line.Factory()};
  SerialPort port{rt, simulated.Factory()};
  test::ScriptedPrompts prompts;
  test::LineStatusSpy status;
  ChangeNotifier portChosen;
  PortParameters params{port,   prompts,    [] { return QStringList{"COM1", "sim:t7"}; },
                        status, portChosen, [] {}};
  QWidget terminal;
  ComPortOptions options{params};
  ComPortOptionsDialog& dialog = options.Dialog(&terminal);
};

TEST_F(ComPortOptionsTest, ShowsThePortsSettingsWithTheListsAndLabels) {
  EXPECT_EQ(dialog.windowTitle(), "Com Port Options");
  auto* ports = Child<QListWidget>("ComPorts");
  ASSERT_EQ(ports->count(), 3);
  EXPECT_EQ(ports->currentItem()->text(), "sim:larkvane");
  EXPECT_EQ(Text("CbBaud"), "38400");
  EXPECT_EQ(Text("CbParity"), "Space");
  EXPECT_EQ(Text("CbDataBits"), "7");
  EXPECT_EQ(Text("CbStopBits"), "2");
  EXPECT_EQ(Child<QComboBox>("CbBaud")->count(), 10);
  EXPECT_EQ(Child<QComboBox>("CbDataBits")->itemText(3), "5");
  EXPECT_EQ(Child<QGroupBox>("GbFlowControl")->title(), "&Flow control:");
  EXPECT_FALSE(Child<QCheckBox>("RtsCts")->isChecked());
  EXPECT_EQ(Child<QSpinBox>("XonChar")->value(), 17);
  EXPECT_EQ(Child<QSpinBox>("XoffChar")->value(), 19);
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  for (const char* text : {"&Baud rates:", "&Parity:", "&Data bits:", "&Stop bits:"}) {
    EXPECT_TRUE(labels.contains(text)) << text;
  }
  dialog.show();
  test::Keep(dialog, "com_port_options");
}

TEST_F(ComPortOptionsTest, OkMovesThePortOntoTheChosenSettingsAndTheDialogIsKept) {
  Child<QComboBox>("CbBaud")->setCurrentText("2400");
  Child<QComboBox>("CbParity")->setCurrentText("Even");
  Child<QComboBox>("CbStopBits")->setCurrentText("1");
  Child<QPushButton>("BtnOk")->click();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.Line(), (LineSettings{2400, Parity::kEven, 7, 1}));
  EXPECT_EQ(status.refreshes, 1);
  EXPECT_EQ(&options.Dialog(nullptr), &dialog);
}

TEST_F(ComPortOptionsTest, ARefusedChoiceLeavesThePortClosedWithAMessage) {
  Child<QComboBox>("CbDataBits")->setCurrentText("6");
  Child<QCheckBox>("DtrDsr")->setChecked(true);
  Child<QPushButton>("BtnOk")->click();
  EXPECT_FALSE(port.IsOpen());
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_TRUE(prompts.Messages()[0].text.startsWith(
      "sim:larkvane could not be opened with 38400 baud, 6 data bits, Space parity, 2 stop "
      "bits, DTR/DSR flow control."));
}

TEST_F(ComPortOptionsTest, CancelChangesNothingAndTheNextShowRefills) {
  Child<QListWidget>("ComPorts")->setCurrentRow(1);
  Child<QComboBox>("CbBaud")->setCurrentText("300");
  Child<QCheckBox>("SoftwareTransmit")->setChecked(true);
  Child<QPushButton>("BtnCancel")->click();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.Name(), "sim:larkvane");
  EXPECT_EQ(port.Line(), (LineSettings{38400, Parity::kSpace, 7, 2}));
  EXPECT_TRUE(port.Flow().IsOff());
  EXPECT_EQ(status.refreshes, 0);
  dialog.Load();
  EXPECT_EQ(Text("CbBaud"), "38400");
  EXPECT_FALSE(Child<QCheckBox>("SoftwareTransmit")->isChecked());
}

}  // namespace
}  // namespace ventari
