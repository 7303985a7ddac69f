#include "triaxis/tri_axis_listing.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>

#include "link/packet_matcher.h"

namespace ventari {
namespace {

// The listing spells the confidence tone's index 0 "DISABLED"; every other setting is listed with
// the words the setup dialog shows.
constexpr std::array<std::string_view, 3> kListedCtoneValues = {"DISABLED", "ON", "OFF"};

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kCr = "\r";

bool Consume(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// Up to `width` characters of `text` from index `from`; fewer, or none, where the text ends.
std::string_view Window(std::string_view text, std::size_t from, std::size_t width) {
  return from < text.size() ? text.substr(from, width) : std::string_view();
}

// Removes the echo of "CONFIG" and returns the listing's line end. Without the echo the line end
// is that of the first line, the ABSTEMP setting; with neither it is unknown (empty).
std::string_view TakeConfigEcho(std::string_view& text) {
  if (Consume(text, "CONFIG\r\n")) return kCrLf;
  if (Consume(text, "CONFIG\r")) return kCr;
  for (std::string_view lineEnd : {kCrLf, kCr}) {
    for (std::string_view value : kAbsTempModeItems) {
      std::string_view rest = text;
      if (Consume(rest, "ABSTEMP ") && Consume(rest, value) && rest.starts_with(lineEnd)) {
        return lineEnd;
      }
    }
  }
  return {};
}

// What follows "KEYWORD " on the first line that begins with it, to the end of the listing. With
// the line end unknown, the keyword and blank may stand anywhere.
std::optional<std::string_view> ValueOf(std::string_view listing, std::string_view lineEnd,
                                        std::string_view keyword) {
  std::string label(keyword);
  label += ' ';
  std::size_t at = 0;
  if (!listing.starts_with(label)) {
    at = listing.find(std::string(lineEnd) + label);
    if (at == std::string_view::npos) return std::nullopt;
    at += lineEnd.size();
  }
  return listing.substr(at + label.size());
}

// The index whose value text begins the value, the last one when several do ("CRLF" over "CR");
// nullopt for none.
std::optional<int> MatchValue(std::string_view value, std::span<const std::string_view> values) {
  std::optional<int> index;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (value.starts_with(values[i])) index = static_cast<int>(i);
  }
  return index;
}

// The anemometer lists AVERAGE as one to three decimal digits.
bool IsAveragingValue(std::string_view text) {
  return !text.empty() && text.size() <= 3 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

TriAxisSnReply ReadSnReply(std::string_view text) {
  if (!Consume(text, "SN\r\n")) Consume(text, "SN\r");
  TriAxisSnReply reply;
  reply.text = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
  if (text.empty()) return reply;
  reply.serialLetter = text.front();
  const std::string_view serial = Window(text, 1, 6);
  reply.serialNumber = QString::fromLatin1(serial.data(), static_cast<qsizetype>(serial.size()));
  return reply;
}

TriAxisVerReply ReadVerReply(std::string_view text) {
  Consume(text, " ");
  if (!Consume(text, "VER\r\n")) Consume(text, "VER\r");
  TriAxisVerReply reply;
  reply.text = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
  reply.fiftyHz = text.starts_with("T7 50Hz");
  constexpr std::string_view kVersion = "Version ";
  for (std::size_t at = text.find(kVersion); at != std::string_view::npos;
       at = text.find(kVersion, at + 1)) {
    const std::string_view version = Window(text, at + kVersion.size(), 4);
    if (!version.empty()) {
      reply.softwareVersion =
          QString::fromLatin1(version.data(), static_cast<qsizetype>(version.size()));
    }
  }
  return reply;
}

TriAxisConfigReply ReadConfigReply(std::string_view text) {
  const std::string_view lineEnd = TakeConfigEcho(text);
  TriAxisConfigReply reply;
  reply.text = QByteArray(text.data(), static_cast<qsizetype>(text.size()));

  for (std::size_t i = 0; i < kTriAxisChoices.size(); ++i) {
    const TriAxisChoice& choice = kTriAxisChoices[i];
    const auto value = ValueOf(text, lineEnd, choice.keyword);
    if (!value) continue;
    const bool isCtone = choice.field == &TriAxisConfig::Ctone;
    reply.choices[i] = MatchValue(*value, isCtone ? kListedCtoneValues : choice.items);
  }

  // AVERAGE ends at the line end; four characters at most.
  if (const auto value = ValueOf(text, lineEnd, "AVERAGE")) {
    const std::string_view window = value->substr(0, 4);
    const std::string_view digits = window.substr(0, window.find_first_of(kCrLf));
    if (IsAveragingValue(digits)) {
      reply.averaging = QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
    }
  }

  // One letter per channel: "E" enabled, "D" disabled.
  if (const auto value = ValueOf(text, lineEnd, "ANAIP")) {
    const std::size_t channels = std::min(value->size(), reply.aip.size());
    for (std::size_t n = 0; n < channels; ++n) {
      if ((*value)[n] == 'E') reply.aip[n] = true;
      if ((*value)[n] == 'D') reply.aip[n] = false;
    }
  }
  return reply;
}

TriAxisListing::TriAxisListing(TApdDataPacket& collector, TriAxisReplyConsumer& consumer)
    : collector_(collector), consumer_(consumer) {
  collector_.SetStringHandler([this](TApdDataPacket&, const QByteArray& text) { OnReply(text); });
}

void TriAxisListing::Expect(TriAxisReply kind) {
  collector_.Received = 0;
  collector_.SetPacketSize(static_cast<int>(kind));
  // Re-arming starts a fresh reply: the part of an earlier reply that never ended is dropped
  // instead of being read as the start of this one.
  collector_.SetEnabled(false);
  collector_.SetEnabled(true);
}

void TriAxisListing::StopExpecting() { collector_.SetEnabled(false); }

bool TriAxisListing::Received() const { return collector_.Received != 0; }

void TriAxisListing::ClearReceived() { collector_.Received = 0; }

void TriAxisListing::OnReply(const QByteArray& text) {
  const std::string_view reply(text.constData(), static_cast<std::size_t>(text.size()));
  switch (collector_.PacketSize()) {
    case static_cast<int>(TriAxisReply::kSn):
      consumer_.Apply(ReadSnReply(reply));
      break;
    case static_cast<int>(TriAxisReply::kVer):
      consumer_.Apply(ReadVerReply(reply));
      break;
    case static_cast<int>(TriAxisReply::kConfig):
      consumer_.Apply(ReadConfigReply(reply));
      break;
    default:
      break;
  }
  ++repliesRead_;
  collector_.Received = 1;
}

}  // namespace ventari
