#include "platform/ModelessDialogs.h"

#include <algorithm>
#include <vector>

namespace qb {

namespace {

// Window thread only, like the message loops that read it.
std::vector<HWND>& OpenDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

}  // namespace

void AddModelessDialog(HWND dialog) {
  auto& dialogs = OpenDialogs();
  if (dialog != nullptr && std::find(dialogs.begin(), dialogs.end(), dialog) == dialogs.end())
    dialogs.push_back(dialog);
}

void RemoveModelessDialog(HWND dialog) { std::erase(OpenDialogs(), dialog); }

bool RouteToModelessDialog(MSG& message) {
  if (message.hwnd == nullptr) return false;  // thread messages belong to no dialog
  // IsDialogMessageW answers false at once for a message of another window.
  return std::any_of(OpenDialogs().begin(), OpenDialogs().end(),
                     [&](HWND dialog) { return IsDialogMessageW(dialog, &message) != FALSE; });
}

}  // namespace qb
