#include "platform/ModelessDialogs.h"

#include <algorithm>
#include <vector>

#include "platform/DebugLog.h"

namespace qb {

namespace {

struct Registered {
  HWND dialog;
  DialogKeyPreview preview;
};

std::vector<Registered>& Dialogs() {
  // Never destroyed: dialogs may still unregister while the process ends.
  static auto* dialogs = new std::vector<Registered>();
  return *dialogs;
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

}  // namespace

void AddModelessDialog(HWND dialog, DialogKeyPreview preview) {
  RemoveModelessDialog(dialog);
  Dialogs().push_back({dialog, std::move(preview)});
}

void RemoveModelessDialog(HWND dialog) {
  std::erase_if(Dialogs(), [dialog](const Registered& r) { return r.dialog == dialog; });
}

bool RouteToModelessDialog(MSG& msg) {
  if (msg.hwnd == nullptr) return false;
  // A copy: a preview may close its dialog, which unregisters it.
  const std::vector<Registered> dialogs = Dialogs();
  for (const Registered& r : dialogs) {
    if (msg.hwnd != r.dialog && !IsChild(r.dialog, msg.hwnd)) continue;
    if (r.preview && IsKeyMessage(msg.message)) {
      try {
        if (r.preview(msg)) return true;
      } catch (...) {
        LogCurrentException("dialog key preview");
      }
    }
    return IsDialogMessageW(r.dialog, &msg) != FALSE;
  }
  return false;
}

}  // namespace qb
