#include "accessories/open_anything/OpenHistory.h"

#include <algorithm>

#include "common/Text.h"

namespace qb {

void OpenHistory::Add(std::string text) {
  entries_.push_back(std::move(text));
  while (entries_.size() > kMaxEntries) {
    entries_.pop_front();
    ++dropped_;
  }
}

bool IsBlankEntry(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t cp = DecodeUtf8(text, pos);
    if (cp != U' ' && cp != U'\t' && cp != U'\u3000') return false;
  }
  return true;
}

std::optional<std::string> OpenAnythingBox::Enter(std::string_view text) {
  if (IsBlankEntry(text)) return std::nullopt;
  history_.Add(std::string(text));
  return std::string(text);
}

std::uint64_t OpenAnythingBox::Place() const {
  return std::clamp(number_, history_.OldestNumber(), history_.NewestNumber());
}

std::optional<std::string> OpenAnythingBox::Up() {
  if (history_.Empty()) return std::nullopt;
  number_ = Place();
  if (number_ > history_.OldestNumber()) --number_;
  return history_.ByNumber(number_);
}

std::optional<std::string> OpenAnythingBox::Down() {
  if (history_.Empty()) return std::nullopt;
  number_ = Place();
  if (number_ < history_.NewestNumber()) ++number_;
  return history_.ByNumber(number_);
}

}  // namespace qb
