#pragma once
// The twenty-two global hotkeys: which atom names them, which key combination each one uses, and
// the texts and keys read for them from the settings (sections CLIP, PARA, CAP and KEY). Portable:
// registering them with the system is WinHotkeys' job.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/Catalogue.h"
#include "settings/SlotText.h"

namespace qb {

// The RegisterHotKey modifier bits.
inline constexpr uint16_t kModAlt = 1;
inline constexpr uint16_t kModControl = 2;
inline constexpr uint16_t kModShift = 4;

// Every hotkey, in registration order.
enum class Hotkey : uint8_t {
  CopySlot1, CopySlot2, CopySlot3,
  PasteSlot1, PasteSlot2, PasteSlot3,
  Macro1, Macro2, Macro3,
  ScreenSaver, CaptureScreen, CaptureWindow, DayNote, LauncherMenu, PopupMenu,
  WindowShade, AlphaReset, AlphaUp, AlphaDown, WheelWindow, CdDoor, Topmost,
};
inline constexpr int kHotkeyCount = 22;

struct HotkeyRow {
  Hotkey hotkey;
  std::string_view atomName;
  int entry;           // configurable entry 1..9 whose CAP/KEY choose the combination; 0 = fixed
  uint16_t modifiers;  // of a fixed row
  uint16_t key;        // virtual-key code of a fixed row
};

// The rows in registration order: kHotkeyTable[i].hotkey == Hotkey(i).
extern const std::array<HotkeyRow, kHotkeyCount> kHotkeyTable;
const HotkeyRow& RowOf(Hotkey hotkey);

// The key list of the CAP/KEY entries: index 0..30 -> numeric keypad 1..9, main keys 1..9 and 0,
// F1..F12. The settings dialog shows the same list.
inline constexpr int kKeyListSize = 31;
uint16_t KeyListCode(int index);  // 0 outside the list

// The stored texts, recognised only when they match exactly (" 1", "01" or "1.0" do not).
std::optional<uint16_t> ModifierFromText(std::string_view text);  // "0" ALT, "1" CTRL, "2" SHIFT
std::optional<int> KeyListIndexFromText(std::string_view text);   // "0" .. "30"

// Entries 1..6 (the slot keys) default to CTRL, the others to ALT; entry n defaults to key list
// index n-1. `index` is the 0-based entry index; the texts are what gets written back.
uint16_t DefaultModifier(int index);
std::string_view DefaultModifierText(int index);


// The state shared by the tray menu, the main window procedure and the key macros. Lives for the
// whole process; owned by the window thread.
struct HotkeyState {
  std::array<std::string, 3> ClipSlots;   // slot texts, or "[画像]" for a picture slot
  std::array<std::string, 3> MacroTexts;  // unescaped macro texts
  std::array<uint16_t, keys::kHotkeyEntryCount> HotkeyKeys{};       // entry i+1's virtual key
  std::array<uint16_t, keys::kHotkeyEntryCount> HotkeyModifiers{};  // entry i+1's MOD_ bits
  std::array<uint16_t, kHotkeyCount> HotkeyIds{};  // atom of each row; 0 when it could not be made
};

HotkeyState& TheHotkeys();

inline constexpr std::string_view kPictureSlotText = "[画像]";

// Reads CLIP/1..3 and PARA/1..3 (unescaped) and the CAP/KEY entries 1..10; an entry whose stored
// text is not recognised gets its default, which is written back at once.
void LoadHotkeyTables(HotkeyState& state);

struct HotkeyCombination {
  uint16_t modifiers = 0;
  uint16_t key = 0;
  friend bool operator==(const HotkeyCombination&, const HotkeyCombination&) = default;
};
// The combination a row registers: its configurable entry's, or its fixed one.
HotkeyCombination CombinationOf(const HotkeyState& state, Hotkey hotkey);

// The combination as a user reads it: "Ctrl+F11", "Alt+テンキー1", "PrintScreen", "Ctrl+Shift+0".
std::string CombinationText(HotkeyCombination combination);

// The hotkey a WM_HOTKEY id names; nothing for an unknown id and never for id 0 (a row whose atom
// could not be created has id 0 and was never registered).
std::optional<Hotkey> HotkeyFromId(const HotkeyState& state, uint32_t id);

}  // namespace qb
