#include "harness/PopupMenus.h"

#include <gtest/gtest.h>

#include "fixtures/InProcessProbe.h"
#include "harness/InProcess.h"
#include "harness/Input.h"
#include "harness/WindowQueries.h"
#include "platform/WinText.h"

namespace qb::e2e {

namespace {

WindowFilter PopupMenuFilter(DWORD processId) {
  WindowFilter filter = VisibleWindowsOf(processId, kPopupMenuClass);
  return filter;
}

}  // namespace

HWND WaitForPopupMenu(DWORD processId, Millis timeout) { return WaitForWindow(PopupMenuFilter(processId), timeout); }

bool WaitForNoPopupMenu(DWORD processId, Millis timeout) { return WaitForNoWindow(PopupMenuFilter(processId), timeout); }

std::optional<std::vector<PopupMenuItem>> ReadPopupMenu(HWND menuWindow) {
  const DWORD thread = GetWindowThreadProcessId(menuWindow, nullptr);
  if (thread == 0) {
    ADD_FAILURE() << "no popup-menu window to read";
    return std::nullopt;
  }
  const ProbeAnswer answer(probe::kMenuMappingPrefix, sizeof(probe::MenuSnapshot));
  const ProbeHook hook(thread);
  if (answer.data() == nullptr || !hook.ok()) return std::nullopt;
  SendProbeQuery(menuWindow, probe::kReadMenuMessage);
  const auto* snapshot = static_cast<const probe::MenuSnapshot*>(answer.data());
  if (snapshot->done != 1 || snapshot->count < 0) {
    ADD_FAILURE() << "the popup menu could not be read inside its process";
    return std::nullopt;
  }
  std::vector<PopupMenuItem> items;
  for (LONG i = 0; i < snapshot->count; ++i) {
    const probe::MenuItem& item = snapshot->items[i];
    items.push_back({Narrow(item.text), item.id, (item.state & MFS_CHECKED) != 0, (item.type & MFT_SEPARATOR) != 0});
  }
  return items;
}

std::vector<std::string> Captions(const std::vector<PopupMenuItem>& items) {
  std::vector<std::string> captions;
  for (const auto& item : items) captions.push_back(item.caption);
  return captions;
}

bool ChooseByKeyboard(HWND menuWindow, int index) {
  for (int i = 0; i <= index; ++i) {
    if (!PostKey(menuWindow, VK_DOWN)) return false;
  }
  return PostKey(menuWindow, VK_RETURN);
}

}  // namespace qb::e2e
