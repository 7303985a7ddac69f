#include <gtest/gtest.h>

#include <string>

#include "sim/faults.h"
#include "sim/tri_axis_record.h"

namespace ventari::sim {
namespace {

// A padded polar record with the temperature in C, or its binary form with the temperature in K.
std::string Record(int strFmt, const RecordFaults& faults) {
  TriAxisSettings settings;
  settings.strFmt = strFmt;
  settings.absTemp = strFmt == 0 ? 1 : 2;
  settings.aip[0] = true;
  WindSample sample;
  sample.direction = 271;
  sample.speed = 5.95;
  sample.vertical = 0.12;
  std::size_t end = 0;
  return TriAxisRecord(settings, sample, {0, 0}, 0, end, faults);
}

std::uint16_t WordAt(const std::string& record, std::size_t at) {
  return static_cast<std::uint16_t>((static_cast<unsigned char>(record[at]) << 8) |
                                    static_cast<unsigned char>(record[at + 1]));
}

TEST(TriAxisRecordFaults, EachSpoilsItsRecordAsTheInstrumentWould) {
  EXPECT_EQ(Record(1, {}).substr(1, 28), "00,00,271,05.95,+00.12,+15.0");
  EXPECT_EQ(Record(1, {.emptyTemp = true}).substr(23, 3), ",,+");
  EXPECT_EQ(Record(1, {.overTemp = true}).substr(23, 8), ",+99.99,");
  EXPECT_EQ(Record(1, {.malformed = true}).substr(1, 12), "00,00,271;05");
  EXPECT_EQ(Record(1, {.nonNumeric = true}).substr(1, 9), "00,00,2A1");

  // Binary: after 0xBA 0xBA, status (2), direction, speed, W, temperature, input 1, check byte.
  const std::string clean = Record(0, {});
  EXPECT_EQ(WordAt(clean, 6), 595);
  EXPECT_EQ(WordAt(Record(0, {.blockedSpeed = true}), 6), kBlockedValue);
  EXPECT_EQ(WordAt(Record(0, {.blockedSpeed = true}), 4), 271);
  EXPECT_EQ(WordAt(Record(0, {.emptyTemp = true}), 10), kBlockedValue);
  EXPECT_EQ(WordAt(Record(0, {.overTemp = true}), 10), kBlockedValue);
  const std::string wrongCheck = Record(0, {.malformed = true});
  EXPECT_EQ(wrongCheck.substr(0, clean.size() - 1), clean.substr(0, clean.size() - 1));
  EXPECT_NE(wrongCheck.back(), clean.back());
}

TEST(TriAxisRecordFaults, StatusConditionsDependOnTheAddress) {
  struct Case {
    TriAxisStatus in;
    unsigned pick;
    int value;
  };
  const Case cases[] = {
      {{0, 0}, 1, 0x05},     // pairs 1 and 3 failed
      {{0, 0}, 3, 0x10},     // non-volatile memory error
      {{2, 0x22}, 0, 0x23},  // a configuration byte that does not match
      {{3, 2}, 0, 3},        // an analogue input count that does not match
      {{4, 0}, 1, 0x80},     // clinometer failed
      {{5, 0}, 1, 0x1B},     // gains of 100%, 90% and 50%
      {{6, 1}, 0, 2},        // an MZ's letter from a T7
      {{8, 0x0C}, 0, 0x0C},  // clinometer bytes carry no condition
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FaultyStatus(c.in, c.pick).value, c.value) << c.in.address;
  }
}

TEST(TriAxisRecordFaults, AreNamedOnTheCommandLine) {
  Faults faults;
  for (const char* fault : {"empty-temp=0.1", "over-temp=0.2", "blocked-speed=0.3", "status=0.4",
                            "malformed=0.5", "non-numeric=0.6"}) {
    EXPECT_TRUE(ApplyFault(fault, faults)) << fault;
  }
  EXPECT_DOUBLE_EQ(faults.emptyTemp + faults.overTemp + faults.blockedSpeed + faults.status +
                       faults.malformed + faults.nonNumeric,
                   2.1);
  EXPECT_FALSE(ApplyFault("status=2", faults));
}

}  // namespace
}  // namespace ventari::sim
