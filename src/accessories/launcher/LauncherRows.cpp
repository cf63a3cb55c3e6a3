#include "accessories/launcher/LauncherRows.h"

namespace qb {

namespace {

bool IsRow(int row) { return row >= 0 && row < LauncherRows::kRowCount; }

}  // namespace

LauncherRows::LauncherRows() { MoveTo(0); }

bool LauncherRows::EverHighlighted(int row) const noexcept {
  return IsRow(row) && everHighlighted_[static_cast<size_t>(row)];
}

void LauncherRows::MoveTo(int row) {
  current_ = row;
  everHighlighted_[static_cast<size_t>(row)] = true;
}

void LauncherRows::Hover(int row) {
  if (IsRow(row)) MoveTo(row);
}

LauncherRows::Choice LauncherRows::KeyDown(int keyCode) {
  switch (keyCode) {
    case kEnterKey:
      return {true, current_};
    case kEscapeKey:
      return {true, std::nullopt};
    case kUpKey:
      MoveTo(current_ == 0 ? kRowCount - 1 : current_ - 1);
      return {};
    case kDownKey:
      MoveTo(current_ == kRowCount - 1 ? 0 : current_ + 1);
      return {};
    default:
      return {};
  }
}

LauncherRows::Choice LauncherRows::ButtonUp(int row, Button button) {
  if (button != Button::Left) return {true, std::nullopt};
  Hover(row);
  return {true, current_};
}

}  // namespace qb
