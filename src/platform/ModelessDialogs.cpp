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
  // A copy: the message handled may close a dialog, which takes it off the list. IsDialogMessageW
  // answers false at once for a message of another window.
  const std::vector<HWND> dialogs = OpenDialogs();
  return std::any_of(dialogs.begin(), dialogs.end(),
                     [&](HWND dialog) { return IsDialogMessageW(dialog, &message) != FALSE; });
}

}  // namespace qb
