#pragma once
// Injects key events into whatever window has the keyboard focus (SendInput): keys with their
// scan codes, characters as Unicode input, so that the text arrives the same on every layout.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/KeyEvent.h"

namespace qb {

enum class TypingMode {
  NoWait,  // the events are queued to the system and the call returns at once
  Wait,    // the call returns once the events have been processed (see WaitUntilTyped)
};

// The longest time typing waits for the user to let go of Shift, Ctrl, Alt and the Windows keys.
inline constexpr DWORD kModifierReleaseTimeoutMs = 2000;
// The longest time the Wait mode waits for the events to be processed.
inline constexpr DWORD kTypedTimeoutMs = 1000;

// Waits (at most kModifierReleaseTimeoutMs) until no modifier key is down, so that the typed keys
// are not combined with the modifiers of the hotkey that started the typing; then sends the
// events. False when the system took fewer events than it was given (another program's input
// had priority, or a more privileged window has the focus); that is logged.
bool TypeKeyEvents(const std::vector<KeyEvent>& events, TypingMode mode);

// The SendInput records of the events: a key gets its virtual key, its scan code and the
// extended-key flag where the key has one; a character one down and one up record per UTF-16
// unit with KEYEVENTF_UNICODE.
std::vector<INPUT> KeyEventsToInputs(const std::vector<KeyEvent>& events);

// True once no modifier key is down; false when the timeout passed first.
bool WaitForModifiersReleased(DWORD timeoutMs);

}  // namespace qb
