// A Kestrix II streaming while the terminal captures: the file holds exactly what the port
// received, framed data records included, and the terminal shows it.
#include <gtest/gtest.h>

#include <string>

#include "support/file_contents.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

const QString kPort = QStringLiteral("sim:kestrix2");

TEST(TerminalCaptureScenario, AStreamingKestrixIsCapturedByteForByteWhileItsRecordsAreDecoded) {
  test::SimSession s;
  s.Start(kPort);
  s.session.commands().discovery.OnActivate();
  ASSERT_TRUE(s.session.commands().discovery.Found());
  int records = 0;
  s.session.decoding().dataApplier.onSample = [&records](const QByteArray&, const TwoAxisSample&) {
    ++records;
  };
  QByteArray received;
  SerialPort& port = s.session.link().port;
  const int tap = port.AddReceiveConsumer([&received](std::span<const std::uint8_t> bytes) {
    received.append(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
  });

  TerminalModel& terminal = s.session.link().terminal;
  const QString path = s.dir.filePath(QStringLiteral("stream.dat"));
  s.prompts.files.push_back(path);
  terminal.Datalogging1Click();
  ASSERT_EQ(terminal.LogStatus(), " Logging data to ..." + path);
  s.rt.RunFor(5000);
  terminal.Datalogging1Click();
  s.rt.RunFor(1000);
  port.RemoveReceiveConsumer(tap);

  EXPECT_GE(records, 4);
  const QByteArray captured = test::FileContents(path);
  EXPECT_GT(captured.size(), 100);
  // Bytes that arrived after the stop are not in the file; everything before is, in order.
  EXPECT_TRUE(received.startsWith(captured));
  EXPECT_LT(captured.size(), received.size());
  EXPECT_EQ(terminal.PortStatus(), " sim:kestrix2 8 None 1 9600");
  // The framed records are on the screen too, their framing bytes shown harmlessly.
  EXPECT_TRUE(terminal.Screen().Text().contains(QStringLiteral("^BQ,")))
      << terminal.Screen().Text().toStdString();
}

}  // namespace
}  // namespace ventari
