#pragma once
// The replacement window procedure of the hidden main window: the one place where the global
// hotkeys arrive and where Windows' log-off and shutdown are noticed. Every message, handled or
// not, goes on to the procedure the window had before, whose answer is returned.
#include <windows.h>

#include <cstdint>
#include <string_view>

namespace qb {

// What the hotkey actions need of the resident program: the main window's popup menu and launcher,
// and "save what is open" for Windows' log-off.
class MainWindowHost {
public:
  virtual ~MainWindowHost() = default;
  virtual void Popmenu(int16_t mode) = 0;
  virtual void HideTrayOnlyItems() = 0;
  virtual void MarkClipSlot(int16_t n) = 0;
  virtual void SetSlotCaption(int n, std::string_view slotText) = 0;
  virtual void SaveOpenWork() = 0;
};

// Installs MainWindowProc on `window`, keeping the procedure it had; `host` must outlive the hook.
// Installing again while hooked keeps the first procedure.
void HookMainWindow(HWND window, MainWindowHost& host);
// Puts the kept procedure back (only when one was kept).
void UnhookMainWindow(HWND window);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// A registered message the main window answers with the number of WM_TIMER messages it has
// received since it was hooked: lets a benchmark see what the program does while it idles.
inline constexpr wchar_t kTimerCountMessageName[] = L"Quorbell.TimerMessageCount";

// The picture kept for clipboard slot n (1..3) when a copy took a picture; null otherwise.
HBITMAP SlotPicture(int n);

}  // namespace qb
