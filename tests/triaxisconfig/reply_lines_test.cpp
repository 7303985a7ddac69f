// Reading a three-axis anemometer's answer line by line: an acknowledgement counts only where a
// line of the answer begins, never inside the echo of the command.
#include "triaxisconfig/reply_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/virtual_runtime.h"

namespace ventari {
namespace {

struct Row {
  const char* name;
  const char* start;
  std::vector<std::string> chunks;
  bool acknowledged;
  bool prompted;
};

TEST(ReplyLines, AnAcknowledgementBeginsALineOfTheAnswer) {
  const Row rows[] = {
      {"echo, refused UVW", "V", {"WINDREP UVW CAL\r", "ERROR\rT7> "}, false, true},
      {"echo, refused align", "V", {"ALIGNUVW AXIS\r\n", "ERROR\r\nT7> "}, false, true},
      {"echo, taken", "V", {"WINDREP UVW CAL\r", "VALID\rT7> "}, true, true},
      {"echo in pieces", "V", {"WINDREP U", "VW CAL", "\rVA", "LID"}, true, false},
      {"no echo, taken", "V", {"VALID\rT7> "}, true, true},
      {"no echo, refused", "V", {"ERROR\rT7> "}, false, true},
      {"late prompt first", "V", {"T7> ", "VALID\r"}, true, true},
      {"averaging", "VA", {"AVERAGE 10\r", "VALID\r"}, true, false},
      {"averaging, one letter", "VA", {"V\r"}, false, false},
      {"baud", "Co", {"BAUD 9600\r", "Confirm with B\r"}, true, false},
      {"baud refused", "Co", {"BAUD 9600\r", "ERROR\rT7> "}, false, true},
      {"lower case", "V", {"valid\r"}, true, false},
      {"prompt only", "", {"\rT7> "}, false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    VirtualRuntime runtime;
    SerialPort port(runtime, {});
    ReplyLines lines(runtime, port);
    lines.Begin(QByteArray(row.start));
    for (const std::string& chunk : row.chunks) {
      lines.Receive(reinterpret_cast<const std::uint8_t*>(chunk.data()), chunk.size());
    }
    EXPECT_EQ(lines.Acknowledged(), row.acknowledged);
    EXPECT_EQ(lines.Prompted(), row.prompted);
  }
}

TEST(ReplyLines, BeginForgetsWhatCameBefore) {
  VirtualRuntime runtime;
  SerialPort port(runtime, {});
  ReplyLines lines(runtime, port);
  lines.Begin("V");
  const std::string answer = "VALID\rT7> ";
  lines.Receive(reinterpret_cast<const std::uint8_t*>(answer.data()), answer.size());
  ASSERT_TRUE(lines.Acknowledged());
  lines.Begin("V");
  EXPECT_FALSE(lines.Acknowledged());
  EXPECT_FALSE(lines.Prompted());
}

TEST(ReplyLines, TheLastByteIsTimed) {
  VirtualRuntime runtime;
  SerialPort port(runtime, {});
  ReplyLines lines(runtime, port);
  runtime.Schedule(40, [] {});
  runtime.WaitUntil([&runtime] { return runtime.NowMs() >= 40; });
  const std::string byte = "x";
  lines.Receive(reinterpret_cast<const std::uint8_t*>(byte.data()), 1);
  EXPECT_EQ(lines.LastByteMs(), 40);
}

}  // namespace
}  // namespace ventari
