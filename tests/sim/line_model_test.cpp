#include "sim/line_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sim_line_fixture.h"

namespace ventari::sim {
namespace {

class LineModelTest : public SimLineTest {
 protected:
  bool AllGarbage(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  }
};

TEST_F(LineModelTest, AtTheWrongRateTheDeviceHearsNothingAndSendsGarbage) {
  Open("kestrix2", 19200);  // the device runs at 9600
  port.PutChar('*');
  runtime.RunFor(3000);
  const std::string text = Take();
  EXPECT_TRUE(AllGarbage(text));
  EXPECT_EQ(text.find('\x02'), std::string::npos);
  // The device went on streaming its 24-byte messages at 9600 (two have arrived): a receiver
  // twice as fast frames each character as two.
  EXPECT_EQ(text.size(), 2u * 24 * 2);
  EXPECT_FALSE(Device().Device().InConfigMode());

  port.SetBaud(9600);
  Take();
  port.PutChar('*');
  runtime.RunFor(1000);
  EXPECT_NE(Take().find("CONFIGURATION MODE"), std::string::npos);
}

TEST_F(LineModelTest, ParityAndDataBitsMustMatchToo) {
  Open("t7", 19200);
  for (const auto& [bits, parity] : {std::pair{7, Parity::kEven}, std::pair{8, Parity::kOdd}}) {
    port.SetDataBits(bits);
    port.SetParity(parity);
    Take();
    Command("IM");
    runtime.RunFor(1000);
    EXPECT_FALSE(Device().Device().InConfigMode());
    EXPECT_TRUE(AllGarbage(Take()));
  }
  port.SetDataBits(8);
  port.SetParity(Parity::kNone);
  Command("IM");
  EXPECT_TRUE(Device().Device().InConfigMode());
}

TEST_F(LineModelTest, EachByteTakesItsTransmissionTime) {
  Open("kestrix2", 9600);
  EnterConfig();
  Command("B6");
  port.SetBaud(1200);
  Command("B");
  Take();
  // At 1200 baud 8N1 a byte is 10 bits, 8.33 ms. In configuration mode "*" comes back as its
  // echo and the banner, which starts after the processing time and then takes a byte time
  // per byte.
  const std::int64_t sentAt = runtime.NowMs();
  port.PutChar('*');
  runtime.RunFor(1000);
  const double byteMs = 10 * 1000.0 / 1200;
  const std::string banner = "\r\nCONFIGURATION MODE\r\n";
  ASSERT_EQ(received.size(), 1 + banner.size());
  // Events fall on whole milliseconds, so each hop may add up to one.
  EXPECT_NEAR(received[0].atMs, sentAt + 2 * byteMs, 2.0);
  EXPECT_NEAR(received[1].atMs, sentAt + byteMs + SimDevice::kDefaultProcessingMs + byteMs, 2.0);
  EXPECT_NEAR(received.back().atMs - received[1].atMs, (banner.size() - 1) * byteMs, 1.0);
  EXPECT_EQ(Take(), "*" + banner);
}

TEST_F(LineModelTest, FlushedOutputNeverReachesTheDevice) {
  Open("kestrix2", 9600);
  port.PutString("*");
  port.FlushOutBuffer();
  runtime.RunFor(1000);
  EXPECT_FALSE(Device().Device().InConfigMode());
}

TEST_F(LineModelTest, DrainingThePortWaitsUntilTheDeviceHasHeardTheLastByte) {
  Open("kestrix2", 9600);
  std::string heard;
  Device().Line().SetHeardHandler(
      [&heard](std::uint8_t byte) { heard.push_back(static_cast<char>(byte)); });
  // 100 bytes at 9600 baud 8N1 take 104 ms.
  const std::string text = std::string(99, 'x') + "\r";
  const std::int64_t sentAt = runtime.NowMs();
  port.PutString(text);
  EXPECT_FALSE(port.Drain(50));
  EXPECT_TRUE(port.Drain(1000));
  EXPECT_EQ(heard, text);
  // Then the time of a hardware transmit buffer more: 16 bytes, 17 ms.
  EXPECT_NEAR(runtime.NowMs() - sentAt, 104 + 17, 3);
  EXPECT_TRUE(port.Drain(1000)) << "nothing left to send";
}

TEST_F(LineModelTest, APortVanishesAndReturnsOnceEachTimeAndCanVanishAgain) {
  Open("kestrix2", 9600);
  LineModel& line = Device().Line();
  int returns = 0;
  line.SetReturnHandler([&returns] { ++returns; });
  int closings = 0;
  port.AddStateConsumer([&closings](bool open) { closings += open ? 0 : 1; });
  struct Step {
    void (LineModel::*act)();
    bool vanished;
    int closings;
    int returns;
  };
  const Step steps[] = {
      {&LineModel::Vanish, true, 1, 0},  {&LineModel::Vanish, true, 1, 0},
      {&LineModel::Return, false, 1, 1}, {&LineModel::Return, false, 1, 1},
      {&LineModel::Vanish, true, 1, 1},  // the port was not open again
  };
  for (const Step& step : steps) {
    (line.*step.act)();
    runtime.RunFor(10);
    EXPECT_EQ(line.Vanished(), step.vanished);
    EXPECT_EQ(closings, step.closings);
    EXPECT_EQ(returns, step.returns);
  }
  line.Return();
  port.SetOpen(true);
  line.Vanish();
  runtime.RunFor(10);
  EXPECT_EQ(closings, 2) << "a port opened after the return is told of the next vanishing";
}

}  // namespace
}  // namespace ventari::sim
