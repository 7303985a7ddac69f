// Reads a three-axis anemometer's answers to "SN", "VER" and "CONFIG", framed by the reply
// collector TriAxisPkt, into typed replies, and hands each to one consumer.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "triaxis/tri_axis_config.h"

namespace ventari {

class TApdDataPacket;

// The reply the collector is armed for. Its value travels in the collector's PacketSize.
enum class TriAxisReply { kSn = 1, kVer = 2, kConfig = 3 };

// The SN answer after its echo. An answer with nothing after the echo names no anemometer: no
// serial letter and no serial number.
struct TriAxisSnReply {
  QByteArray text;
  // 'O' for the T7 family, 'H' for the MZ family; 0 when the answer was empty.
  char serialLetter = 0;
  std::optional<QString> serialNumber;  // up to six characters after the letter
};

// The VER answer after its echo.
struct TriAxisVerReply {
  QByteArray text;
  // Both families announce their 50 Hz variant with the same words.
  bool fiftyHz = false;
  // After the last "Version " followed by anything: four characters, or what is left.
  std::optional<QString> softwareVersion;
};

// The CONFIG listing after its echo: for each drop-down setting (in the order of
// kTriAxisChoices) the index of the item listed, the AVERAGE digits, and the analogue input
// channels the listing enables ("E") or disables ("D").
struct TriAxisConfigReply {
  QByteArray text;
  std::array<std::optional<int>, kTriAxisChoices.size()> choices;
  std::optional<QString> averaging;
  std::array<std::optional<bool>, 6> aip;
};

class TriAxisReplyConsumer {
 public:
  virtual ~TriAxisReplyConsumer() = default;
  virtual void Apply(const TriAxisSnReply& reply) = 0;
  virtual void Apply(const TriAxisVerReply& reply) = 0;
  virtual void Apply(const TriAxisConfigReply& reply) = 0;
};

TriAxisSnReply ReadSnReply(std::string_view text);
TriAxisVerReply ReadVerReply(std::string_view text);
TriAxisConfigReply ReadConfigReply(std::string_view text);

class TriAxisListing {
 public:
  // Takes over `collector`'s string handler.
  TriAxisListing(TApdDataPacket& collector, TriAxisReplyConsumer& consumer);
  TriAxisListing(const TriAxisListing&) = delete;
  TriAxisListing& operator=(const TriAxisListing&) = delete;

  // Before sending the command: clears the received flag, sets the reply kind and arms the
  // collector.
  void Expect(TriAxisReply kind);
  // No answer is awaited any more: the collector lets go of the line, so a reply that never
  // ended neither holds back the records nor is read later as an answer.
  void StopExpecting();
  // The collector delivered a reply and it has been read (the collector's Received flag).
  bool Received() const;
  void ClearReceived();
  // Counts the replies read: a waiter compares it with the count before it asked, so a wait
  // started meanwhile (and clearing the received flag) cannot hide its answer.
  std::uint64_t RepliesRead() const { return repliesRead_; }

  // The collector's handler: reads `text` as the reply kind the collector carries (nothing for
  // an unknown kind) and hands it on, then sets the received flag.
  void OnReply(const QByteArray& text);

 private:
  TApdDataPacket& collector_;
  TriAxisReplyConsumer& consumer_;
  std::uint64_t repliesRead_ = 0;
};

}  // namespace ventari
