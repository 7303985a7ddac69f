// EEPROM programming against simulated anemometers on virtual time: what the Non volatile memory
// page writes for its check boxes, how it is paced, what the anemometer keeps, how the read-back
// judges it, and what happens when the anemometer stops answering or a cell will not take its
// value.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "sim/two_axis_device.h"
#include "support/eeprom_parts.h"
#include "support/srecord_text.h"

namespace ventari {
namespace {

const QString kKestrix = QStringLiteral("sim:kestrix2");
const QString kLarkvane = QStringLiteral("sim:larkvane");

using test::SRecords;

int Pattern(int a) { return (a * 7 + 3) % 251; }

// The service pages' parts over a session, as the test window wires them.
struct Rig : test::EepromParts {
  explicit Rig(const QString& port, SensorState sensor) {
    s.StartAndSearch(port);
    test.sensor = sensor;
    test.eepromSize = sensor == SensorState::kLarkvane ? kLarkvaneEepromSize : kKestrixEepromSize;
    test.larkvaneOption = 2;
    names.Kestrix2_Cal = QStringLiteral("K2");
    names.Kestrix2_User = QStringLiteral("K2");
    names.Kestrix2_Eng = QStringLiteral("K2");
    names.Larkvane_Cal = QStringLiteral("LV");
    names.Larkvane_Opt = {QStringLiteral("LV1"), QStringLiteral("LV2"), QStringLiteral("LV3"),
                          QStringLiteral("LV4")};
    names.Larkvane_ROM_CS = QStringLiteral("A53E");
    page.SensorTypeSet();
  }

  sim::TwoAxisEeprom& Cells() { return s.InstrumentOn(portName()).TwoAxis()->Eeprom(); }
  QString portName() { return s.session.link().port.Name(); }

  void Put(const QString& folderPath, const QString& name, const QByteArray& text) {
    QDir().mkpath(folderPath);
    QFile file(folderPath + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  // The writes sent since `from`: each whole line of the raw or typed commands.
  std::vector<test::LineTap::Write> WritesSince(std::size_t from) const {
    return {s.tap.Writes().begin() + static_cast<std::ptrdiff_t>(from), s.tap.Writes().end()};
  }
};

std::vector<std::string> KestrixWrites(const std::vector<test::LineTap::Write>& writes) {
  std::vector<std::string> texts;
  static const std::regex kWrite("W [0-9]+ [0-9]+\r\n");
  for (const auto& w : writes) {
    if (std::regex_match(w.bytes, kWrite)) texts.push_back(w.bytes);
  }
  return texts;
}

TEST(EepromScenario, KestrixCalibrationOnlyWritesCells150To509And511ATickApart) {
  Rig r(kKestrix, SensorState::kKestrix2Unheated);
  r.Put(r.folder.KestrixEeprom(), QStringLiteral("other.cal"),
        SRecords(0, 511, [](int) { return 0; }));
  r.Put(r.folder.KestrixEeprom(), QStringLiteral("K2.CAL"), SRecords(0, 511, Pattern));
  r.page.Enter();
  ASSERT_EQ(r.page.Kind(EepromKind::kCal).Selected(), QStringLiteral("K2.CAL"));
  r.page.SetChecked(EepromKind::kUser, false);
  r.page.SetChecked(EepromKind::kEng, false);
  const std::size_t from = r.s.tap.Writes().size();

  r.page.Program();

  const auto writes = r.WritesSince(from);
  std::vector<std::string> expected;
  std::vector<std::int64_t> times;
  for (int a = 150; a <= 511; ++a) {
    if (a != 510)
      expected.push_back(QStringLiteral("W %1 %2\r\n").arg(a).arg(Pattern(a)).toStdString());
  }
  EXPECT_EQ(KestrixWrites(writes), expected);
  for (const auto& w : writes) {
    if (w.bytes.rfind("W ", 0) == 0) times.push_back(w.atMs);
  }
  ASSERT_EQ(times.size(), 361u);
  for (std::size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i] - times[i - 1], kTimerTickMs);
  EXPECT_NE(r.s.tap.SentSince(0).find("\r\nMAVROTIK\r\n"), std::string::npos);
  for (int a = 150; a <= 511; ++a) {
    if (a != 510) {
      EXPECT_EQ(r.Cells().Cell(a), Pattern(a)) << a;
    }
  }
  EXPECT_EQ(r.Cells().Cell(149), 0xFF) << "engineering cells untouched";
  EXPECT_EQ(r.test.eepromResult, 0);
  EXPECT_EQ(r.moves, std::vector<TestPage>{TestPage::kHardwareDiagnostics});
  EXPECT_FALSE(r.page.BusyLabelVisible());
  EXPECT_FALSE(r.s.session.link().channel.InConfigMode());
  EXPECT_TRUE(r.s.prompts.Messages().empty());
}

TEST(EepromScenario, KestrixAllBoxesWriteEveryCellAndTheReportReadBackPasses) {
  Rig r(kKestrix, SensorState::kKestrix2Unheated);
  const QString dir = r.folder.KestrixEeprom();
  r.Put(dir, QStringLiteral("K2.usr"), SRecords(0, 39, Pattern));
  r.Put(dir, QStringLiteral("K2.eng"), SRecords(40, 149, Pattern) + SRecords(510, 510, Pattern));
  r.Put(dir, QStringLiteral("K2.cal"), SRecords(150, 509, Pattern) + SRecords(511, 511, Pattern));
  r.page.Enter();
  const std::size_t from = r.s.tap.Writes().size();

  r.page.Program();

  EXPECT_EQ(KestrixWrites(r.WritesSince(from)).size(), 512u);
  EXPECT_EQ(r.test.eepromResult, 0);
  for (int a = 0; a < 512; ++a) ASSERT_EQ(r.Cells().Cell(a), Pattern(a)) << a;

  // A later page's write, then the report's check, with the anemometer in configuration mode
  // again: the image follows the write, so the check holds.
  r.link.channel.EnterConfigMode();
  r.link.port.PutString("\r\nMAVROTIK\r\n");
  r.writer.KestrixWriteNow(82, 99);
  r.link.channel.Delay(100);
  EXPECT_EQ(r.Cells().Cell(82), 99);
  EXPECT_TRUE(r.programmer.VerifyKestrixReadBack());
  r.Cells().SetCell(300, 1);
  EXPECT_FALSE(r.programmer.VerifyKestrixReadBack());
  ASSERT_EQ(r.s.prompts.Messages().size(), 1u);
  EXPECT_NE(r.s.prompts.Messages()[0].text.indexOf(QStringLiteral("cells 300 ")), -1);
  EXPECT_EQ(r.test.eepromResult, 1);
}

TEST(EepromScenario, KestrixCellThatKeepsItsOldValueFailsTheRunNamingIt) {
  Rig r(kKestrix, SensorState::kKestrix2Unheated);
  r.Put(r.folder.KestrixEeprom(), QStringLiteral("K2.cal"), SRecords(0, 511, Pattern));
  r.page.Enter();
  r.page.SetChecked(EepromKind::kUser, false);
  r.page.SetChecked(EepromKind::kEng, false);
  r.Cells().LoseWrites(42);  // engineering: not written by this run, so not judged
  r.Cells().LoseWrites(160);

  r.page.Program();

  EXPECT_EQ(r.test.eepromResult, 1);
  ASSERT_EQ(r.s.prompts.Messages().size(), 1u);
  EXPECT_EQ(r.s.prompts.Messages()[0].caption, QStringLiteral("D'Oh"));
  EXPECT_EQ(r.s.prompts.Messages()[0].text,
            QStringLiteral("Eeprom verification failure: cells 160 do not read back as written."));
}

// Each typed character of the upload as it went out.
struct Typed {
  char c;
  std::int64_t atMs;
};

TEST(EepromScenario, LarkvaneBothBoxesUploadPacedThenChecksumAndVerify) {
  Rig r(kLarkvane, SensorState::kLarkvane);
  const QString dir = r.folder.LarkvaneEeprom();
  r.Put(dir, QStringLiteral("LV.cal"), SRecords(0, 945, Pattern));
  r.Put(dir, QStringLiteral("LV2.opt"), SRecords(0, 120, Pattern));
  r.page.Enter();
  const std::size_t from = r.s.tap.Writes().size();

  r.page.Program();

  ASSERT_EQ(r.test.uploadLines.size(), 681);
  EXPECT_EQ(r.test.uploadLines.front(), QStringLiteral("W 0 3"));
  EXPECT_EQ(r.test.uploadLines[12], QStringLiteral("W E %1").arg(Pattern(14), 0, 16).toUpper());
  EXPECT_EQ(r.test.uploadLines.back(),
            QStringLiteral("W 3B1 %1").arg(Pattern(945), 0, 16).toUpper());
  QFile upload(r.folder.UploadFile());
  ASSERT_TRUE(upload.open(QIODevice::ReadOnly));
  EXPECT_EQ(upload.readAll(), r.test.uploadLines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");

  // One write per character: 25 ms after each, 75 ms after a line's CR.
  std::vector<Typed> typed;
  for (const auto& w : r.WritesSince(from)) {
    if (w.bytes.size() == 1) typed.push_back({w.bytes[0], w.atMs});
  }
  const std::string firstLine = "W 0 3\r";
  auto start = std::search(typed.begin(), typed.end(), firstLine.begin(), firstLine.end(),
                           [](const Typed& t, char c) { return t.c == c; });
  ASSERT_NE(start, typed.end());
  for (int i = 0; i < 7; ++i) {
    const auto gap = start[i + 1].atMs - start[i].atMs;
    EXPECT_EQ(gap, start[i].c == '\r' ? 75 : 25) << i;
  }
  EXPECT_EQ(std::count_if(typed.begin(), typed.end(), [](const Typed& t) { return t.c == '\n'; }),
            0);

  const std::string sent = r.s.tap.SentSince(0);
  EXPECT_NE(sent.find("W C 3E\r"), std::string::npos);
  EXPECT_NE(sent.find("W D A5\r"), std::string::npos);
  EXPECT_EQ(r.Cells().Cell(12), 0x3E);
  EXPECT_EQ(r.Cells().Cell(13), 0xA5);
  EXPECT_EQ(r.Cells().Cell(0x1A3), Pattern(0x1A3));
  EXPECT_EQ(r.Cells().Cell(130), 0xFF) << "121-383 are never written";
  EXPECT_EQ(r.test.eepromResult, 0);
  EXPECT_FALSE(r.test.readBackValid[14]) << "neither dumped nor read alone";
  EXPECT_TRUE(r.test.readBackValid[945]);
  EXPECT_EQ(r.moves, std::vector<TestPage>{TestPage::kPartBSoftware});
}

TEST(EepromScenario, LarkvaneOwnCellsAreNeitherComparedNorRewritten) {
  Rig r(kLarkvane, SensorState::kLarkvane);
  r.Put(r.folder.LarkvaneEeprom(), QStringLiteral("LV.cal"), SRecords(0, 945, Pattern));
  r.Put(r.folder.LarkvaneEeprom(), QStringLiteral("LV2.opt"), SRecords(0, 120, Pattern));
  r.page.Enter();

  r.page.Program();

  EXPECT_EQ(r.test.eepromResult, 0);
  EXPECT_TRUE(r.s.prompts.Messages().empty());
  for (const int cell : {2, 3, 4, 5, 0x43, 0x44, 0x45}) {
    EXPECT_NE(r.Cells().Cell(cell), Pattern(cell)) << cell << " moved on by itself";
    EXPECT_EQ(r.Cells().WritesTo(cell), 1) << cell << " written by the upload alone";
  }
}

TEST(EepromScenario, LarkvaneRepairPassMendsOneCellAndNamesTheOneThatStaysWrong) {
  Rig r(kLarkvane, SensorState::kLarkvane);
  r.Put(r.folder.LarkvaneEeprom(), QStringLiteral("LV.cal"), SRecords(0, 945, Pattern));
  r.page.Enter();
  r.page.SetChecked(EepromKind::kOpt, false);
  r.Cells().LoseWrites(500, 1);
  r.Cells().LoseWrites(600);

  r.page.Program();

  EXPECT_EQ(r.Cells().Cell(500), Pattern(500)) << "mended by the first repair pass";
  EXPECT_EQ(r.Cells().Cell(600), 0xFF);
  const std::string sent = r.s.tap.SentSince(0);
  const std::string repair500 =
      QStringLiteral("W 1F4 %1\r").arg(Pattern(500), 0, 16).toUpper().toStdString();
  const std::string repair600 =
      QStringLiteral("W 258 %1\r").arg(Pattern(600), 0, 16).toUpper().toStdString();
  // The upload's own line, then one repair for 500 and two for 600.
  const auto count = [&](const std::string& text) {
    int n = 0;
    for (auto at = sent.find(text); at != std::string::npos; at = sent.find(text, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count(repair500), 2);
  EXPECT_EQ(count(repair600), 3);
  EXPECT_EQ(r.test.eepromResult, 1);
  ASSERT_EQ(r.s.prompts.Messages().size(), 1u);
  EXPECT_EQ(r.s.prompts.Messages()[0].text,
            QStringLiteral("Eeprom verification failure: cells 600 do not read back as written."));
  EXPECT_EQ(r.moves, std::vector<TestPage>{TestPage::kPartBSoftware});
}

TEST(EepromScenario, LarkvaneSilentDumpEndsWithinItsBoundAndFails) {
  Rig r(kLarkvane, SensorState::kLarkvane);
  r.Put(r.folder.LarkvaneEeprom(), QStringLiteral("LV.cal"), SRecords(0, 945, Pattern));
  r.page.Enter();
  r.page.SetChecked(EepromKind::kOpt, false);
  r.Cells().SetSilent(true);
  std::optional<std::int64_t> dumpAt;
  r.s.prompts.onMessage = [&](const auto&) { dumpAt = r.s.rt.NowMs(); };
  const std::int64_t before = r.s.rt.NowMs();

  r.page.Program();

  ASSERT_EQ(r.s.prompts.Messages().size(), 1u);
  EXPECT_EQ(r.s.prompts.Messages()[0].text,
            QStringLiteral("Eeprom verification failure - no response from anemometer"));
  EXPECT_EQ(r.s.prompts.Messages()[0].caption, QStringLiteral("D'Oh"));
  EXPECT_EQ(r.test.eepromResult, 1);
  const std::string sent = r.s.tap.SentSince(0);
  const auto d92 = sent.find("D 92\r");
  ASSERT_NE(d92, std::string::npos);
  EXPECT_EQ(sent.find("D 93\r"), std::string::npos) << "gave up after the first dump";
  ASSERT_TRUE(dumpAt);
  EXPECT_LT(*dumpAt - before, 300'000);
  EXPECT_FALSE(r.s.session.link().channel.InConfigMode());
}

TEST(EepromScenario, UnusableChecksumOrMissingSourceWritesNothingAndStays) {
  Rig r(kLarkvane, SensorState::kLarkvane);
  r.Put(r.folder.LarkvaneEeprom(), QStringLiteral("LV.cal"), SRecords(0, 945, Pattern));
  r.page.Enter();
  r.names.Larkvane_ROM_CS = QStringLiteral("A5G");
  const std::size_t from = r.s.tap.Writes().size();
  r.page.Program();
  EXPECT_EQ(r.WritesSince(from).size(), 0u);
  EXPECT_EQ(r.s.prompts.Messages().back().text,
            QStringLiteral("The stored program checksum \"A5G\" is not four hex digits: nothing is "
                           "written."));

  r.names.Larkvane_ROM_CS = QStringLiteral("a53e");
  r.page.Select(EepromKind::kOpt, -1);
  r.page.Program();
  EXPECT_EQ(r.s.prompts.Messages().back().text,
            QStringLiteral("You have checked option params but have not specified a source file."));
  EXPECT_EQ(r.s.tap.SentSince(0).find("W 0 "), std::string::npos);
  EXPECT_EQ(r.test.eepromResult, kNotProgrammed);
  EXPECT_TRUE(r.moves.empty());
}

TEST(EepromScenario, ThePageOffersTheFamilysFilesAndSelectsTheRememberedOnes) {
  Rig r(kKestrix, SensorState::kKestrix2Unheated);
  const QString dir = r.folder.KestrixEeprom();
  for (const char* name : {"a.usr", "K2.usr", "z.usr", "b.eng", "c.eng", "K2.txt"}) {
    r.Put(dir, QString::fromLatin1(name), SRecords(0, 0, Pattern));
  }
  r.Put(r.folder.LarkvaneEeprom(), QStringLiteral("LV.cal"), SRecords(0, 0, Pattern));
  EXPECT_TRUE(r.page.Kind(EepromKind::kUser).enabled);
  EXPECT_FALSE(r.page.Kind(EepromKind::kOpt).enabled);
  r.page.Enter();
  EXPECT_EQ(r.page.Kind(EepromKind::kUser).items, (QStringList{"a.usr", "K2.usr", "z.usr"}));
  EXPECT_EQ(r.page.Kind(EepromKind::kUser).Selected(), QStringLiteral("K2.usr"));
  EXPECT_EQ(r.page.Kind(EepromKind::kEng).Selected(), QStringLiteral("c.eng")) << "the last";
  EXPECT_EQ(r.page.Kind(EepromKind::kCal).selected, -1) << "none in the Kestrix II folder";
  EXPECT_EQ(r.page.SourcePath(EepromKind::kUser), dir + QStringLiteral("K2.usr"));

  r.s.prompts.files.push_back(r.s.dir.filePath(QStringLiteral("elsewhere.eng")));
  r.page.Browse(EepromKind::kEng);
  EXPECT_EQ(r.page.Kind(EepromKind::kEng).items.size(), 3);
  EXPECT_EQ(r.page.SourcePath(EepromKind::kEng), r.s.dir.filePath(QStringLiteral("elsewhere.eng")));

  r.test.xeq = true;
  r.names.XEQ_Eng = QStringLiteral("b");
  r.page.Enter();
  EXPECT_EQ(r.page.Kind(EepromKind::kEng).Selected(), QStringLiteral("b.eng"));

  r.test.sensor = SensorState::kLarkvane;
  r.page.SensorTypeSet();
  r.page.Enter();
  EXPECT_FALSE(r.page.Kind(EepromKind::kUser).enabled);
  EXPECT_TRUE(r.page.Kind(EepromKind::kOpt).enabled);
  EXPECT_EQ(r.page.Kind(EepromKind::kCal).Selected(), QStringLiteral("LV.cal"));
  EXPECT_TRUE(r.page.Kind(EepromKind::kUser).checked) << "check states are the user's";

  r.test.sensor = SensorState::kNone;
  r.page.Enter();
  EXPECT_EQ(r.page.Kind(EepromKind::kCal).selected, -1);
}

TEST(EepromScenario, NoConfigurationModeOrAnUnreadableFileWritesNothingAndStays) {
  Rig r(kKestrix, SensorState::kKestrix2Unheated);
  const QString dir = r.folder.KestrixEeprom();
  QByteArray bad = SRecords(150, 511, Pattern);
  bad.replace(bad.indexOf("S113"), 4, "S1FF");  // the record of cells 150-165
  r.Put(dir, QStringLiteral("K2.cal"), bad);
  r.page.Enter();
  r.page.SetChecked(EepromKind::kUser, false);
  r.page.SetChecked(EepromKind::kEng, false);

  r.page.Program();  // the malformed line's question gets its default: No
  ASSERT_EQ(r.s.prompts.Messages().size(), 1u);
  EXPECT_TRUE(r.s.prompts.Messages()[0].text.startsWith(dir + QStringLiteral("K2.cal line 2")))
      << r.s.prompts.Messages()[0].text.toStdString();
  EXPECT_EQ(r.s.tap.SentSince(0).find("W 1"), std::string::npos);

  r.s.prompts.answers.push_back(PromptButton::kYes);
  r.page.Program();
  EXPECT_NE(
      r.s.tap.SentSince(0).find(QStringLiteral("W 166 %1\r\n").arg(Pattern(166)).toStdString()),
      std::string::npos)
      << "the rest of the file";
  EXPECT_NE(r.s.tap.SentSince(0).find("W 150 255\r\n"), std::string::npos);
  EXPECT_EQ(r.moves, std::vector<TestPage>{TestPage::kHardwareDiagnostics});

  r.page.Select(EepromKind::kCal, -1);
  r.s.prompts.files.push_back(dir + QStringLiteral("gone.cal"));
  r.page.Browse(EepromKind::kCal);
  r.page.Program();
  EXPECT_EQ(
      r.s.prompts.Messages().back().text,
      QStringLiteral("Cannot open the source file %1.").arg(dir + QStringLiteral("gone.cal")));

  r.s.InstrumentOn(kKestrix).Device().StopAnswering();
  const std::size_t messages = r.s.prompts.Messages().size();
  const std::size_t from = r.s.tap.Writes().size();
  r.page.Program();
  EXPECT_EQ(r.s.prompts.Messages().size(), messages + 1) << "the channel says so";
  for (const auto& w : r.WritesSince(from)) EXPECT_EQ(w.bytes.find("MAVROTIK"), std::string::npos);
  EXPECT_EQ(r.moves.size(), 1u) << "stays on the page";
}

TEST(EepromScenario, LarkvaneOptionsSteerTheChecksumAndTheTip) {
  Rig r(kLarkvane, SensorState::kLarkvane);
  r.test.larkvaneOption = 1;
  r.page.Enter();
  r.page.SetChecked(EepromKind::kCal, false);
  r.page.SetChecked(EepromKind::kOpt, false);
  const std::size_t from = r.s.tap.Writes().size();
  r.page.Program();  // nothing checked: only the tip, and on to the software tests
  EXPECT_TRUE(r.WritesSince(from).empty());
  ASSERT_EQ(r.s.prompts.Messages().size(), 1u);
  EXPECT_EQ(r.s.prompts.Messages()[0].text,
            QStringLiteral("Connect Anemometer direct to RS232 PC port."));
  EXPECT_EQ(r.s.prompts.Messages()[0].caption, QStringLiteral("Jory's tip"));
  EXPECT_EQ(r.moves, std::vector<TestPage>{TestPage::kPartBSoftware});

  r.test.larkvaneOption = 4;
  r.names.Larkvane_SDI12_CS = QStringLiteral("0102");
  r.Put(r.folder.LarkvaneEeprom(), QStringLiteral("LV4.opt"), SRecords(0, 120, Pattern));
  r.page.Enter();
  r.page.SetChecked(EepromKind::kOpt, true);
  r.page.Program();
  const std::string sent = r.s.tap.SentSince(0);
  EXPECT_NE(sent.find("W C 02\r"), std::string::npos);
  EXPECT_NE(sent.find("W D 01\r"), std::string::npos);
  EXPECT_EQ(r.test.uploadLines.size(), 117);
  EXPECT_EQ(r.test.eepromResult, 0) << "options only: verified too";
  EXPECT_EQ(r.test.optFile, r.folder.LarkvaneEeprom() + QStringLiteral("LV4.opt"));
}

}  // namespace
}  // namespace ventari
