// The lines ventari-cli stream prints for a simulated Kestrix II streaming polar data once a
// second, on virtual time.
#include "cli/sample_printer.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <vector>

#include "support/golden_file.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

class SamplePrinterTest : public ::testing::Test {
 protected:
  void Stream(bool json, std::int64_t ms) {
    s.StartAndSearch(QStringLiteral("sim:kestrix2"));
    ASSERT_TRUE(s.session.commands().discovery.Found());
    PrintEachSample(s.session.displays(), s.session.decoding().dataApplier, json,
                    [this](const QString& line) { lines.push_back(line); });
    s.rt.RunFor(ms);
  }

  test::SimSession s;
  std::vector<QString> lines;
};

TEST_F(SamplePrinterTest, JsonSaysWarmingUpUntilTheTwoMinuteWindowIsFull) {
  // At one sample a second the window holds 120 samples.
  Stream(/*json=*/true, 130000);
  ASSERT_GE(lines.size(), 125u);
  int warm = 0;
  for (const QString& text : lines) {
    ASSERT_TRUE(text.endsWith('\n'));
    const QJsonObject line = QJsonDocument::fromJson(text.toUtf8()).object();
    ASSERT_EQ(line["mode"], "polar") << text.toStdString();
    const int count = line["sample_count"].toInt();
    EXPECT_EQ(line["warming_up"], count < 120) << text.toStdString();
    if (!line["warming_up"].toBool()) ++warm;
  }
  EXPECT_EQ(QJsonDocument::fromJson(lines.front().toUtf8()).object()["sample_count"], 1);
  EXPECT_EQ(warm, static_cast<int>(lines.size()) - 119);
}

TEST_F(SamplePrinterTest, TheJsonLinesAreTheGoldenFile) {
  Stream(/*json=*/true, 5000);
  QByteArray printed;
  for (const QString& line : lines) printed += line.toUtf8();
  EXPECT_TRUE(test::MatchesGolden(printed, QStringLiteral("cli/golden/stream_kestrix2.jsonl")));
}

}  // namespace
}  // namespace ventari
