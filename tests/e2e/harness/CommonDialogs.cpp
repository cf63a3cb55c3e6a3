#include "harness/CommonDialogs.h"

#include <array>
#include <string>

#include "harness/Input.h"
#include "harness/WindowQueries.h"
#include "platform/WinText.h"

namespace qb::e2e {

namespace {

// The notifications a choice with the mouse sends: the font dialog listens to CBN_SELCHANGE, the
// file dialog's type list to CBN_SELENDOK. Sent rather than posted: a new face refills the style
// and size lists, which must have happened before the next choice is made in them.
bool NotifySelectionChange(HWND dialog, int comboId) {
  const HWND combo = GetDlgItem(dialog, comboId);
  const auto from = reinterpret_cast<LPARAM>(combo);
  return combo && Send(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), from) &&
         Send(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELENDOK), from);
}

}  // namespace

bool SelectComboEntry(HWND dialog, int comboId, std::string_view text) {
  const HWND combo = GetDlgItem(dialog, comboId);
  if (!combo) return false;
  const std::wstring wide = qb::Widen(text);
  const auto index = Send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
  if (!index || static_cast<int>(*index) == CB_ERR) return false;
  const auto selected = Send(combo, CB_SETCURSEL, static_cast<WPARAM>(*index));
  return selected && static_cast<int>(*selected) != CB_ERR && NotifySelectionChange(dialog, comboId);
}

namespace {

// Under Wine the style list's item data is the weight in the low word and "italic" in the high
// word; the entry texts are translated, the data is not.
bool SelectFontStyle(HWND dialog, bool bold) {
  const HWND combo = GetDlgItem(dialog, kFontStyleCombo);
  if (!combo) return false;
  const auto count = Send(combo, CB_GETCOUNT);
  const auto current = Send(combo, CB_GETCURSEL);
  if (!count || !current) return false;
  bool italic = false;
  if (static_cast<int>(*current) != CB_ERR) {
    if (const auto data = Send(combo, CB_GETITEMDATA, static_cast<WPARAM>(*current))) italic = HIWORD(*data) != 0;
  }
  for (LRESULT i = 0; i < *count; ++i) {
    const auto data = Send(combo, CB_GETITEMDATA, static_cast<WPARAM>(i));
    if (!data || static_cast<int>(*data) == CB_ERR) continue;
    const bool itemBold = LOWORD(*data) > FW_MEDIUM;
    const bool itemItalic = HIWORD(*data) != 0;
    if (itemBold != bold || itemItalic != italic) continue;
    const auto selected = Send(combo, CB_SETCURSEL, static_cast<WPARAM>(i));
    return selected && static_cast<int>(*selected) != CB_ERR && NotifySelectionChange(dialog, kFontStyleCombo);
  }
  return false;
}

}  // namespace

std::optional<HWND> WaitForCommonDialog(DWORD processId, int controlId, Millis timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND dialog : DialogWindows(processId)) {
          if (!IsWindowVisible(dialog)) continue;
          if (controlId != 0 && GetDlgItem(dialog, controlId) == nullptr) continue;
          found = dialog;
          return true;
        }
        return false;
      },
      timeout);
  if (!found) return std::nullopt;
  return found;
}

bool PressDialogButton(HWND dialog, int buttonId, bool wait) {
  if (!IsWindow(dialog)) return false;
  const WPARAM command = MAKEWPARAM(buttonId, BN_CLICKED);
  const auto button = reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId));
  return wait ? Send(dialog, WM_COMMAND, command, button).has_value() : Post(dialog, WM_COMMAND, command, button);
}

bool ConfirmDialog(HWND dialog) { return PressDialogButton(dialog, IDOK); }

bool CancelDialog(HWND dialog) { return PressDialogButton(dialog, IDCANCEL); }

bool SetDialogItemText(HWND dialog, int controlId, std::string_view utf8) {
  const HWND control = GetDlgItem(dialog, controlId);
  if (!control) return false;
  const std::wstring wide = qb::Widen(utf8);
  const auto done = Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  return done && *done != FALSE;
}

bool SetColourInDialog(HWND dialog, COLORREF colour) {
  const std::array<int, 3> parts = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
  for (int i = 0; i < 3; ++i) {
    if (!SetDialogItemText(dialog, kColourRedEdit + i, std::to_string(parts[i]))) return false;
  }
  return true;
}

bool ChooseColourInDialog(HWND dialog, COLORREF colour) {
  return SetColourInDialog(dialog, colour) && ConfirmDialog(dialog);
}

bool ClickCustomColour(HWND dialog, int index) {
  const HWND boxes = GetDlgItem(dialog, kColourCustomBoxes);
  if (!boxes || index < 0 || index > 15) return false;
  RECT area{};
  if (!GetWindowRect(boxes, &area)) return false;
  const LONG cellWidth = (area.right - area.left) / 8;
  const LONG cellHeight = (area.bottom - area.top) / 2;
  POINT centre{area.left + (index % 8) * cellWidth + cellWidth / 2, area.top + (index / 8) * cellHeight + cellHeight / 2};
  // The dialog itself takes the click: the boxes are painted on it, not a control of their own.
  // Sent, so that the colour has changed before anything else reaches the dialog.
  if (!ScreenToClient(dialog, &centre)) return false;
  const LPARAM at = MAKELPARAM(centre.x, centre.y);
  return Send(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at) && Send(dialog, WM_LBUTTONUP, 0, at);
}

bool ConfirmFontDialog(HWND dialog, std::optional<std::string> face, std::optional<int> size, std::optional<bool> bold) {
  // Face first: choosing it refills the style and size lists.
  if (face && !SelectComboEntry(dialog, kFontFaceCombo, *face)) return false;
  if (bold && !SelectFontStyle(dialog, *bold)) return false;
  if (size && !SelectComboEntry(dialog, kFontSizeCombo, std::to_string(*size))) return false;
  return ConfirmDialog(dialog);
}

bool SetFontEffect(HWND dialog, int checkId, bool on) {
  const HWND box = GetDlgItem(dialog, checkId);
  if (!box) return false;
  if (!Send(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED)) return false;
  return Send(dialog, WM_COMMAND, MAKEWPARAM(checkId, BN_CLICKED), reinterpret_cast<LPARAM>(box)).has_value();
}

std::string SelectedComboText(HWND dialog, int comboId) {
  const HWND combo = GetDlgItem(dialog, comboId);
  if (!combo) return {};
  const auto index = Send(combo, CB_GETCURSEL);
  if (!index || static_cast<int>(*index) == CB_ERR) return {};
  const auto length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(*index));
  if (!length || static_cast<int>(*length) == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  const auto copied = Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(*index), reinterpret_cast<LPARAM>(text.data()));
  if (!copied || static_cast<int>(*copied) == CB_ERR) return {};
  text.resize(static_cast<size_t>(*copied));
  return qb::Narrow(text);
}

bool ChooseFileInDialog(HWND dialog, std::string_view name) {
  const int box = GetDlgItem(dialog, kFileNameCombo) ? kFileNameCombo : kFileNameEdit;
  return SetDialogItemText(dialog, box, name) && ConfirmDialog(dialog);
}

}  // namespace qb::e2e
