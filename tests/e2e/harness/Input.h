#pragma once
// Driving another process's windows: messages, synthetic mouse clicks and keys. SendInput goes to
// the foreground window, so the input functions bring the target to the front first; the Post...
// variants bypass the input queue for windows that cannot be activated.
#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string_view>

#include "harness/Wait.h"

namespace qb::e2e {

enum class MouseButton { Left, Right, Middle };

// SendMessageTimeout: nullopt when the target did not answer in time.
std::optional<LRESULT> Send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0, Millis timeout = 5s);
[[nodiscard]] bool Post(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
// WM_CLOSE, posted.
[[nodiscard]] bool PostClose(HWND hwnd);

// SetForegroundWindow and wait until Windows reports it in front.
[[nodiscard]] bool BringToFront(HWND hwnd, Millis timeout = 3s);

// A real click at a point of the window's client area: pointer moved there, button pressed and
// released through SendInput. `clicks` 2 makes a double-click.
[[nodiscard]] bool ClickAt(HWND hwnd, POINT client, MouseButton button = MouseButton::Left, int clicks = 1);
// A real drag of a window that the system moves with the pointer (by its title bar, or by its body
// dragged like one): the left button is pressed at a point of the window's client area, and the
// pointer moves by `offset` in steps only once the program's thread is in the system's move loop,
// each step once the window has followed the one before. Input is routed to a window when it is
// sent, so a pointer that ran ahead of a window still starting to move would send the rest of the
// drag, the release included, to whatever lies beside it. False when no move loop started (the
// button is released all the same).
[[nodiscard]] bool DragAt(HWND hwnd, POINT client, POINT offset);
// Real pointer movement through SendInput: to a point of the primary screen, or by a distance
// (a relative move, as a mouse reports it, also against an edge the pointer cannot pass).
[[nodiscard]] bool MovePointerTo(POINT screen);
[[nodiscard]] bool MovePointerBy(int dx, int dy);
// The messages a click would bring, posted straight to the window (client coordinates).
[[nodiscard]] bool PostClick(HWND hwnd, POINT client, MouseButton button = MouseButton::Left);

// Types text as Unicode key events (KEYEVENTF_UNICODE) into the foreground window.
[[nodiscard]] bool TypeText(std::string_view utf8);
// Presses the keys in order and releases them in reverse: {VK_CONTROL, 'V'} is Ctrl+V.
[[nodiscard]] bool PressKeys(std::initializer_list<WORD> keys);
// WM_KEYDOWN / WM_KEYUP posted to a window.
[[nodiscard]] bool PostKey(HWND hwnd, WORD vk);

}  // namespace qb::e2e
