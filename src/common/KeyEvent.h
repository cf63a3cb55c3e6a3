#pragma once
// One key event to inject: a virtual key pressed or released, or a character typed as itself.
// The key notation produces them (hotkeys/KeyNotation.h); the typing engine injects them
// (platform/KeyTyping.h).
#include <cstdint>

namespace qb {

struct KeyEvent {
  enum class Kind : uint8_t { Down, Up, Char };
  Kind kind = Kind::Char;
  uint16_t vk = 0;     // Down and Up: the virtual-key code
  char32_t ch = 0;     // Char: the Unicode character typed as such

  static KeyEvent Press(uint16_t vk) { return {Kind::Down, vk, 0}; }
  static KeyEvent Release(uint16_t vk) { return {Kind::Up, vk, 0}; }
  static KeyEvent Character(char32_t ch) { return {Kind::Char, 0, ch}; }
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

}  // namespace qb
