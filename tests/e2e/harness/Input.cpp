#include "harness/Input.h"

#include <vector>

#include "platform/WinText.h"

namespace qb::e2e {

namespace {

bool SendAll(std::vector<INPUT>& inputs) {
  if (inputs.empty()) return true;
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

INPUT KeyInput(WORD vk, WORD scan, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = scan;
  in.ki.dwFlags = flags;
  return in;
}

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = x;
  in.mi.dy = y;
  in.mi.dwFlags = flags;
  return in;
}

void ButtonFlags(MouseButton button, DWORD& down, DWORD& up) {
  switch (button) {
    case MouseButton::Left:
      down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
      break;
    case MouseButton::Right:
      down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
      break;
    case MouseButton::Middle:
      down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
      break;
  }
}

bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RMENU: case VK_RCONTROL:
    case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_DIVIDE: case VK_NUMLOCK: case VK_SNAPSHOT:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<LRESULT> Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, Millis timeout) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, ToDword(timeout), &result)) return std::nullopt;
  return static_cast<LRESULT>(result);
}

bool Post(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return PostMessageW(hwnd, msg, wp, lp) != FALSE; }

bool PostClose(HWND hwnd) { return Post(hwnd, WM_CLOSE); }

bool BringToFront(HWND hwnd, Millis timeout) {
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() == hwnd) return true;
        SetForegroundWindow(hwnd);
        return GetForegroundWindow() == hwnd;
      },
      timeout);
}

namespace {

// A pointer move to a point of the primary screen.
INPUT MoveTo(POINT screen) {
  // Absolute coordinates are 0..65535 across the primary screen.
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  LONG ax = static_cast<LONG>((screen.x * 65535LL + width / 2) / (width > 1 ? width - 1 : 1));
  LONG ay = static_cast<LONG>((screen.y * 65535LL + height / 2) / (height > 1 ? height - 1 : 1));
  return MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ax, ay);
}

// Brings the window in front and waits until the point on the screen shows it: a click sent while
// another window still lies over the point would reach that one.
bool FrontAndUncovered(HWND hwnd, POINT screen) {
  HWND top = GetAncestor(hwnd, GA_ROOT);
  if (!BringToFront(top ? top : hwnd)) return false;
  const HWND root = top ? top : hwnd;
  WaitUntil([&] { return GetAncestor(WindowFromPoint(screen), GA_ROOT) == root; }, 2s);
  return true;
}

}  // namespace

bool ClickAt(HWND hwnd, POINT client, MouseButton button, int clicks) {
  POINT screen = client;
  ClientToScreen(hwnd, &screen);
  if (!FrontAndUncovered(hwnd, screen)) return false;
  DWORD down = 0, up = 0;
  ButtonFlags(button, down, up);
  std::vector<INPUT> inputs{MoveTo(screen)};
  for (int i = 0; i < clicks; ++i) {
    inputs.push_back(MouseInput(down));
    inputs.push_back(MouseInput(up));
  }
  return SendAll(inputs);
}

bool DragAt(HWND hwnd, POINT client, POINT offset) {
  POINT start = client;
  ClientToScreen(hwnd, &start);
  if (!FrontAndUncovered(hwnd, start)) return false;
  const HWND moving = GetAncestor(hwnd, GA_ROOT) != nullptr ? GetAncestor(hwnd, GA_ROOT) : hwnd;
  RECT from{};
  GetWindowRect(moving, &from);
  std::vector<INPUT> press{MoveTo(start), MouseInput(MOUSEEVENTF_LEFTDOWN)};
  if (!SendAll(press)) return false;
  const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
  const bool inMoveLoop = WaitUntil([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
  });
  // One step at a time, each once the window has caught up with the last: the pointer never
  // leaves the window, whatever the system does with the pointer's own moves meanwhile.
  constexpr int kSteps = 4;
  for (int i = 1; inMoveLoop && i <= kSteps; ++i) {
    const POINT step{offset.x * i / kSteps, offset.y * i / kSteps};
    std::vector<INPUT> move{MoveTo({start.x + step.x, start.y + step.y})};
    if (!SendAll(move)) break;
    WaitUntil([&] {
      RECT now{};
      GetWindowRect(moving, &now);
      return now.left == from.left + step.x && now.top == from.top + step.y;
    }, 2s);
  }
  std::vector<INPUT> release{MouseInput(MOUSEEVENTF_LEFTUP)};
  return SendAll(release) && inMoveLoop;
}

bool MovePointerTo(POINT screen) {
  std::vector<INPUT> move{MoveTo(screen)};
  return SendAll(move);
}

bool MovePointerBy(int dx, int dy) {
  std::vector<INPUT> move{MouseInput(MOUSEEVENTF_MOVE, dx, dy)};
  return SendAll(move);
}

bool PostClick(HWND hwnd, POINT client, MouseButton button) {
  LPARAM lp = MAKELPARAM(client.x, client.y);
  UINT downMsg = WM_LBUTTONDOWN, upMsg = WM_LBUTTONUP;
  WPARAM keys = MK_LBUTTON;
  if (button == MouseButton::Right) downMsg = WM_RBUTTONDOWN, upMsg = WM_RBUTTONUP, keys = MK_RBUTTON;
  if (button == MouseButton::Middle) downMsg = WM_MBUTTONDOWN, upMsg = WM_MBUTTONUP, keys = MK_MBUTTON;
  return Post(hwnd, WM_MOUSEMOVE, 0, lp) && Post(hwnd, downMsg, keys, lp) && Post(hwnd, upMsg, 0, lp);
}

bool TypeText(std::string_view utf8) {
  std::wstring text = qb::Widen(utf8);
  std::vector<INPUT> inputs;
  for (wchar_t ch : text) {
    // Surrogate halves go as two events each, as Windows expects them.
    inputs.push_back(KeyInput(0, ch, KEYEVENTF_UNICODE));
    inputs.push_back(KeyInput(0, ch, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  return SendAll(inputs);
}

bool PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD vk : keys) {
    WORD scan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    inputs.push_back(KeyInput(vk, scan, IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0));
  }
  for (auto it = keys.end(); it != keys.begin();) {
    WORD vk = *--it;
    WORD scan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    inputs.push_back(KeyInput(vk, scan, KEYEVENTF_KEYUP | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0)));
  }
  return SendAll(inputs);
}

bool PostKey(HWND hwnd, WORD vk) {
  UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  LPARAM up = down | (1LL << 30) | (1LL << 31);
  return Post(hwnd, WM_KEYDOWN, vk, down) && Post(hwnd, WM_KEYUP, vk, up);
}

}  // namespace qb::e2e
