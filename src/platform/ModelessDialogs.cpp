#include "platform/ModelessDialogs.h"

#include <algorithm>
#include <vector>

#include "platform/DebugLog.h"

namespace qb {

namespace {

struct OpenDialog {
  HWND dialog;
  DialogKeyPreview preview;
};

// Window thread only, like the message loops that read it.
std::vector<OpenDialog>& OpenDialogs() {
  static std::vector<OpenDialog> dialogs;
  return dialogs;
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

bool Belongs(const MSG& message, HWND dialog) { return message.hwnd == dialog || IsChild(dialog, message.hwnd); }

}  // namespace

void AddModelessDialog(HWND dialog, DialogKeyPreview preview) {
  if (dialog == nullptr) return;
  auto& dialogs = OpenDialogs();
  const auto listed = std::find_if(dialogs.begin(), dialogs.end(), [&](const OpenDialog& d) { return d.dialog == dialog; });
  if (listed != dialogs.end()) {
    listed->preview = std::move(preview);
  } else {
    dialogs.push_back({dialog, std::move(preview)});
  }
}

void RemoveModelessDialog(HWND dialog) {
  std::erase_if(OpenDialogs(), [&](const OpenDialog& d) { return d.dialog == dialog; });
}

bool RouteToModelessDialog(MSG& message) {
  if (message.hwnd == nullptr) return false;  // thread messages belong to no dialog
  // A copy: the message handled may close a dialog, which takes it off the list. IsDialogMessageW
  // answers false at once for a message of another window.
  const std::vector<OpenDialog> dialogs = OpenDialogs();
  for (const OpenDialog& d : dialogs) {
    if (d.preview && IsKeyMessage(message.message) && Belongs(message, d.dialog)) {
      try {
        if (d.preview(message)) return true;
      } catch (...) {
        LogCurrentException("dialog key preview");
      }
    }
    if (IsDialogMessageW(d.dialog, &message) != FALSE) return true;
  }
  return false;
}

}  // namespace qb
