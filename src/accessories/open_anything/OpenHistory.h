#pragma once
// What the open-anything box remembers, apart from its window: the texts opened with Enter during
// this run of the program (never stored), and a box's place in them while the user steps through
// them with Up and Down.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace qb {

// The opened texts, oldest first. It keeps the newest kMaxEntries; older ones are dropped.
class OpenHistory {
public:
  static constexpr std::size_t kMaxEntries = 1000;

  void Add(std::string text);
  [[nodiscard]] bool Empty() const noexcept { return entries_.empty(); }
  [[nodiscard]] std::size_t Count() const noexcept { return entries_.size(); }
  // 0 is the oldest entry kept.
  [[nodiscard]] const std::string& At(std::size_t index) const { return entries_.at(index); }

  // Every entry ever added has a number, 0 for the first one of the run; these are the numbers of
  // the oldest and the newest entry kept (meaningless while the history is empty).
  [[nodiscard]] std::uint64_t OldestNumber() const noexcept { return dropped_; }
  [[nodiscard]] std::uint64_t NewestNumber() const noexcept { return dropped_ + entries_.size() - 1; }
  [[nodiscard]] const std::string& ByNumber(std::uint64_t number) const { return At(number - dropped_); }

private:
  std::deque<std::string> entries_;
  std::uint64_t dropped_ = 0;
};

// True for a text that holds nothing but blanks (spaces, full-width spaces, tabs): nothing to open.
[[nodiscard]] bool IsBlankEntry(std::string_view text);

// One open-anything box: what Enter, Up and Down do to the history and to the box's text. The box
// starts at the oldest entry and Enter does not move it; Up steps to older entries and stops at the
// oldest, Down steps to newer ones and stops at the newest. The box keeps to its entry when older
// entries are dropped, and moves to the oldest one kept when its own entry is dropped.
class OpenAnythingBox {
public:
  explicit OpenAnythingBox(OpenHistory& history) : history_(history) {}

  // Enter on `text`: the text to hand to the shell, as typed, after adding it to the history; nothing
  // for a blank text, which is neither opened nor added.
  [[nodiscard]] std::optional<std::string> Enter(std::string_view text);
  // The text the box shows after Up or Down; nothing when the history is empty (the text stays).
  [[nodiscard]] std::optional<std::string> Up();
  [[nodiscard]] std::optional<std::string> Down();

private:
  // The box's entry number, brought within the entries kept.
  std::uint64_t Place() const;

  OpenHistory& history_;
  std::uint64_t number_ = 0;
};

}  // namespace qb
