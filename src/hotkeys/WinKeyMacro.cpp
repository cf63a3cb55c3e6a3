#include "hotkeys/WinKeyMacro.h"

#include <windows.h>

#include "hotkeys/HotkeyTable.h"
#include "hotkeys/KeyMacro.h"
#include "platform/Clipboard.h"
#include "platform/DebugLog.h"
#include "platform/MessagePump.h"

namespace qb {

namespace {

class SystemMacroActions : public KeyMacroActions {
public:
  explicit SystemMacroActions(const std::function<void(uint32_t)>& sleep) : sleep_(sleep) {}

  std::string ClipboardText() override { return ReadClipboardText().value_or(std::string()); }
  void Type(const std::vector<KeyEvent>& events, bool wait) override {
    TypeKeyEvents(events, wait ? TypingMode::Wait : TypingMode::NoWait);
  }
  void PumpPendingMessages() override { qb::PumpPendingMessages(); }
  void Sleep(uint32_t ms) override { sleep_(ms); }
  void SkippedPiece(std::string_view reason) override {
    DebugLog("key macro: piece not typed: " + std::string(reason));
  }

private:
  const std::function<void(uint32_t)>& sleep_;
};

}  // namespace

bool TypeKeyString(std::string_view notation, TypingMode mode) {
  const ParsedKeys keys = ParseKeyNotation(notation);
  if (!keys.valid) {
    DebugLog("key string not typed: " + keys.reason);
    return false;
  }
  return TypeKeyEvents(keys.events, mode);
}

void RunKeyMacro(int16_t n) {
  RunKeyMacro(n, [](uint32_t ms) { ::Sleep(ms); });
}

void RunKeyMacro(int16_t n, const std::function<void(uint32_t ms)>& sleep) {
  if (n < 1 || n > 3) return;
  SystemMacroActions actions(sleep);
  // A copy: processing pending messages inside the run can reach code that reloads the tables.
  const std::string text = TheHotkeys().MacroTexts[n - 1];
  PlayKeyMacro(text, TheHotkeys().ClipSlots, actions);
}

}  // namespace qb
