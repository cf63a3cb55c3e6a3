#pragma once
// Small operations on any window that several parts of the program share: its opacity, finding
// its child windows, posting it a message. Failures are tolerated (logged): a window that refuses
// a style simply stays as it was.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace qb {

// Layered windows (translucency) arrived with Windows 2000.
[[nodiscard]] bool HasLayeredWindows();

// Makes `window` a layered window of that opacity (255 = opaque), keeping its other extended
// styles. Does nothing on systems without layered windows.
void SetWindowAlpha(HWND window, uint8_t alpha);
// Makes `window` opaque and no longer layered; its other extended styles stay. Does nothing on
// systems without layered windows.
void RemoveWindowAlpha(HWND window);

// FindWindowExW with the same values; an empty class or window name is passed as "any". Answers
// the child found or null.
HWND FindChildWindow(HWND parent, HWND childAfter, std::string_view className, std::string_view windowName);

// PostMessageW with the same values; true when the message was posted.
bool PostWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The drag of the borderless windows: the system moves `window` with the mouse as if its title bar
// had been grabbed, until the button is let go. Call it while handling the button press.
void DragWindowByItsBody(HWND window);

// The whole text of a window (an edit control's, however long), as UTF-8.
[[nodiscard]] std::string WindowTextOf(HWND window);

// A window that lies on no monitor is moved onto the nearest monitor's work area (nothing is
// stored); true when it was moved.
bool BringOntoScreen(HWND window);

}  // namespace qb
