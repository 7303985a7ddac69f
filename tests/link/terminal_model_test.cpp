#include "link/terminal_model.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <string>

#include "base/virtual_runtime.h"
#include "support/file_contents.h"
#include "support/scripted_line.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

const QString kFileError =
    QStringLiteral("Can't perform one of the following file operations: Open, Close.");

class TerminalModelTest : public ::testing::Test {
 protected:
  void SetUp() override { port.SetOpen(true); }
  void Arrive(const std::string& bytes) {
    line.DeliverIn(0, bytes);
    rt.RunFor(10);
  }
  QString StartLog(const QString& name) {
    const QString path = dir.filePath(name);
    prompts.files.push_back(path);
    terminal.Datalogging1Click();
    return path;
  }

  VirtualRuntime rt;
  test::ScriptedLine line{rt};
  SerialPort port{rt, line.Factory()};
  test::ScriptedPrompts prompts;
  TerminalModel terminal{rt, port, prompts};
  QTemporaryDir dir;
};

TEST_F(TerminalModelTest, TypedKeysGoOutOneByOneWithBackspaceAsDelAndNoEcho) {
  terminal.Type('D');
  terminal.Type('1');
  terminal.Backspace();
  terminal.Type('\r');
  EXPECT_EQ(line.SentText(), "D1\x7f\r");
  EXPECT_EQ(terminal.Screen().Text(), "");
}

TEST_F(TerminalModelTest, ALineIsTypedAKeyATickWithAPauseAfterTheStarAndLineEndsAsEnter) {
  const struct {
    const char* text;
    const char* sent;
  } cases[] = {
      {"*", "*\r"},
      {"D1\nD2", "D1\rD2\r"},
      {"D1\r\nD2\r", "D1\rD2\r\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    line.ClearSent();
    terminal.TypeLine(c.text);
    EXPECT_EQ(line.SentText(), c.sent);
    const auto& sent = line.Sent();
    for (std::size_t i = 1; i < sent.size(); ++i) {
      const int pause = sent[i - 1].byte == '*' ? TerminalModel::kAfterStarMs : kTimerTickMs;
      EXPECT_GE(sent[i].atMs - sent[i - 1].atMs, pause) << i;
    }
  }
}

TEST_F(TerminalModelTest, KeysIntoAClosedPortAreDroppedAndTheStatusSaysWhy) {
  port.SetOpen(false);
  terminal.Type('x');
  EXPECT_TRUE(line.Sent().empty());
  EXPECT_EQ(terminal.PortStatus(), " COM1 8 None 1 9600 - port closed, keys not sent");
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(TerminalModelTest, StatusNamesEveryParityAndFollowsThePort) {
  const char* names[] = {"None", "Odd", "Even", "Mark", "Space"};
  for (int code = 0; code < 5; ++code) {
    EXPECT_EQ(TerminalModel::ParityName(ParityFromCode(code)), names[code]);
  }
  port.SetLine({19200, Parity::kMark, 7, 2});
  terminal.RefreshStatus();
  EXPECT_EQ(terminal.PortStatus(), " COM1 7 Mark 2 19200");
  port.SetName(QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(terminal.PortStatus(), " /dev/ttyUSB0 7 Mark 2 19200");
}

TEST_F(TerminalModelTest, ReceivedBytesAreShownAndCapturedExactlyAsReceived) {
  using namespace std::string_literals;
  const std::string framed = "\x02Q,+001.20,M,00,\x03"s + "2A\r\n\xff\x00 end"s;
  const QString path = StartLog(QStringLiteral("cap"));
  EXPECT_EQ(prompts.Messages().size(), 0u);
  EXPECT_EQ(terminal.LogCaption(), "&Stop log file");
  EXPECT_EQ(terminal.LogStatus(), " Logging data to ..." + path + ".dat");
  Arrive(framed);
  EXPECT_EQ(test::FileContents(path + ".dat"), QByteArray(framed.data(), framed.size()));
  terminal.Datalogging1Click();
  EXPECT_EQ(terminal.LogCaption(), "&Start log file");
  EXPECT_EQ(terminal.LogStatus(), " Log file " + path + ".dat closed");
  EXPECT_TRUE(terminal.Screen().Text().endsWith(" end"));
}

TEST_F(TerminalModelTest, StartingOnAnExistingFileReplacesIt) {
  QFile old(dir.filePath("old.txt"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("previous contents");
  old.close();
  StartLog(QStringLiteral("old.txt"));
  Arrive("new");
  EXPECT_EQ(test::FileContents(old.fileName()), "new");
}

TEST_F(TerminalModelTest, CancellingTheDialogChangesNothing) {
  terminal.Datalogging1Click();
  EXPECT_EQ(terminal.LogCaption(), "&Start log file");
  EXPECT_EQ(terminal.LogStatus(), "");
}

TEST_F(TerminalModelTest, AFileThatCannotBeCreatedLeavesLoggingOffAndSaysSo) {
  const QString path = StartLog(QStringLiteral("no/such/folder/x.dat"));
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, kFileError);
  EXPECT_EQ(prompts.Messages()[0].caption, "File Error");
  EXPECT_EQ(terminal.LogCaption(), "&Start log file");
  EXPECT_EQ(terminal.LogStatus(), " Not logging: " + path + " could not be created");
  Arrive("still shown");
  EXPECT_EQ(terminal.Screen().Text(), "still shown");
}

TEST_F(TerminalModelTest, AWriteFailingDuringCaptureStopsCapturing) {
  if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full here";
  const QString full = dir.filePath(QStringLiteral("full.dat"));
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), full));
  StartLog(QStringLiteral("full.dat"));
  ASSERT_EQ(terminal.LogCaption(), "&Stop log file");
  Arrive("abc");
  ASSERT_EQ(prompts.Count(kFileError), 1);
  EXPECT_EQ(terminal.LogCaption(), "&Start log file");
  EXPECT_EQ(terminal.LogStatus(), " Log file " + full + " could not be written: logging stopped");
  Arrive("def");
  EXPECT_EQ(prompts.Count(kFileError), 1);
  EXPECT_EQ(terminal.Screen().Text(), "abcdef");
}

TEST_F(TerminalModelTest, TheWriteFailureBoxWaitsUntilTheMatchersHaveTheBytesAndTheyStayInOrder) {
  if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full here";
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), dir.filePath(QStringLiteral("full.dat"))));
  StartLog(QStringLiteral("full.dat"));
  // A consumer registered after the terminal, as the packet matchers are.
  std::string matched;
  port.AddReceiveConsumer([&matched](std::span<const std::uint8_t> bytes) {
    matched.append(bytes.begin(), bytes.end());
  });
  std::string matchedWhenShown;
  prompts.onMessage = [&](const test::ScriptedPrompts::Shown&) {
    matchedWhenShown = matched;
    Arrive("def");  // while the box waits for the user
  };
  Arrive("abc");
  EXPECT_EQ(prompts.Count(kFileError), 1);
  EXPECT_EQ(matchedWhenShown, "abc");
  EXPECT_EQ(matched, "abcdef");
}

TEST_F(TerminalModelTest, ABareNameIsExtendedBeforeAnExistingFileOfThatNameIsReplaced) {
  const struct {
    const char* name;
    std::deque<PromptButton> answers;
    QStringList names;  // what the dialog gives, in turn
    QString captured;   // the file the bytes go to; empty: none
  } cases[] = {
      {"replaced when the user agrees", {PromptButton::kYes}, {"run1"}, "run1.dat"},
      {"another name chosen", {PromptButton::kNo}, {"run1", "run2"}, "run2.dat"},
      {"the dialog cancelled the second time", {PromptButton::kNo}, {"run1"}, ""},
  };
  const QString existing = dir.filePath(QStringLiteral("run1.dat"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    {
      QFile earlier(existing);
      ASSERT_TRUE(earlier.open(QIODevice::WriteOnly | QIODevice::Truncate));
      earlier.write("earlier run");
    }
    prompts.answers = c.answers;
    for (const QString& name : c.names) prompts.files.push_back(dir.filePath(name));
    terminal.Datalogging1Click();
    Arrive("new");
    ASSERT_FALSE(prompts.Messages().empty());
    EXPECT_EQ(prompts.Messages().back().text,
              existing + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(terminal.LogCaption(), c.captured.isEmpty() ? "&Start log file" : "&Stop log file");
    if (!c.captured.isEmpty()) {
      EXPECT_EQ(test::FileContents(dir.filePath(c.captured)), "new");
      terminal.Datalogging1Click();
    }
    if (c.captured != "run1.dat") {
      EXPECT_EQ(test::FileContents(existing), "earlier run");
    }
  }
}

TEST_F(TerminalModelTest, DetachedItSeesNothingAndTheInsertKeyAndClearWork) {
  terminal.Detach();
  Arrive("boot dialogue");
  // As the flash programmer leaves the port when it is done.
  port.FlushInBuffer();
  terminal.Reattach();
  terminal.Reattach();
  Arrive("x\r\n");
  EXPECT_EQ(terminal.Screen().Text(), "x\n");
  terminal.ToggleScrollBack();
  EXPECT_TRUE(terminal.Screen().ScrollBack());
  terminal.ClearTerminal();
  EXPECT_EQ(terminal.Screen().Text(), "");
}

}  // namespace
}  // namespace ventari
