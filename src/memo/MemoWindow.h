#pragma once
// One desktop memo: a borderless, sizable note at the bottom of the window stack whose text box
// fills it. The left button drags it, a double-click opens its menu (font, text colour, background
// colour, "閉じる"). It stores itself whenever the text box loses the focus, about a second after
// the user stops typing, when the program ends and when Windows logs off, so typed text is never
// lost; "閉じる" empties its record and frees its number.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/OpenWork.h"
#include "memo/MemoRecord.h"
#include "platform/Handles.h"
#include "platform/WindowBase.h"

namespace qb {

class MemoWindow : public WindowBase<MemoWindow> {
public:
  static constexpr const char* kFontCommand = "フォント変更";
  static constexpr const char* kTextColourCommand = "文字色変更";
  static constexpr const char* kBackColourCommand = "背景色変更";
  static constexpr const char* kCloseCommand = "閉じる";
  // A new memo's inner size, in twips.
  static constexpr int kClientWidthTwips = kNewMemoWidthTwips;
  static constexpr int kClientHeightTwips = kNewMemoHeightTwips;

  static const wchar_t* ClassName() { return L"Quorbell.MemoWindow"; }
  static void ConfigureClass(WNDCLASSEXW& wc);

  // `openWork` takes the memo's saver while its window is open; `onClosed` runs when the window
  // has gone, however it was closed.
  MemoWindow(OpenWorkRegistry* openWork, std::function<void(int n, HWND window)> onClosed);
  ~MemoWindow() { Destroy(); }

  // Creates the hidden window and its text box at the new-memo size; applies the common opacity
  // and the window region. False when the window cannot be made.
  [[nodiscard]] bool Load();
  // A stored memo: its place and size, then its text. A place that lies on no monitor shows on
  // the nearest work area; the stored place is then kept until the user moves the memo.
  void SetText(std::string_view boxText, const MemoPlaceTwips& place);
  // The memo number: its colours and font are applied.
  void SetMemoNo(int n);
  // Writes the memo's record: its text and its current place and size.
  void SaveText();
  // Bottom of the window stack, shown without being activated.
  void Bottom();

  [[nodiscard]] int MemoNumber() const noexcept { return memoNumber_; }
  [[nodiscard]] HWND TextBox() const noexcept { return textBox_; }
  [[nodiscard]] Colour BackColour() const noexcept { return style_.back; }
  [[nodiscard]] Colour TextColour() const noexcept { return style_.text; }

  void OnFontCommand();
  void OnTextColourCommand();
  void OnBackColourCommand();
  void OnCloseCommand();
  // Moved to a monitor of another DPI: the font for that DPI and the suggested rectangle (none
  // given: the memo keeps its size).
  void OnDpiChanged(int dpi, LPARAM suggested);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) noexcept;
  void OnResize();
  void ApplyRegion();
  void ApplyFont();
  void ShowMenu();
  [[nodiscard]] std::string Text() const;
  // A window rectangle as the memo stores it: place at the desktop's scale, size at the memo's DPI.
  [[nodiscard]] MemoPlaceTwips PlaceInTwips(const RECT& r) const;

  OpenWorkRegistry* openWork_;
  std::function<void(int n, HWND window)> onClosed_;
  int saveTicket_ = 0;
  int memoNumber_ = -1;
  HWND textBox_ = nullptr;  // a child: destroyed with the window
  MemoStyle style_;
  UniqueFont font_;
  UniqueBrush backBrush_;
  int dpi_ = 96;  // the DPI the memo is laid out for: its monitor's
  // Set while the memo shows elsewhere than its stored place only because that place lies on no
  // monitor: saves write the stored place until the user moves the memo.
  std::optional<MemoPlaceTwips> keptPlace_;
  bool closing_ = false;
  RECT sizeMoveStart_{};  // the window at the start of a move or resize by the user  // "閉じる" runs: the close itself stores nothing more
};

// Gives a memo window its shape (MemoRegion) for its present frame and size: what the memo applies
// whenever it is sized, and what the screen capture gives back to a memo it hid.
void ApplyMemoRegion(HWND memo);

}  // namespace qb
