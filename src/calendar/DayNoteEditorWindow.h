#pragma once
// The day-note editor: a borderless, sizable window whose text box fills it. A double-click in the
// text stores a non-blank text as the day's note and closes the editor (a note that cannot be
// stored is reported and the editor stays open); Esc closes it without
// storing; the left button drags the window. There is one editor, shared by every day: opening
// another day's note while it is open replaces its title and text without storing anything.
#include <windows.h>

#include <string>
#include <string_view>

#include "calendar/DayNoteEditor.h"
#include "platform/Handles.h"
#include "platform/WindowBase.h"

namespace qb {

class DayNoteEditorWindow : public WindowBase<DayNoteEditorWindow> {
public:
  static constexpr const char* kFontFace = "ＭＳ ゴシック";
  static constexpr int kFontPoints = 9;
  static constexpr const char* kSaveFailedMessage = "メモを保存できませんでした。";

  static const wchar_t* ClassName() { return L"Quorbell.DayNoteEditor"; }
  DayNoteEditorWindow() = default;
  // The window goes while the editor is still whole: its text box uses the editor's font.
  ~DayNoteEditorWindow() { Destroy(); }

  // Creates the (hidden) window and its text box; true when it exists afterwards.
  [[nodiscard]] bool Load();
  // The note the next save goes to; also the window's text.
  void SetTitle(std::string title);
  [[nodiscard]] const std::string& Title() const { return logic_.Title(); }
  // Replaces the text box's text (line breaks as CR LF).
  void SetText(std::string_view boxText);
  [[nodiscard]] std::string Text() const;
  // Shows the editor in front, the text box focused.
  void Show();
  void Unload() { Destroy(); }

  void OnResize();
  void OnTextDoubleClick();
  void OnTextKeyUp(WPARAM keyCode);
  void OnTextMouseDown();
  // Moved to a monitor of another DPI: the font for that DPI and the suggested rectangle.
  void OnDpiChanged(int dpi, LPARAM suggested);

  [[nodiscard]] HWND TextBox() const noexcept { return textBox_; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self) noexcept;

  void ApplyFont();

  DayNoteEditor logic_;
  HWND textBox_ = nullptr;  // a child: destroyed with the window
  UniqueFont font_;
  int dpi_ = 96;  // the DPI the window is laid out for
};

// Opens the shared editor on a day's note (creating its window when it is closed): sets the title,
// shows the note with "@@" as line breaks (the title itself when the day has no note) and brings
// the editor to the front. Answers the editor, or null when its window cannot be created.
DayNoteEditorWindow* ShowDayNoteEditor(std::string_view title, std::string_view noteText);

}  // namespace qb
