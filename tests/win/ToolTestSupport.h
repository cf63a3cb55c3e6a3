#pragma once
// Test windows for the window tools: visible top-level windows of this process that the tests put
// in front, since the tools act on whatever window is in front.
#include <windows.h>

#include "platform/Handles.h"

namespace qb::test {

// A visible captioned window at that place and size (outer rectangle).
UniqueWindow FrontCandidate(int x, int y, int width, int height, DWORD exStyle = 0);

// SetForegroundWindow, pumping this thread's messages until the system reports the window in
// front; false when it never does.
[[nodiscard]] bool BringToFront(HWND window);

}  // namespace qb::test
