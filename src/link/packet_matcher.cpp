#include "link/packet_matcher.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "link/packet_matcher_group.h"

namespace ventari {

void TApdDataPacket::Pattern::Compile(const QByteArray& text, bool foldLetters) {
  foldLetters_ = foldLetters;
  bytes_.assign(text.begin(), text.end());
  if (foldLetters) {
    for (std::uint8_t& byte : bytes_) byte = FoldLetter(byte);
  }
  fallback_.assign(bytes_.size(), 0);
  std::size_t matched = 0;
  for (std::size_t i = 1; i < bytes_.size(); ++i) {
    while (matched > 0 && bytes_.at(i) != bytes_.at(matched)) matched = fallback_.at(matched - 1);
    if (bytes_.at(i) == bytes_.at(matched)) ++matched;
    fallback_.at(i) = matched;
  }
}

std::size_t TApdDataPacket::Pattern::Skip(std::span<const std::uint8_t> bytes) const {
  const std::uint8_t first = bytes_.at(0);
  if (foldLetters_ && first >= 'A' && first <= 'Z') {
    const auto found = std::find_if(bytes.begin(), bytes.end(), [first](std::uint8_t byte) {
      return FoldLetter(byte) == first;
    });
    return static_cast<std::size_t>(found - bytes.begin());
  }
  const void* found = std::memchr(bytes.data(), first, bytes.size());
  return found == nullptr
             ? bytes.size()
             : static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - bytes.data());
}

TApdDataPacket::TApdDataPacket(std::string name) : name_(std::move(name)) {}

TApdDataPacket::~TApdDataPacket() {
  if (group_ != nullptr) group_->Detach(*this);
}

void TApdDataPacket::SetEndCond(EndConditions cond) {
  if (cond == endCond_) return;
  endCond_ = cond;
  Rearm();
}

void TApdDataPacket::SetEndString(const QByteArray& text) {
  if (text == endString_) return;
  endString_ = text;
  Rearm();
}

void TApdDataPacket::Rearm() {
  if (!enabled_) return;
  SetEnabled(false);
  SetEnabled(true);
}

void TApdDataPacket::CheckArmable() const {
  const bool anyData = startCond_ == StartCondition::kAnyData;
  const qsizetype startLength = anyData ? 0 : startString_.size();
  const char* fault = nullptr;
  if (!anyData && startString_.isEmpty()) {
    fault = "the start string is empty";
  } else if (endCond_.size && (packetSize_ == 0 || packetSize_ < startLength)) {
    fault = "the packet size is zero or shorter than the start string";
  } else if (endCond_.string && endString_.isEmpty()) {
    fault = "the end string is empty";
  } else if (anyData && !endCond_.string && !endCond_.size) {
    fault = "a packet that starts with any data has no end condition";
  }
  if (fault != nullptr) throw std::invalid_argument(name_ + " cannot be armed: " + fault);
}

void TApdDataPacket::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  if (!enabled) {
    enabled_ = false;
    if (group_ != nullptr) group_->Disarmed(*this);
    return;
  }
  CheckArmable();
  anyData_ = startCond_ == StartCondition::kAnyData;
  start_.Compile(anyData_ ? QByteArray() : startString_, ignoreCase_);
  end_.Compile(endCond_.string ? endString_ : QByteArray(), ignoreCase_);
  size_ = endCond_.size ? static_cast<std::size_t>(packetSize_) : 0;
  enabled_ = true;
  if (group_ != nullptr) group_->Restart(*this);
}

}  // namespace ventari
