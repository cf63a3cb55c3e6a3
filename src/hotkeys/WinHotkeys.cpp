#include "hotkeys/WinHotkeys.h"

#include <string>

#include "platform/DebugLog.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb {

namespace {

struct GlobalAtomTraits {
  using Value = ATOM;
  static ATOM Empty() noexcept { return 0; }
  static bool IsValid(ATOM a) noexcept { return a != 0; }
  // GlobalDeleteAtom answers 0 on success.
  static void Close(ATOM a) noexcept { Tolerate(GlobalDeleteAtom(a) == 0, "GlobalDeleteAtom"); }
};
using UniqueGlobalAtom = UniqueResource<GlobalAtomTraits>;

struct Registration {
  HWND window = nullptr;
  std::array<UniqueGlobalAtom, kHotkeyCount> atoms;
  std::array<bool, kHotkeyCount> registered{};
};

Registration& Current() {
  static Registration registration;
  return registration;
}

std::size_t IndexOf(Hotkey hotkey) { return static_cast<std::size_t>(hotkey); }

std::string CallName(std::string_view call, Hotkey hotkey) {
  return std::string(call) + " " + std::string(RowOf(hotkey).atomName);
}

bool AnythingHeld(const Registration& r) {
  for (std::size_t i = 0; i < kHotkeyCount; ++i) {
    if (r.registered[i] || r.atoms[i].valid()) return true;
  }
  return false;
}

}  // namespace

void RegisterHotkeys(HWND window) {
  Registration& r = Current();
  if (AnythingHeld(r)) UnregisterHotkeys();
  r.window = window;
  HotkeyState& state = TheHotkeys();
  LoadHotkeyTables(state);

  for (const HotkeyRow& row : kHotkeyTable) {
    const ATOM atom = GlobalAddAtomW(Widen(row.atomName).c_str());
    Tolerate(atom != 0, CallName("GlobalAddAtomW", row.hotkey));
    r.atoms[IndexOf(row.hotkey)].reset(atom);
    state.HotkeyIds[IndexOf(row.hotkey)] = atom;
  }
  for (const HotkeyRow& row : kHotkeyTable) {
    RegisterOneHotkey(row.hotkey, CombinationOf(state, row.hotkey));
  }
}

void UnregisterHotkeys() {
  Registration& r = Current();
  HotkeyState& state = TheHotkeys();
  for (const HotkeyRow& row : kHotkeyTable) UnregisterOneHotkey(row.hotkey);
  for (std::size_t i = 0; i < kHotkeyCount; ++i) {
    r.atoms[i].reset();
    state.HotkeyIds[i] = 0;
  }
}

HWND HotkeyWindow() { return Current().window; }

std::vector<Hotkey> HotkeysNotRegistered() {
  const Registration& r = Current();
  std::vector<Hotkey> dead;
  if (r.window == nullptr) return dead;
  for (const HotkeyRow& row : kHotkeyTable) {
    const bool wanted = CombinationOf(TheHotkeys(), row.hotkey).key != 0;
    if (wanted && !r.registered[IndexOf(row.hotkey)]) dead.push_back(row.hotkey);
  }
  return dead;
}

bool UnregisterOneHotkey(Hotkey hotkey) {
  Registration& r = Current();
  const std::size_t i = IndexOf(hotkey);
  if (!r.registered[i]) return true;
  r.registered[i] = false;
  return Tolerate(UnregisterHotKey(r.window, TheHotkeys().HotkeyIds[i]) != FALSE, CallName("UnregisterHotKey", hotkey));
}

bool RegisterOneHotkey(Hotkey hotkey, HotkeyCombination combination) {
  Registration& r = Current();
  const std::size_t i = IndexOf(hotkey);
  const uint16_t id = TheHotkeys().HotkeyIds[i];
  if (id == 0 || r.registered[i]) return r.registered[i];
  r.registered[i] = Tolerate(RegisterHotKey(r.window, id, combination.modifiers, combination.key) != FALSE,
                             CallName("RegisterHotKey", hotkey));
  return r.registered[i];
}

}  // namespace qb
