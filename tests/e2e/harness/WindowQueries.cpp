#include "harness/WindowQueries.h"

#include <algorithm>

#include "platform/WinText.h"

namespace qb::e2e {

namespace {

constexpr UINT kSendTimeoutMs = 3000;

bool Matches(HWND hwnd, const WindowFilter& filter) {
  if (filter.processId != 0 && ProcessOf(hwnd) != filter.processId) return false;
  if (filter.visibleOnly && !IsWindowVisible(hwnd)) return false;
  if (filter.className && qb::Widen(ClassName(hwnd)) != *filter.className) return false;
  if (filter.caption && qb::Widen(WindowText(hwnd)) != *filter.caption) return false;
  return true;
}

std::string WithoutAccelerators(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
  return text;
}

}  // namespace

std::vector<HWND> TopLevelWindows(const WindowFilter& filter) {
  struct Ctx {
    const WindowFilter* filter;
    std::vector<HWND> found;
  } ctx{&filter, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        if (Matches(hwnd, *c->filter)) c->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

HWND WaitForWindow(const WindowFilter& filter, Millis timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        auto all = TopLevelWindows(filter);
        found = all.empty() ? nullptr : all.front();
        return found != nullptr;
      },
      timeout);
  return found;
}

bool WaitForNoWindow(const WindowFilter& filter, Millis timeout) {
  return WaitUntil([&] { return TopLevelWindows(filter).empty(); }, timeout);
}

bool StaysWithoutWindow(const WindowFilter& filter, Millis period) {
  // Inverted wait: a window appearing ends the watch early with "false".
  return !WaitUntil([&] { return !TopLevelWindows(filter).empty(); }, period);
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindChild(HWND parent, std::optional<std::wstring_view> className, std::optional<std::string_view> text) {
  for (HWND child : ChildWindows(parent)) {
    if (className && qb::Widen(ClassName(child)) != *className) continue;
    if (text && WindowText(child) != *text) continue;
    return child;
  }
  return nullptr;
}

std::string ClassName(HWND hwnd) {
  wchar_t buf[256];
  int n = GetClassNameW(hwnd, buf, 256);
  return qb::Narrow(std::wstring_view(buf, n > 0 ? n : 0));
}

std::string WindowText(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) return {};
  std::wstring buf(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG,
                           kSendTimeoutMs, &copied)) {
    return {};
  }
  buf.resize(std::min<size_t>(copied, length));
  return qb::Narrow(buf);
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

HWND FocusOf(HWND hwnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

RECT ClientRectOnScreen(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Visible(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }
LONG_PTR Style(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE); }
LONG_PTR ExStyle(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_EXSTYLE); }

RegionInfo WindowRegion(HWND hwnd) {
  RegionInfo info;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (!rgn) return info;
  info.type = GetWindowRgn(hwnd, rgn);
  if (info.type != ERROR) GetRgnBox(rgn, &info.box);
  DeleteObject(rgn);
  return info;
}

std::optional<LayeredInfo> LayeredAttributes(HWND hwnd) {
  if (!(ExStyle(hwnd) & WS_EX_LAYERED)) return std::nullopt;
  LayeredInfo info;
  if (!GetLayeredWindowAttributes(hwnd, &info.colorKey, &info.alpha, &info.flags)) return std::nullopt;
  return info;
}

std::vector<HWND> DialogWindows(DWORD processId) {
  WindowFilter filter;
  filter.processId = processId;
  filter.className = L"#32770";
  return TopLevelWindows(filter);
}

MessageBoxInfo ReadMessageBox(HWND dialog) {
  MessageBoxInfo info;
  info.hwnd = dialog;
  info.caption = WindowText(dialog);
  // The message text is the static control 0xFFFF in Windows' and Wine's message boxes; any other
  // static with text stands in for dialogs built differently.
  HWND message = GetDlgItem(dialog, 0xFFFF);
  for (HWND child : ChildWindows(dialog)) {
    std::string cls = ClassName(child);
    if (_stricmp(cls.c_str(), "Button") == 0) {
      info.buttons.push_back(WithoutAccelerators(WindowText(child)));
    } else if (!message && _stricmp(cls.c_str(), "Static") == 0 && !WindowText(child).empty()) {
      message = child;
    }
  }
  if (message) info.text = WindowText(message);
  return info;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Millis timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND dlg : DialogWindows(processId)) {
          // A message box is complete once its buttons exist.
          if (IsWindowVisible(dlg) && FindChild(dlg, L"Button", std::nullopt)) {
            found = dlg;
            return true;
          }
        }
        return false;
      },
      timeout);
  if (!found) return std::nullopt;
  return ReadMessageBox(found);
}

bool PressButton(HWND dialog, std::string_view caption) {
  for (HWND child : ChildWindows(dialog)) {
    if (_stricmp(ClassName(child).c_str(), "Button") != 0) continue;
    if (WithoutAccelerators(WindowText(child)) != WithoutAccelerators(std::string(caption))) continue;
    int id = GetDlgCtrlID(child);
    return PostMessageW(GetParent(child), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(child)) !=
           FALSE;
  }
  return false;
}

}  // namespace qb::e2e
