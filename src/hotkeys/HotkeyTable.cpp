#include "hotkeys/HotkeyTable.h"

#include "settings/Settings.h"

namespace qb {

namespace {

constexpr uint16_t kVkF9 = 0x78;
constexpr uint16_t kVkF10 = 0x79;
constexpr uint16_t kVkF11 = 0x7A;
constexpr uint16_t kVkF12 = 0x7B;
constexpr uint16_t kVkSnapshot = 0x2C;
constexpr uint16_t kVkHome = 0x24;
constexpr uint16_t kVkNumpad0 = 0x60;
constexpr uint16_t kVkMultiply = 0x6A;
constexpr uint16_t kVkAdd = 0x6B;
constexpr uint16_t kVkSubtract = 0x6D;
constexpr uint16_t kVkDecimal = 0x6E;
constexpr uint16_t kVkDivide = 0x6F;

}  // namespace

const std::array<HotkeyRow, kHotkeyCount> kHotkeyTable = {{
    {Hotkey::CopySlot1, "HOTKEY11", 1, 0, 0},
    {Hotkey::CopySlot2, "HOTKEY12", 2, 0, 0},
    {Hotkey::CopySlot3, "HOTKEY13", 3, 0, 0},
    {Hotkey::PasteSlot1, "HOTKEY21", 4, 0, 0},
    {Hotkey::PasteSlot2, "HOTKEY22", 5, 0, 0},
    {Hotkey::PasteSlot3, "HOTKEY23", 6, 0, 0},
    {Hotkey::Macro1, "HOTKEY95", 7, 0, 0},
    {Hotkey::Macro2, "HOTKEY96", 8, 0, 0},
    {Hotkey::Macro3, "HOTKEY97", 9, 0, 0},
    {Hotkey::ScreenSaver, "HOTKEY84", 0, kModControl, kVkF9},
    {Hotkey::CaptureScreen, "HOTKEY85", 0, 0, kVkSnapshot},
    {Hotkey::CaptureWindow, "HOTKEY86", 0, kModControl, kVkSnapshot},
    {Hotkey::DayNote, "HOTKEY06", 0, kModControl, kVkF10},
    {Hotkey::LauncherMenu, "HOTKEY98", 0, kModControl, kVkF11},
    {Hotkey::PopupMenu, "HOTKEY99", 0, kModControl, kVkF12},
    {Hotkey::WindowShade, "HOTKEY00", 0, kModControl, kVkNumpad0},
    {Hotkey::AlphaReset, "HOTKEY03", 0, kModControl, kVkMultiply},
    {Hotkey::AlphaUp, "HOTKEY01", 0, kModControl, kVkAdd},
    {Hotkey::AlphaDown, "HOTKEY02", 0, kModControl, kVkSubtract},
    {Hotkey::WheelWindow, "HOTKEY04", 0, kModControl, kVkDecimal},
    {Hotkey::CdDoor, "HOTKEY05", 0, kModControl, kVkDivide},
    {Hotkey::Topmost, "HOTKEY83", 0, kModControl, kVkHome},
}};

const HotkeyRow& RowOf(Hotkey hotkey) { return kHotkeyTable[static_cast<std::size_t>(hotkey)]; }

uint16_t KeyListCode(int index) {
  if (index >= 0 && index <= 8) return static_cast<uint16_t>(0x61 + index);        // keypad 1..9
  if (index >= 9 && index <= 17) return static_cast<uint16_t>(0x31 + index - 9);   // 1..9
  if (index == 18) return 0x30;                                                    // 0
  if (index >= 19 && index <= 30) return static_cast<uint16_t>(0x70 + index - 19);  // F1..F12
  return 0;
}

std::optional<uint16_t> ModifierFromText(std::string_view text) {
  if (text == "0") return kModAlt;
  if (text == "1") return kModControl;
  if (text == "2") return kModShift;
  return std::nullopt;
}

std::optional<int> KeyListIndexFromText(std::string_view text) {
  for (int index = 0; index < kKeyListSize; ++index) {
    if (text == std::to_string(index)) return index;
  }
  return std::nullopt;
}

uint16_t DefaultModifier(int index) { return index < 6 ? kModControl : kModAlt; }
std::string_view DefaultModifierText(int index) { return index < 6 ? "1" : "0"; }

HotkeyState& TheHotkeys() {
  static HotkeyState state;
  return state;
}

void LoadHotkeyTables(HotkeyState& state) {
  for (int n = 1; n <= keys::kClipSlotCount; ++n) {
    state.ClipSlots[n - 1] = UnescapeSlotText(ReadWholeSetting(keys::ClipText(n)));
  }
  for (int n = 1; n <= keys::kClipSlotCount; ++n) {
    state.MacroTexts[n - 1] = UnescapeSlotText(ReadWholeSetting(keys::ParaText(n)));
  }
  for (int i = 0; i < keys::kHotkeyEntryCount; ++i) {
    const SettingKey cap = keys::HotkeyCap(i + 1);
    const std::optional<uint16_t> modifier = ModifierFromText(ReadSetting(cap.section, cap.key, keys::kHotkeyTableDefault));
    if (modifier) {
      state.HotkeyModifiers[i] = *modifier;
    } else {
      state.HotkeyModifiers[i] = DefaultModifier(i);
      WriteSetting(cap, DefaultModifierText(i));
    }

    const SettingKey key = keys::HotkeyKey(i + 1);
    const std::optional<int> listIndex = KeyListIndexFromText(ReadSetting(key.section, key.key, keys::kHotkeyTableDefault));
    if (listIndex) {
      state.HotkeyKeys[i] = KeyListCode(*listIndex);
    } else {
      state.HotkeyKeys[i] = KeyListCode(i);
      WriteSetting(key, std::to_string(i));
    }
  }
}

HotkeyCombination CombinationOf(const HotkeyState& state, Hotkey hotkey) {
  const HotkeyRow& row = RowOf(hotkey);
  if (row.entry == 0) return {row.modifiers, row.key};
  return {state.HotkeyModifiers[row.entry - 1], state.HotkeyKeys[row.entry - 1]};
}

std::optional<Hotkey> HotkeyFromId(const HotkeyState& state, uint32_t id) {
  if (id == 0) return std::nullopt;
  for (int i = 0; i < kHotkeyCount; ++i) {
    if (state.HotkeyIds[i] == id) return kHotkeyTable[i].hotkey;
  }
  return std::nullopt;
}

std::string CombinationText(HotkeyCombination combination) {
  std::string text;
  if (combination.modifiers & kModControl) text += "Ctrl+";
  if (combination.modifiers & kModAlt) text += "Alt+";
  if (combination.modifiers & kModShift) text += "Shift+";
  const uint16_t key = combination.key;
  if ((key >= 0x30 && key <= 0x39) || (key >= 0x41 && key <= 0x5A)) return text + static_cast<char>(key);
  if (key >= kVkNumpad0 && key <= kVkNumpad0 + 9) return text + "テンキー" + static_cast<char>('0' + key - kVkNumpad0);
  if (key >= 0x70 && key <= 0x87) return text + "F" + std::to_string(key - 0x70 + 1);
  switch (key) {
    case kVkSnapshot: return text + "PrintScreen";
    case kVkHome: return text + "Home";
    case kVkMultiply: return text + "テンキー*";
    case kVkAdd: return text + "テンキー+";
    case kVkSubtract: return text + "テンキー-";
    case kVkDecimal: return text + "テンキー.";
    case kVkDivide: return text + "テンキー/";
    default: break;
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  return text + "0x" + kHex[(key >> 4) & 0xF] + kHex[key & 0xF];
}

}  // namespace qb
