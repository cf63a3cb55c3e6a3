#pragma once
// The open-anything box "opengin": a one-line text box in a small sizable tool window. Enter hands
// the text to the shell's "open" action (a program, a document, a folder, an internet address) and
// remembers it; Up and Down bring back what was opened before; files dropped onto the window are
// opened the same way. There is one box; the history lasts for the run of the program.
#include <windows.h>
#include <shellapi.h>

#include <optional>

#include "accessories/open_anything/OpenHistory.h"
#include "platform/Handles.h"
#include "platform/WindowBase.h"

namespace qb {

class OpenAnythingWindow : public WindowBase<OpenAnythingWindow> {
public:
  static constexpr const wchar_t* kCaption = L"opengin";
  static const wchar_t* ClassName() { return L"Quorbell.OpenAnythingWindow"; }
  OpenAnythingWindow() = default;
  ~OpenAnythingWindow() { Destroy(); }

  // Creates the window with an empty text box standing at the oldest entry of the history; true
  // when it exists afterwards. An open window is left as it is.
  [[nodiscard]] bool Load();
  // Shows the window in front and active, with the keyboard focus in the text box.
  void Show();

  // Opens the text of the text box (Enter).
  void OpenEntry();
  // Moved to a monitor of another DPI: the font and the text box's height at that DPI, in the
  // suggested rectangle (none given: the window keeps its size).
  void OnDpiChanged(int dpi, LPARAM suggested);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR selfData) noexcept;
  // True when the key was the box's own (Enter, or Up and Down over a history).
  bool OnTextBoxKeyDown(WPARAM key);
  void ShowEntry(const std::string& text);
  void OnFilesDropped(HDROP drop);
  void OnResize();
  void ApplyFont();

  std::optional<OpenAnythingBox> box_;
  HWND textBox_ = nullptr;  // child: destroyed with the window
  UniqueFont font_;
  int dpi_ = 96;  // the DPI the window is laid out for: its monitor's
};

// The tray item: opens the box, or brings the open one forward with its text.
void ShowOpenAnything();

}  // namespace qb
