#pragma once
// The rows of the launcher menu apart from its window: which row is current (it is the one
// highlighted), how the arrow keys move it round the sixteen rows, blank rows included, and what a
// key or a mouse button let go over a row's name asks the menu to do.
#include <array>
#include <optional>

namespace qb {

class LauncherRows {
public:
  static constexpr int kRowCount = 16;
  // The keys the menu answers, by the key codes Windows reports; every other key does nothing.
  static constexpr int kEnterKey = 13;
  static constexpr int kEscapeKey = 27;
  static constexpr int kUpKey = 38;
  static constexpr int kDownKey = 40;

  enum class Button { Left, Right, Middle, Other };

  // What the menu does after an input: nothing, or end, starting a row's program first when
  // `start` names one.
  struct Choice {
    bool end = false;
    std::optional<int> start;
    friend bool operator==(const Choice&, const Choice&) = default;
  };

  // Row 0 is current and highlighted.
  LauncherRows();

  [[nodiscard]] int Current() const noexcept { return current_; }
  [[nodiscard]] bool Highlighted(int row) const noexcept { return row == current_; }
  // A name shows in the button-text colour until its row is first highlighted and in the
  // window-text colour from then on (the two are the same on most systems).
  [[nodiscard]] bool EverHighlighted(int row) const noexcept;

  // The pointer over a row's name makes that row current. A row outside 0..15 changes nothing.
  void Hover(int row);
  // Enter starts the current row and ends the menu, Escape ends it, Up and Down move round.
  [[nodiscard]] Choice KeyDown(int keyCode);
  // A button let go over a row's name ends the menu; the left one starts that row first (it
  // becomes current, also when the pointer reached it without moving, as when the menu opened
  // under a still pointer and the keys moved the highlight elsewhere).
  [[nodiscard]] Choice ButtonUp(int row, Button button);

private:
  void MoveTo(int row);

  int current_ = 0;
  std::array<bool, kRowCount> everHighlighted_{};
};

}  // namespace qb
