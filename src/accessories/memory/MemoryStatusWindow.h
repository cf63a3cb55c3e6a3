#pragma once
// The memory status window "ﾒﾓﾘ状況": four rows (memory load, physical memory, page file, virtual
// address space), each a caption, a bar over a grey track and its percentage, refreshed every
// 300 ms from GlobalMemoryStatusEx; a button below starts a memory diet in its own process. Any
// number may be open at once, each on its own.
#include <windows.h>

#include <array>
#include <functional>

#include "platform/DialogKeys.h"
#include "platform/Handles.h"
#include "platform/WindowBase.h"

namespace qb {

class MemoryStatusWindow : public WindowBase<MemoryStatusWindow> {
public:
  static constexpr const char* kCaption = "ﾒﾓﾘ状況";
  static constexpr const char* kDietButtonText = "ﾌﾗｸﾞﾒﾝﾃｰｼｮﾝの解消";
  static const wchar_t* ClassName() { return L"Quorbell.MemoryStatusWindow"; }
  static void ConfigureClass(WNDCLASSEXW& wc) { wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); }

  // `startDiet` starts a diet process without waiting for it (the resident program knows how).
  explicit MemoryStatusWindow(std::function<void()> startDiet) : startDiet_(std::move(startDiet)) {}
  ~MemoryStatusWindow() { Destroy(); }

  // Creates and shows the window with the figures of the moment; false when it cannot be made.
  [[nodiscard]] bool Load();

  void OnTimer();
  void OnDietClick();
  // Moved to a monitor of another DPI: its controls, bars and fonts at that DPI, in the suggested
  // rectangle (when one is given).
  void OnDpiChanged(int dpi, const RECT* suggested);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  // The controls' places and fonts at the window's DPI.
  void LayOut();
  // Row `row`'s bar track, in the window's inner coordinates.
  [[nodiscard]] RECT TrackRect(int row) const;
  void Paint();
  void DrawPercentLabel(const DRAWITEMSTRUCT& item);
  void DrawBar(HDC dc, int row, const RECT& clip) const;

  std::function<void()> startDiet_;
  std::array<int, 4> percents_{};
  std::array<HWND, 4> captionLabels_{};  // children: destroyed with the window
  std::array<HWND, 4> percentLabels_{};
  DialogKeys keys_;
  HWND dietButton_ = nullptr;
  UniqueFont captionFont_;
  UniqueFont percentFont_;
  UniqueFont buttonFont_;
  UniqueBrush trackBrush_;
  UniqueBrush barBrush_;
  int dpi_ = 96;  // the DPI the window is laid out for: its monitor's
};

// The tray item: opens one more status window.
void OpenMemoryStatusWindow(std::function<void()> startDiet);

}  // namespace qb
