#include "hotkeys/MainWindowDispatch.h"

#include "calendar/DayNoteEditor.h"
#include "calendar/DayNotes.h"

namespace qb {

HotkeyTask TaskOf(Hotkey hotkey) {
  switch (hotkey) {
    case Hotkey::CopySlot1: return {HotkeyJob::CopyIntoSlot, 1};
    case Hotkey::CopySlot2: return {HotkeyJob::CopyIntoSlot, 2};
    case Hotkey::CopySlot3: return {HotkeyJob::CopyIntoSlot, 3};
    case Hotkey::PasteSlot1: return {HotkeyJob::PasteSlot, 1};
    case Hotkey::PasteSlot2: return {HotkeyJob::PasteSlot, 2};
    case Hotkey::PasteSlot3: return {HotkeyJob::PasteSlot, 3};
    case Hotkey::Macro1: return {HotkeyJob::RunMacro, 1};
    case Hotkey::Macro2: return {HotkeyJob::RunMacro, 2};
    case Hotkey::Macro3: return {HotkeyJob::RunMacro, 3};
    case Hotkey::ScreenSaver: return {HotkeyJob::ScreenSaver};
    case Hotkey::DayNote: return {HotkeyJob::DayNote};
    case Hotkey::LauncherMenu: return {HotkeyJob::LauncherMenu};
    case Hotkey::PopupMenu: return {HotkeyJob::HotkeyMenu};
    case Hotkey::WindowShade: return {HotkeyJob::WindowShade};
    case Hotkey::AlphaReset: return {HotkeyJob::AlphaReset};
    case Hotkey::AlphaUp: return {HotkeyJob::AlphaUp};
    case Hotkey::AlphaDown: return {HotkeyJob::AlphaDown};
    case Hotkey::WheelWindow: return {HotkeyJob::WheelWindow};
    case Hotkey::Topmost: return {HotkeyJob::Topmost};
    case Hotkey::CaptureScreen: return {HotkeyJob::CaptureScreen};
    case Hotkey::CaptureWindow: return {HotkeyJob::CaptureWindow};
    case Hotkey::CdDoor: return {HotkeyJob::CdDoor};
  }
  return {HotkeyJob::None};
}

std::string_view CopyKeysForSlot(int n) {
  // Slot 2's sequence releases Alt between E and C; the applications it was made for accept both.
  return n == 2 ? "^{PRTSC}%EC" : "^{PRTSC}%(EC)";
}

Hotkey CopyHotkeyOf(int n) {
  return n == 2 ? Hotkey::CopySlot2 : n == 3 ? Hotkey::CopySlot3 : Hotkey::CopySlot1;
}

Hotkey PasteHotkeyOf(int n) {
  return n == 2 ? Hotkey::PasteSlot2 : n == 3 ? Hotkey::PasteSlot3 : Hotkey::PasteSlot1;
}

SlotCopy TakeCopiedContent(std::string& slot, const CopiedContent& copied) {
  if (copied.text) {
    slot = *copied.text;
    return SlotCopy::Text;
  }
  if (copied.bitmap) {
    slot = std::string(kPictureSlotText);
    return SlotCopy::Picture;
  }
  return SlotCopy::Unchanged;
}

std::optional<DayNoteRequest> DayNoteForClipboard(
    std::string_view clipboardText, const std::function<int(std::string_view title, std::string& text)>& readNote) {
  if (!IsPlainNoteTitle(clipboardText)) return std::nullopt;
  DayNoteRequest request{std::string(clipboardText), {}};
  std::string note;
  readNote(request.title, note);  // a title that names no note leaves the text empty
  request.boxText = DayNoteEditor::BoxText(note);
  return request;
}

bool MainWindowDispatch::Handle(uint32_t message, uint64_t wParam, const HotkeyState& hotkeys, Actions& actions) {
  if (busy_) return false;
  std::optional<Hotkey> hotkey;
  const bool endSession = message == kMsgQueryEndSession || message == kMsgEndSession;
  if (message == kMsgHotkey && wParam <= UINT32_MAX) hotkey = HotkeyFromId(hotkeys, static_cast<uint32_t>(wParam));
  if (!endSession && !hotkey) return false;

  struct BusyScope {
    bool& flag;
    explicit BusyScope(bool& f) : flag(f) { flag = true; }
    ~BusyScope() { flag = false; }
  } scope(busy_);
  if (endSession) {
    actions.EndSession();
  } else {
    actions.RunHotkey(*hotkey);
  }
  return true;
}

void RunEndSession(const std::string& originalWallpaper, EndSessionServices& services) {
  // Unsaved text first: Windows may end the process soon after these messages.
  services.SaveOpenWork();
  if (originalWallpaper.empty()) return;
  services.StoreDesktopWallpaper(originalWallpaper);
  services.ApplyDesktopWallpaper(originalWallpaper);
}

}  // namespace qb
