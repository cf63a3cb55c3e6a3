#pragma once
// What the hidden main window's replacement procedure decides, without the window system: which
// messages it acts on, the busy flag that keeps its actions from running inside each other, what
// each hotkey does, the key strings the slot actions type and how a copied clipboard lands in a
// slot. The Windows side (WinMainWindowProc.cpp) carries the decisions out.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "hotkeys/HotkeyTable.h"

namespace qb {

inline constexpr uint32_t kMsgQueryEndSession = 0x11;
inline constexpr uint32_t kMsgEndSession = 0x16;
inline constexpr uint32_t kMsgHotkey = 0x312;

// What a hotkey does. The slot, macro and entry numbers are in HotkeyTask::number.
enum class HotkeyJob : uint8_t {
  CopyIntoSlot,   // number = slot 1..3
  PasteSlot,      // number = slot 1..3
  RunMacro,       // number = macro 1..3
  ScreenSaver,
  DayNote,        // the note named by the clipboard text
  LauncherMenu,   // the launcher process
  HotkeyMenu,     // the popup menu without the tray-only items
  WindowShade,
  AlphaUp,
  AlphaDown,
  AlphaReset,
  WheelWindow,
  Topmost,
  CaptureScreen,  // the whole screen
  CaptureWindow,  // the window in front
  CdDoor,         // open or close the CD drive door, turn about
  None,           // a value outside the hotkey table (HotkeyFromId never makes one): nothing
};

struct HotkeyTask {
  HotkeyJob job;
  int number = 0;
  friend bool operator==(const HotkeyTask&, const HotkeyTask&) = default;
};

HotkeyTask TaskOf(Hotkey hotkey);

// The keys typed to make the foreground application copy (into slot n, 1..3) or paste: Ctrl with
// Print Screen, then Alt+E and C (or P), its Edit menu's copy (paste) command. Slot 2 presses
// Alt+E alone and then C; the others hold Alt for both letters.
std::string_view CopyKeysForSlot(int n);
inline constexpr std::string_view kPasteKeys = "^{PRTSC}%(EP)";

// The hotkey the slot action takes away while it types (its own), and which the pause puts back
// with that row's combination: copy n -> entry n, paste n -> entry n+3.
Hotkey CopyHotkeyOf(int n);
Hotkey PasteHotkeyOf(int n);

// What the clipboard held after the copy keys were typed.
struct CopiedContent {
  std::optional<std::string> text;  // text, when the clipboard holds any
  bool bitmap = false;              // a picture, when it holds no text
};

enum class SlotCopy { Text, Picture, Unchanged };

// The slot takes the copied text; else, for a picture, its placeholder "[画像]" (the caller keeps
// the picture); else it stays as it was.
SlotCopy TakeCopiedContent(std::string& slot, const CopiedContent& copied);

// A slot whose text is the placeholder holds a picture, which the paste puts on the clipboard
// instead of the text.
inline bool SlotHoldsPicture(std::string_view slotText) { return slotText == kPictureSlotText; }

// The note editor's text for the day-note hotkey, given the clipboard text as the note's title:
// nothing when the title is no plain file name (such a title is never read); otherwise the note
// read by `readNote` (lines joined by "@@", empty when there is none) as the editor shows a note
// (DayNoteEditor::BoxText).
struct DayNoteRequest {
  std::string title;
  std::string boxText;
};
std::optional<DayNoteRequest> DayNoteForClipboard(
    std::string_view clipboardText, const std::function<int(std::string_view title, std::string& text)>& readNote);

// The busy flag of the main window procedure and the message dispatch it guards. While one
// message is being handled (an action types keys, pumps messages or opens a menu, so messages can
// arrive inside it), further messages are only forwarded.
class MainWindowDispatch {
public:
  struct Actions {
    virtual ~Actions() = default;
    // WM_QUERYENDSESSION / WM_ENDSESSION: Windows logs off or shuts down.
    virtual void EndSession() = 0;
    virtual void RunHotkey(Hotkey hotkey) = 0;
  };

  // Handles one message before it is forwarded: nothing while busy; otherwise sets the flag, acts
  // on the log-off messages and on WM_HOTKEY with a known id (wParam), and clears the flag again,
  // also when the action throws (the exception goes on to the caller). Answers whether an action ran.
  bool Handle(uint32_t message, uint64_t wParam, const HotkeyState& hotkeys, Actions& actions);

  [[nodiscard]] bool Busy() const noexcept { return busy_; }

private:
  bool busy_ = false;
};

// The log-off and shutdown work: open windows save what the user typed, and the user's wallpaper
// recorded in calendar-wallpaper mode goes back into the registry and onto the desktop. Nothing
// is refused; the caller forwards the message and returns the previous procedure's answer.
struct EndSessionServices {
  virtual ~EndSessionServices() = default;
  virtual void SaveOpenWork() = 0;
  virtual void StoreDesktopWallpaper(const std::string& path) = 0;
  virtual void ApplyDesktopWallpaper(const std::string& path) = 0;
};
void RunEndSession(const std::string& originalWallpaper, EndSessionServices& services);

}  // namespace qb
