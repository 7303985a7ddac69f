// The S-record reader: records taken by their byte count and checksum, the kernel's and the
// application's address limits, and EEPROM parameter files laid over each other.
#include "service/srecord_reader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace ventari {
namespace {

// A data record of type `type` (1, 2 or 3) with a correct byte count and checksum.
QByteArray Record(int type, std::uint32_t address, const std::vector<std::uint8_t>& data) {
  const int addressLength = type + 1;
  std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(addressLength + data.size() + 1)};
  for (int i = addressLength - 1; i >= 0; --i) bytes.push_back((address >> (8 * i)) & 0xFF);
  bytes.insert(bytes.end(), data.begin(), data.end());
  unsigned sum = 0;
  for (auto b : bytes) sum += b;
  bytes.push_back(static_cast<std::uint8_t>(~sum));
  QByteArray line = "S" + QByteArray::number(type);
  for (auto b : bytes) line += QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
  return line;
}

std::vector<std::uint8_t> Bytes(int count, std::uint8_t first = 0) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<std::uint8_t>(first + i));
  return bytes;
}

const QByteArray kSixteen = "S1130000000102030405060708090A0B0C0D0E0F74";

class SRecordReaderTest : public ::testing::Test {
 protected:
  QString Write(const QByteArray& text, const QString& name = QStringLiteral("f.s")) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    return path;
  }
  SRecordResult Kernel(const QByteArray& text, KernelChip chip = KernelChip::kH8_3334) {
    log_.clear();
    return ReadKernel(Write(text), chip, *image_, [this](const QString& l) { log_ << l; });
  }
  SRecordResult Application(const QByteArray& text) {
    log_.clear();
    return ReadApplication(Write(text), *image_, [this](const QString& l) { log_ << l; });
  }

  QTemporaryDir dir_;
  std::unique_ptr<FlashImage> image_ = std::make_unique<FlashImage>();
  QStringList log_;
};

TEST_F(SRecordReaderTest, WellFormedLinesInAnySpellingGiveTheSameSixteenBytes) {
  const QByteArray cases[] = {
      kSixteen + "\n",
      kSixteen,
      kSixteen + "\r\n",
      kSixteen + "  \t\r\n",
      kSixteen.toLower() + "\n",
      "S00600004844521B\n" + kSixteen + "\nS9030000FC\n",
      "\n\n" + kSixteen + "\n\n",
  };
  for (const QByteArray& text : cases) {
    const SRecordFile file = ParseSRecords(text);
    ASSERT_TRUE(file.faults.empty()) << text.constData() << file.faults[0].why.toStdString();
    ASSERT_EQ(file.records.size(), 1u) << text.constData();
    EXPECT_EQ(file.records[0].address, 0u);
    EXPECT_EQ(file.records[0].data, Bytes(16)) << text.constData();
  }
}

TEST_F(SRecordReaderTest, MalformedLinesAreFaultsNamingTheirLine) {
  struct Case {
    QByteArray line;
    const char* why;
  } cases[] = {
      {"S1130000000102030405060708090A0B0C0D0E0F75", "checksum 75, the record adds up to 74"},
      {"S1140000000102030405060708090A0B0C0D0E0F74", "byte count 14 but 19 bytes follow"},
      {"S1120000000102030405060708090A0B0C0D0E0F74", "byte count 12 but 19 bytes follow"},
      {"S1130000000102030405060708090A0B0C0D0E0F7", "an odd number of hex digits"},
      {"S11300000G0102030405060708090A0B0C0D0E0F74", "'G' at column 10 is not a hex digit"},
      {"S4030000FC", "S followed by '4' is no record type"},
      {"S1130000\x7f", "byte 0x7F at column 9 is not a hex digit"},
      {"X1130000", "the line does not start with S"},
      {"S1", "no byte count"},
      {"S10200FD", "byte count 02 leaves no room for the address and checksum"},
  };
  for (const Case& c : cases) {
    const SRecordFile file = ParseSRecords(kSixteen + "\n" + c.line + "\n" + kSixteen);
    ASSERT_EQ(file.faults.size(), 1u) << c.line.constData();
    EXPECT_EQ(file.faults[0].line, 2);
    EXPECT_EQ(file.faults[0].why, QString::fromLatin1(c.why));
    EXPECT_EQ(file.records.size(), 2u);
    EXPECT_EQ(file.records[1].line, 3);
  }
}

TEST_F(SRecordReaderTest, ALongLineIsOneRecord) {
  const QByteArray line = Record(3, 0x100, Bytes(250));
  ASSERT_GT(line.size(), 398);
  const SRecordFile file = ParseSRecords(line + "\n");
  ASSERT_TRUE(file.faults.empty());
  ASSERT_EQ(file.records.size(), 1u);
  EXPECT_EQ(file.records[0].data, Bytes(250));
}

TEST_F(SRecordReaderTest, S2AndS3AddressesAreReadWhole) {
  const SRecordFile file =
      ParseSRecords(Record(2, 0x12345, Bytes(3)) + "\n" + Record(3, 0xF7E00010, Bytes(2)));
  ASSERT_EQ(file.records.size(), 2u);
  EXPECT_EQ(file.records[0].address, 0x12345u);
  EXPECT_EQ(file.records[1].address, 0xF7E00010u);
}

TEST_F(SRecordReaderTest, KernelAddressesAndLimits) {
  struct Case {
    KernelChip chip;
    std::uint32_t address;
    int length;
    bool ok;
    std::uint32_t landsAt;  // when ok
  } cases[] = {
      {KernelChip::kH8_3337, 0xF7E0, 4, true, 0},
      {KernelChip::kH8_3337, 0xF7E0 + 2496, 4, true, 2496},
      {KernelChip::kH8_3337, 0xF7E0 + 2497, 4, false, 0},
      {KernelChip::kH8_3337, 0xF7E0 + 2500, 1, false, 0},
      {KernelChip::kH8_3334, 0x09C3, 1, true, 0x09C3},
      {KernelChip::kH8_3334, 0x09C4, 1, false, 0},
      {KernelChip::kH8_3334, 0x09C0, 8, false, 0},
  };
  for (const Case& c : cases) {
    const int type = c.address > 0xFFFF ? 2 : 1;
    const SRecordResult result = Kernel(
        Record(1, 0x0010, {0x55}) + "\n" + Record(type, c.address, Bytes(c.length, 1)) + "\n",
        c.chip);
    EXPECT_EQ(result.ok, c.ok) << c.address;
    if (c.ok) {
      EXPECT_EQ(image_->bytes[c.landsAt], 1);
      const std::uint32_t last = c.landsAt + c.length - 1;
      EXPECT_EQ(image_->highestAddress,
                c.chip == KernelChip::kH8_3334 ? std::max<std::uint32_t>(last, 0x10) : last);
      EXPECT_EQ(log_.last(),
                QStringLiteral("Flash programming max address %1").arg(image_->highestAddress));
    } else {
      EXPECT_TRUE(result.message.contains("line 2: the kernel reaches address"))
          << result.message.toStdString();
      EXPECT_EQ(log_.last(), result.message);
      EXPECT_EQ(image_->bytes[0x10], 0xFF);
    }
  }
}

TEST_F(SRecordReaderTest, H8_3337KernelSkipsRecordsBelowItsBase) {
  const SRecordResult result = Kernel(
      Record(1, 0xF7DF, {1}) + "\n" + Record(1, 0xF7E0, {2, 3}) + "\n", KernelChip::kH8_3337);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(image_->bytes[0], 2);
  EXPECT_EQ(image_->highestAddress, 1u);
  EXPECT_FALSE(Kernel(Record(1, 0xF7DF, {1}), KernelChip::kH8_3337).ok);
}

TEST_F(SRecordReaderTest, KernelHighestAddressIsItsLastByte) {
  const SRecordResult result = Kernel(Record(1, 0x0000, Bytes(16)) + "\n" +
                                      Record(1, 0x0100, Bytes(16, 0x40)) + "\nS9030000FC\n");
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(image_->highestAddress, 0x010Fu);
  EXPECT_EQ(image_->bytes[0x010F], 0x4F);
  EXPECT_EQ(image_->bytes[0x0110], 0xFF);
  EXPECT_EQ(log_.first(), "Getting prog data from object file " + dir_.filePath("f.s"));
}

TEST_F(SRecordReaderTest, FirmwareWithoutDataOrWithAFaultIsRefusedNamingFileAndLine) {
  for (const bool kernel : {true, false}) {
    SRecordResult result = kernel ? Kernel("S00600004844521B\nS9030000FC\n")
                                  : Application("S00600004844521B\nS9030000FC\n");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.endsWith("nothing to program")) << result.message.toStdString();
    EXPECT_EQ(image_->highestAddress, 0u);

    const QByteArray faulty = kSixteen + "\nS1130010000102030405060708090A0B0C0D0E0F00\n";
    result = kernel ? Kernel(faulty) : Application(faulty);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              dir_.filePath("f.s") + " line 2: checksum 00, the record adds up to 64");
    ASSERT_EQ(result.faults.size(), 1u);
    EXPECT_EQ(log_.last(), result.message);
    EXPECT_EQ(image_->bytes[0], 0xFF);
  }
}

TEST_F(SRecordReaderTest, ApplicationEndsAt0xFFFE) {
  SRecordResult result = Application(Record(1, 0x1000, {7}) + "\n" + Record(1, 0xFFFE, {9}));
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(image_->bytes[0xFFFE], 9);
  EXPECT_EQ(image_->highestAddress, 0xFFFEu);
  EXPECT_EQ(log_, QStringList({"Getting main prog data from file " + dir_.filePath("f.s"),
                               "Application program max address 65534"}));

  // 0xFFFF of the record at 0xFFFC and the three bytes from 0x10000.
  result = Application(Record(1, 0x1000, {7}) + "\n" + Record(1, 0xFFFC, Bytes(4)) + "\n" +
                       Record(2, 0x10000, Bytes(3)));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(log_.size(), 2);
  EXPECT_EQ(log_.last(), "WARNING. PROG BIGGER THAN SPACE ALLOWED: 4 bytes at 0xFFFF or beyond");
  EXPECT_EQ(image_->bytes[0x1000], 0xFF);
}

TEST_F(SRecordReaderTest, AMissingFileIsLoggedAndRefused) {
  const QString path = dir_.filePath("none.s");
  const SRecordResult result =
      ReadApplication(path, *image_, [this](const QString& l) { log_ << l; });
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(log_.last(), "File " + path + " not found. Aborting");
  EXPECT_FALSE(ReadEepromFile(path, 512).opened);
}

TEST_F(SRecordReaderTest, EepromFilesOverlayBelowTheirSize) {
  EepromImage image;
  image.fill(0xFF);
  const EepromFile user =
      ReadEepromFile(Write(Record(1, 0x0000, {1, 2, 3, 4}) + "\n" + Record(1, 0x01FF, {5, 6}) +
                               "\n" + Record(1, 0x0200, {7}) + "\n" + Record(1, 0x0300, {8}) + "\n",
                           "a.usr"),
                     512);
  ASSERT_TRUE(user.opened);
  EXPECT_EQ(user.recordsBeyond, 2);
  LayIntoEeprom(user, 512, image);
  const EepromFile cal = ReadEepromFile(
      Write(Record(1, 0x0002, {9}) + "\nS1050010XX\n" + Record(1, 0x0020, {10}), "b.cal"), 512);
  ASSERT_EQ(cal.parsed.faults.size(), 1u);
  EXPECT_EQ(cal.parsed.faults[0].line, 2);
  LayIntoEeprom(cal, 512, image);

  EXPECT_EQ(image[0], 1);
  EXPECT_EQ(image[2], 9);
  EXPECT_EQ(image[3], 4);
  EXPECT_EQ(image[0x20], 10);
  EXPECT_EQ(image[511], 5);
  EXPECT_EQ(image[512], 0xFF);
  EXPECT_EQ(image[0x10], 0xFF);
  EXPECT_EQ(std::count(image.begin(), image.end(), 0xFF), 946 - 6);

  LayIntoEeprom(user, 946, image);
  EXPECT_EQ(image[512], 7);
  EXPECT_EQ(image[0x300], 8);
}

}  // namespace
}  // namespace ventari
