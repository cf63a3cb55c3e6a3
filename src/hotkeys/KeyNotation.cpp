#include "hotkeys/KeyNotation.h"

#include <cstdio>

#include "common/Text.h"

namespace qb {

namespace {

struct NamedKey {
  std::string_view name;
  uint16_t vk;
};

constexpr NamedKey kNamedKeys[] = {
    {"ENTER", 0x0D},     {"TAB", 0x09},        {"ESC", 0x1B},        {"ESCAPE", 0x1B},   {"BS", 0x08},
    {"BACKSPACE", 0x08}, {"BKSP", 0x08},       {"DEL", 0x2E},        {"DELETE", 0x2E},   {"INS", 0x2D},
    {"INSERT", 0x2D},    {"HOME", 0x24},       {"END", 0x23},        {"PGUP", 0x21},     {"PGDN", 0x22},
    {"UP", 0x26},        {"DOWN", 0x28},       {"LEFT", 0x25},       {"RIGHT", 0x27},    {"PRTSC", 0x2C},
    {"CAPSLOCK", 0x14},  {"NUMLOCK", 0x90},    {"SCROLLLOCK", 0x91}, {"BREAK", 0x03},    {"HELP", 0x2F},
    {"ADD", 0x6B},       {"SUBTRACT", 0x6D},   {"MULTIPLY", 0x6A},   {"DIVIDE", 0x6F},
};

constexpr uint16_t kVkF1 = 0x70;

std::string Utf8Of(char32_t cp) {
  std::string out;
  AppendUtf8(out, cp);
  return out;
}
constexpr int kFunctionKeyCount = 16;

// The key a character has when a modifier is held with it. Only keys that sit under the same
// virtual-key code on US and Japanese keyboards are mapped; 0 means "no such key".
uint16_t KeyOfCharacter(char32_t ch) {
  if (ch >= 'a' && ch <= 'z') return static_cast<uint16_t>(ch - 'a' + 'A');
  if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == ' ') return static_cast<uint16_t>(ch);
  switch (ch) {
    case ',': return 0xBC;  // VK_OEM_COMMA
    case '-': return 0xBD;  // VK_OEM_MINUS
    case '.': return 0xBE;  // VK_OEM_PERIOD
    case '/': return 0xBF;  // VK_OEM_2
    default: return 0;
  }
}

uint8_t ModifierBit(char c) { return c == '+' ? 1 : c == '^' ? 2 : 4; }
uint16_t ModifierKey(uint8_t bit) { return bit == 1 ? kVkShift : bit == 2 ? kVkControl : kVkMenu; }

// What one step of the text presses: a key, or a character.
struct Stroke {
  uint16_t vk = 0;
  char32_t ch = 0;
};

class NotationParser {
public:
  explicit NotationParser(std::string_view text) : text_(text) {}

  ParsedKeys Run() {
    while (pos_ < text_.size() && error_.empty()) Step();
    if (error_.empty() && pendingMask_ != 0) Fail("modifier at the end of the text without a key");
    if (error_.empty() && !groups_.empty()) Fail("( without )");
    ParsedKeys result;
    if (!error_.empty()) {
      result.valid = false;
      result.reason = error_;
    } else {
      result.events = std::move(out_);
    }
    return result;
  }

private:
  struct Group {
    std::vector<uint16_t> pressed;  // modifiers this group pressed, released at its ")"
    uint8_t mask = 0;
  };

  void Fail(std::string reason) {
    if (error_.empty()) error_ = std::move(reason);
  }

  uint8_t HeldByGroups() const {
    uint8_t mask = 0;
    for (const Group& g : groups_) mask |= g.mask;
    return mask;
  }

  // Presses the pending modifiers that no enclosing group holds yet; answers what it pressed.
  std::vector<uint16_t> PressPending(uint8_t& pressedMask) {
    std::vector<uint16_t> pressed;
    const uint8_t held = HeldByGroups();
    pressedMask = 0;
    for (uint8_t bit : pendingOrder_) {
      if (held & bit) continue;
      out_.push_back(KeyEvent::Press(ModifierKey(bit)));
      pressed.push_back(ModifierKey(bit));
      pressedMask |= bit;
    }
    pendingOrder_.clear();
    pendingMask_ = 0;
    return pressed;
  }

  void ReleaseAll(const std::vector<uint16_t>& pressed) {
    for (auto it = pressed.rbegin(); it != pressed.rend(); ++it) out_.push_back(KeyEvent::Release(*it));
  }

  void Emit(Stroke stroke, int repeat) {
    const bool modified = pendingMask_ != 0 || HeldByGroups() != 0;
    if (stroke.vk == 0 && modified) {
      if (const uint16_t vk = KeyOfCharacter(stroke.ch)) stroke = {vk, 0};
    }
    uint8_t pressedMask = 0;
    const std::vector<uint16_t> pressed = PressPending(pressedMask);
    for (int i = 0; i < repeat; ++i) {
      if (stroke.vk != 0) {
        out_.push_back(KeyEvent::Press(stroke.vk));
        out_.push_back(KeyEvent::Release(stroke.vk));
      } else {
        out_.push_back(KeyEvent::Character(stroke.ch));
      }
    }
    ReleaseAll(pressed);
  }

  void Step() {
    const char c = text_[pos_];
    switch (c) {
      case '+':
      case '^':
      case '%': {
        const uint8_t bit = ModifierBit(c);
        if (pendingMask_ & bit) return Fail(std::string("modifier ") + c + " given twice for one key");
        pendingMask_ |= bit;
        pendingOrder_.push_back(bit);
        ++pos_;
        return;
      }
      case '(': {
        ++pos_;
        Group group;
        group.pressed = PressPending(group.mask);
        groups_.push_back(std::move(group));
        return;
      }
      case ')':
        if (pendingMask_ != 0) return Fail("modifier without a key before )");
        if (groups_.empty()) return Fail(") without (");
        ++pos_;
        ReleaseAll(groups_.back().pressed);
        groups_.pop_back();
        return;
      case '{':
        return Brace();
      case '}':
        return Fail("} outside braces (type it as {}})");
      case '~':
        ++pos_;
        return Emit({kVkReturn, 0}, 1);
      case '\r':
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        return Emit({kVkReturn, 0}, 1);
      case '\n':
        ++pos_;
        return Emit({kVkReturn, 0}, 1);
      case '\t':
        ++pos_;
        return Emit({kVkTab, 0}, 1);
      default:
        return Emit({0, DecodeUtf8(text_, pos_)}, 1);
    }
  }

  void Brace() {
    const std::size_t start = pos_ + 1;
    // "{}}" names the closing brace itself, so the search for the end starts after it.
    std::size_t searchFrom = start;
    if (start < text_.size() && text_[start] == '}') ++searchFrom;
    const std::size_t close = text_.find('}', searchFrom);
    if (close == std::string_view::npos) return Fail("{ without }");
    const std::string_view content = text_.substr(start, close - start);
    pos_ = close + 1;

    std::string_view name = content;
    int repeat = 1;
    const std::size_t blank = content.rfind(' ');
    if (blank != std::string_view::npos && blank > 0) {
      name = content.substr(0, blank);
      const std::string_view count = content.substr(blank + 1);
      if (count.empty() || count.find_first_not_of("0123456789") != std::string_view::npos) {
        return Fail("bad repeat count in {" + std::string(content) + "}");
      }
      long long value = 0;
      for (const char digit : count) {
        value = value * 10 + (digit - '0');
        if (value > kMaxRepeat) {
          return Fail("repeat count over " + std::to_string(kMaxRepeat) + " in {" + std::string(content) + "}");
        }
      }
      repeat = static_cast<int>(value);
    }

    std::size_t at = 0;
    const char32_t first = DecodeUtf8(name, at);
    if (at == name.size()) return Emit({0, first}, repeat);  // one character: typed as itself
    const uint16_t vk = KeyNameCode(name);
    if (vk == 0) return Fail("unknown key name {" + std::string(name) + "}");
    Emit({vk, 0}, repeat);
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::vector<KeyEvent> out_;
  std::string error_;
  uint8_t pendingMask_ = 0;
  std::vector<uint8_t> pendingOrder_;
  std::vector<Group> groups_;
};

}  // namespace

uint16_t KeyNameCode(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  for (const NamedKey& key : kNamedKeys) {
    if (key.name == upper) return key.vk;
  }
  if (upper.size() >= 2 && upper.size() <= 3 && upper[0] == 'F' && upper[1] != '0') {
    int number = 0;
    for (std::size_t i = 1; i < upper.size(); ++i) {
      if (upper[i] < '0' || upper[i] > '9') return 0;
      number = number * 10 + (upper[i] - '0');
    }
    if (number >= 1 && number <= kFunctionKeyCount) return static_cast<uint16_t>(kVkF1 + number - 1);
  }
  return 0;
}

ParsedKeys ParseKeyNotation(std::string_view text) { return NotationParser(text).Run(); }

std::vector<KeyEvent> LiteralKeyEvents(std::string_view text) {
  std::vector<KeyEvent> out;
  const auto press = [&](uint16_t vk) {
    out.push_back(KeyEvent::Press(vk));
    out.push_back(KeyEvent::Release(vk));
  };
  for (std::size_t pos = 0; pos < text.size();) {
    const char c = text[pos];
    if (c == '\r') {
      ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
      press(kVkReturn);
    } else if (c == '\n') {
      ++pos;
      press(kVkReturn);
    } else if (c == '\t') {
      ++pos;
      press(kVkTab);
    } else {
      out.push_back(KeyEvent::Character(DecodeUtf8(text, pos)));
    }
  }
  return out;
}

std::string DescribeKeyEvent(const KeyEvent& event) {
  char buffer[32];
  switch (event.kind) {
    case KeyEvent::Kind::Down:
      std::snprintf(buffer, sizeof buffer, "down 0x%02X", static_cast<unsigned>(event.vk));
      return buffer;
    case KeyEvent::Kind::Up:
      std::snprintf(buffer, sizeof buffer, "up 0x%02X", static_cast<unsigned>(event.vk));
      return buffer;
    case KeyEvent::Kind::Char:
      break;
  }
  if (event.ch <= 0x20 || event.ch == 0x7F) {
    std::snprintf(buffer, sizeof buffer, "char U+%04X", static_cast<unsigned>(event.ch));
    return buffer;
  }
  return "char " + Utf8Of(event.ch);
}

}  // namespace qb
