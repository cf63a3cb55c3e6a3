#include "platform/KeyTyping.h"

#include <string>

#include "platform/DebugLog.h"
#include "platform/MessagePump.h"

namespace qb {

namespace {

constexpr DWORD kPollMs = 5;

constexpr int kModifierKeys[] = {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN};

// Keys that sit on the extended (E0) scan codes; without the flag the system would take the
// numeric-keypad twin (Home for keypad 7, and so on).
bool IsExtendedKey(uint16_t vk) {
  switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_SNAPSHOT: case VK_CANCEL: case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN:
    case VK_APPS:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(WORD vk, WORD scan, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  return input;
}

bool AnyModifierDown() {
  for (const int vk : kModifierKeys) {
    if (GetAsyncKeyState(vk) & 0x8000) return true;
  }
  return false;
}

// The events have been handed to the system; wait until the window with the focus has them.
// There is no way to ask another thread whether it has handled its input, so for another
// program's window this is a best effort: a short pause for the system to deliver the events,
// then two round trips of WM_NULL to the foreground window, whose thread answers them only once
// it is back in its message loop, that is, after handling what was waiting before. For a window of
// this thread (the tests', the program's own dialogs) the wait is exact: this thread's messages
// are processed until no input is left in its queue.
void WaitUntilTyped() {
  const ULONGLONG deadline = GetTickCount64() + kTypedTimeoutMs;
  const HWND foreground = GetForegroundWindow();
  const DWORD thread = foreground != nullptr ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  if (thread == GetCurrentThreadId()) {
    int quietPolls = 0;
    while (quietPolls < 2 && GetTickCount64() < deadline) {
      PumpPendingMessages();
      if (HIWORD(GetQueueStatus(QS_INPUT)) == 0) {
        ++quietPolls;
      } else {
        quietPolls = 0;
      }
      if (quietPolls < 2) Sleep(kPollMs);
    }
    return;
  }
  Sleep(kPollMs * 4);
  if (foreground == nullptr) return;
  for (int round = 0; round < 2; ++round) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(foreground, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(deadline - now), &result)) {
      return;  // hung or gone: nothing more to wait for
    }
  }
}

}  // namespace

std::vector<INPUT> KeyEventsToInputs(const std::vector<KeyEvent>& events) {
  std::vector<INPUT> inputs;
  inputs.reserve(events.size() * 2);
  for (const KeyEvent& event : events) {
    if (event.kind == KeyEvent::Kind::Char) {
      wchar_t units[2];
      int count = 1;
      if (event.ch >= 0x10000 && event.ch <= 0x10FFFF) {
        const char32_t v = event.ch - 0x10000;
        units[0] = static_cast<wchar_t>(0xD800 + (v >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + (v & 0x3FF));
        count = 2;
      } else {
        units[0] = static_cast<wchar_t>(event.ch <= 0xFFFF ? event.ch : 0xFFFD);
      }
      for (int i = 0; i < count; ++i) {
        inputs.push_back(KeyInput(0, units[i], KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, units[i], KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
      }
      continue;
    }
    DWORD flags = event.kind == KeyEvent::Kind::Up ? KEYEVENTF_KEYUP : 0;
    if (IsExtendedKey(event.vk)) flags |= KEYEVENTF_EXTENDEDKEY;
    const WORD scan = static_cast<WORD>(MapVirtualKeyW(event.vk, MAPVK_VK_TO_VSC));
    inputs.push_back(KeyInput(event.vk, scan, flags));
  }
  return inputs;
}

bool WaitForModifiersReleased(DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (AnyModifierDown()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

bool TypeKeyEvents(const std::vector<KeyEvent>& events, TypingMode mode) {
  if (events.empty()) return true;
  // Typing on regardless after the timeout: a key held for two seconds is not the hotkey's, and
  // the macro should not be lost because of it.
  if (!WaitForModifiersReleased(kModifierReleaseTimeoutMs)) DebugLog("typing while a modifier key is still down");
  std::vector<INPUT> inputs = KeyEventsToInputs(events);
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  const bool complete = Tolerate(sent == inputs.size(), "SendInput");
  if (mode == TypingMode::Wait && sent > 0) WaitUntilTyped();
  return complete;
}

}  // namespace qb
