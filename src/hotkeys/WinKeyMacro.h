#pragma once
// RunKeyMacro: types key macro n (1..3) of the hotkey tables into the window with the keyboard
// focus. The main window procedure calls it with its busy flag set.
#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/KeyTyping.h"

namespace qb {

void RunKeyMacro(int16_t n);

// The same with the pause between pieces replaced (tests pass one that does not wait).
void RunKeyMacro(int16_t n, const std::function<void(uint32_t ms)>& sleep);

// Types a text of the key-string notation (the copy and paste actions' "^{PRTSC}%(EC)"...).
// Invalid notation types nothing and answers false, as does a failed injection.
bool TypeKeyString(std::string_view notation, TypingMode mode);

}  // namespace qb
