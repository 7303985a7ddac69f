#include "threeaxis/tri_axis_listing.h"

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

TriAxisListing::TriAxisListing(TApdDataPacket& collector, AnemState& state, MainMenu& menu,
                               TriAxisConfig& config, TriAxisIdentity& identity)
    : collector_(collector), state_(state), menu_(menu), config_(config), identity_(identity) {
  collector_.SetStringHandler([this](TApdDataPacket&, const QByteArray& text) { OnReply(text); });
}

void TriAxisListing::Expect(TriAxisReply kind) {
  collector_.Tag = 0;
  collector_.SetPacketSize(static_cast<int>(kind));
  // Re-arming starts a fresh reply: the part of an earlier reply that never ended is dropped
  // instead of being read as the start of this one.
  collector_.SetEnabled(false);
  collector_.SetEnabled(true);
}

bool TriAxisListing::Received() const { return collector_.Tag != 0; }

void TriAxisListing::ClearReceived() { collector_.Tag = 0; }

void TriAxisListing::OnReply(const QByteArray& text) {
  const std::string_view reply(text.constData(), static_cast<std::size_t>(text.size()));
  switch (collector_.PacketSize()) {
    case static_cast<int>(TriAxisReply::kSn):
      ReadSn(reply);
      break;
    case static_cast<int>(TriAxisReply::kVer):
      ReadVer(reply);
      break;
    case static_cast<int>(TriAxisReply::kConfig):
      ReadConfig(reply);
      break;
    default:
      break;
  }
  collector_.Tag = 1;
}

void TriAxisListing::ReadSn(std::string_view text) {
  if (!Consume(text, "SN\r\n")) Consume(text, "SN\r");
  identity_.identityText = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
  // An answer with nothing after the echo names no anemometer: no serial letter, and the serial
  // number shown so far stays.
  if (text.empty()) {
    identity_.serialLetter = 0;
    return;
  }
  identity_.serialLetter = text.front();
  const std::string_view serial = Window(text, 1, 6);
  state_.SerialNumber = QString::fromLatin1(serial.data(), static_cast<qsizetype>(serial.size()));
}

void TriAxisListing::ReadVer(std::string_view text) {
  Consume(text, " ");
  if (!Consume(text, "VER\r\n")) Consume(text, "VER\r");
  identity_.identityText.append(text.data(), static_cast<qsizetype>(text.size()));

  // Both families announce their 50 Hz variant with the same words.
  const bool fiftyHz = text.starts_with("T7 50Hz");
  if (identity_.serialLetter == 'O') {
    state_.PictureFile = QStringLiteral("T7.jpg");
    state_.Model = fiftyHz ? AnemModel::kT7_50 : AnemModel::kT7;
    state_.ModelCaption = fiftyHz ? QStringLiteral("T7(50Hz)") : QStringLiteral("T7");
    if (fiftyHz) config_.InstantaneousAvailable = true;
  } else if (identity_.serialLetter == 'H') {
    state_.PictureFile = QStringLiteral("MZ.jpg");
    state_.Model = fiftyHz ? AnemModel::kMz_50 : AnemModel::kMz;
    state_.ModelCaption = fiftyHz ? QStringLiteral("MZ(50Hz)") : QStringLiteral("MZ");
    if (fiftyHz) config_.InstantaneousAvailable = true;
  }

  // The last "Version " followed by anything gives the version: four characters, or what is left.
  constexpr std::string_view kVersion = "Version ";
  for (std::size_t at = text.find(kVersion); at != std::string_view::npos;
       at = text.find(kVersion, at + 1)) {
    const std::string_view version = Window(text, at + kVersion.size(), 4);
    if (!version.empty()) {
      state_.SoftwareVersion =
          QString::fromLatin1(version.data(), static_cast<qsizetype>(version.size()));
    }
  }
}

void TriAxisListing::ReadConfig(std::string_view text) {
  const std::string_view lineEnd = TakeConfigEcho(text);
  identity_.configurationText = QByteArray(text.data(), static_cast<qsizetype>(text.size()));

  for (const TriAxisChoice& choice : kTriAxisChoices) {
    const auto value = ValueOf(text, lineEnd, choice.keyword);
    if (!value) continue;
    const bool isCtone = choice.field == &TriAxisConfig::Ctone;
    const auto index = MatchValue(*value, isCtone ? kListedCtoneValues : choice.items);
    if (!index) continue;
    config_.*choice.field = *index;
    if (choice.field != &TriAxisConfig::StrFormat) continue;
    // Binary records carry nothing the graph, windsock or alarm could show; an ASCII format
    // gives the graph back.
    if (*index == 0) {
      menu_.Hide(QStringLiteral("Graph1"));
      menu_.Hide(QStringLiteral("Windsock1"));
      menu_.Hide(QStringLiteral("Alarm"));
    } else {
      menu_.Show(QStringLiteral("Graph1"));
    }
  }

  // AVERAGE ends at the line end; four characters at most.
  if (const auto value = ValueOf(text, lineEnd, "AVERAGE")) {
    const std::string_view window = value->substr(0, 4);
    const std::string_view digits = window.substr(0, window.find_first_of(kCrLf));
    if (IsAveragingValue(digits)) {
      config_.Averaging = QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
    }
  }

  // One letter per channel: "E" enabled, "D" disabled.
  if (const auto value = ValueOf(text, lineEnd, "ANAIP")) {
    const std::size_t channels = std::min(value->size(), config_.Aip.size());
    for (std::size_t n = 0; n < channels; ++n) {
      if ((*value)[n] == 'E') config_.Aip[n] = true;
      if ((*value)[n] == 'D') config_.Aip[n] = false;
    }
  }
}

}  // namespace ventari
