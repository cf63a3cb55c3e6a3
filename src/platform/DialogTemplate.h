#pragma once
// Dialog templates made in memory (DLGTEMPLATEEX), for dialogs whose controls come from a table in
// the program rather than from the resource script: the window manager then gives them everything a
// dialog has (dialog units that scale with the font and the DPI, Tab and arrow-key movement, default
// and cancel buttons).
#include <windows.h>

#include <string>
#include <vector>

namespace qb {

struct DialogItem {
  std::wstring className;  // "BUTTON", "EDIT", "STATIC", "COMBOBOX", or a registered class
  std::wstring text;
  DWORD style = 0;  // WS_CHILD | WS_VISIBLE are added
  DWORD exStyle = 0;
  short x = 0, y = 0, width = 0, height = 0;  // dialog units
  int id = 0;
};

struct DialogSpec {
  DWORD style = 0;  // DS_SETFONT is added
  DWORD exStyle = 0;
  short x = 0, y = 0, width = 0, height = 0;  // dialog units
  std::wstring caption;
  std::wstring fontFace;
  WORD fontPoints = 9;
  BYTE fontCharset = DEFAULT_CHARSET;
  std::vector<DialogItem> items;
};

// The template's bytes, DWORD-aligned throughout as the dialog manager requires; pass data() to
// CreateDialogIndirectParamW (the vector is DWORD-aligned storage).
std::vector<DWORD> BuildDialogTemplate(const DialogSpec& spec);

}  // namespace qb
