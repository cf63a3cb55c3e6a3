#pragma once
// Driving the system's common dialogs (colour, font, open-file, folder) that a process shows
// modally: finding the dialog, filling in its controls and pressing OK or Cancel. Everything goes
// through window messages, so it works on a dialog of another process (Quorbell.exe under test)
// as well as on one of the calling process shown by another thread. Checked under Wine by
// tests/win/PickersWinTest.cpp, which drives the program's own pickers with these functions.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "harness/Wait.h"

namespace qb::e2e {

// Control ids the dialogs have had since Windows 95 (dlgs.h, colordlg.h).
inline constexpr int kColourRedEdit = 706;    // COLOR_RED; green and blue follow
inline constexpr int kColourAddCustom = 712;  // COLOR_ADD, "Add to Custom Colors"
inline constexpr int kColourCustomBoxes = 721;  // COLOR_CUSTOM1, the 2 x 8 custom colour boxes
inline constexpr int kFontFaceCombo = 0x470;  // cmb1
inline constexpr int kFontStyleCombo = 0x471;  // cmb2
inline constexpr int kFontSizeCombo = 0x472;  // cmb3
inline constexpr int kFontStrikeoutCheck = 0x410;  // chx1
inline constexpr int kFontUnderlineCheck = 0x411;  // chx2
inline constexpr int kFileNameCombo = 0x47c;  // cmb13, the explorer-style file name box
inline constexpr int kFileNameEdit = 0x480;   // edt1, the older file name box
inline constexpr int kFileTypeCombo = 0x470;  // cmb1 of the file dialog
inline constexpr int kFolderTree = 0x3741;    // the folder dialog's tree view
inline constexpr int kFolderTitle = 0x3742;   // the folder dialog's text above the tree

// The first visible dialog window (class #32770) of the process, once one exists; with a
// `controlId`, only a dialog holding a control with that id (so that, say, a message box is not
// taken for the colour dialog). Visible means the dialog has finished setting itself up.
std::optional<HWND> WaitForCommonDialog(DWORD processId, int controlId = 0, Millis timeout = kDefaultTimeout);

// The button's WM_COMMAND, as a click would end in. Posted by default, for buttons that end the
// dialog or open a message box (a sent message would wait for that box); `wait` sends it instead,
// for a button whose effect must be complete before the next step (the sent steps below would
// otherwise overtake a posted press). False when the dialog is gone.
[[nodiscard]] bool PressDialogButton(HWND dialog, int buttonId, bool wait = false);
[[nodiscard]] bool ConfirmDialog(HWND dialog);  // IDOK
[[nodiscard]] bool CancelDialog(HWND dialog);   // IDCANCEL
// Sets a control's text (WM_SETTEXT, which also tells the dialog through EN_CHANGE).
[[nodiscard]] bool SetDialogItemText(HWND dialog, int controlId, std::string_view utf8);

// Colour dialog: types the colour into the red, green and blue boxes and presses OK.
[[nodiscard]] bool ChooseColourInDialog(HWND dialog, COLORREF colour);
// Colour dialog: types the colour into the red, green and blue boxes without closing the dialog.
[[nodiscard]] bool SetColourInDialog(HWND dialog, COLORREF colour);
// Colour dialog: clicks custom colour box `index` (0-7 the top row from the left, 8-15 the bottom
// row: the order of the custom colour array), making its colour the current one. The dialog's
// "Add" fills the boxes column by column: 0, 8, 1, 9 ...
[[nodiscard]] bool ClickCustomColour(HWND dialog, int index);

// Font dialog: picks what is given (face as listed, size in points as listed, bold or regular
// keeping the italic state) and presses OK. False, without pressing OK, when a face or size is
// not in the lists.
[[nodiscard]] bool ConfirmFontDialog(HWND dialog, std::optional<std::string> face = std::nullopt,
                                     std::optional<int> size = std::nullopt, std::optional<bool> bold = std::nullopt);
// Font dialog: ticks or clears the strikeout or underline box (not pressing OK).
[[nodiscard]] bool SetFontEffect(HWND dialog, int checkId, bool on);
// Selects the entry of a combo box of the dialog with exactly that text and tells the dialog, as
// a choice with the mouse would (CBN_SELCHANGE). False when there is no such entry.
[[nodiscard]] bool SelectComboEntry(HWND dialog, int comboId, std::string_view text);
// The selected entry of a combo box of the dialog (font face, file type ...); empty when none.
std::string SelectedComboText(HWND dialog, int comboId);

// Open-file dialog: types `name` (a file name or a whole path) into the file name box and presses
// OK.
[[nodiscard]] bool ChooseFileInDialog(HWND dialog, std::string_view name);

}  // namespace qb::e2e
