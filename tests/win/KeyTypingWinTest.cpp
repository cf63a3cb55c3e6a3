// The typing engine and the key macros typed into an edit control of a test window, read back
// with WM_GETTEXT; the records handed to SendInput; the clipboard text both ways.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotkeys/HotkeyTable.h"
#include "hotkeys/KeyNotation.h"
#include "hotkeys/WinKeyMacro.h"
#include "platform/Clipboard.h"
#include "platform/Handles.h"
#include "platform/KeyTyping.h"
#include "platform/MessagePump.h"
#include "platform/WinText.h"

namespace qb {
namespace {

// A frame that ignores the menu key (a macro starts with Alt+Print Screen) around a multi-line
// edit control.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) return 0;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class TypingWin : public testing::Test {
protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Quorbell.Test.TypingFrame";
    RegisterClassW(&wc);
    frame_.reset(CreateWindowExW(0, wc.lpszClassName, L"typing", WS_POPUP | WS_VISIBLE, 50, 50, 300, 200, nullptr,
                                 nullptr, wc.hInstance, nullptr));
    ASSERT_TRUE(frame_.valid());
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0, 0, 300, 200,
                            frame_.get(), nullptr, wc.hInstance, nullptr);
    ASSERT_NE(edit_, nullptr);
    SetForegroundWindow(frame_.get());
    SetFocus(edit_);
    PumpPendingMessages();
    ASSERT_EQ(GetForegroundWindow(), frame_.get());
    ASSERT_EQ(GetFocus(), edit_);
  }
  void TearDown() override {
    frame_.reset();
    PumpPendingMessages();
  }

  std::string Text() const {
    wchar_t buffer[512] = {};
    GetWindowTextW(edit_, buffer, 512);
    return Narrow(buffer);
  }
  // Keys typed without waiting reach the edit control once this thread processes its messages;
  // how long the system takes to deliver them is not the test's business.
  std::string TextOnceSettled(const std::string& expected) {
    for (int i = 0; i < 200 && Text() != expected; ++i) {
      PumpPendingMessages();
      Sleep(10);
    }
    return Text();
  }

  UniqueWindow frame_;
  HWND edit_ = nullptr;
};

std::vector<KeyEvent> Keys(const char* notation) {
  const ParsedKeys keys = ParseKeyNotation(notation);
  EXPECT_TRUE(keys.valid) << notation << ": " << keys.reason;
  return keys.events;
}

TEST_F(TypingWin, WaitModeReturnsWithTheTextInPlace) {
  ASSERT_TRUE(TypeKeyEvents(Keys("ab日本語{ENTER}x+y{LEFT}{BS}"), TypingMode::Wait));
  // No message processed by the test itself: the typing waited for them.
  EXPECT_EQ(Text(), "ab日本語\r\nY");
}

TEST_F(TypingWin, GroupsAndRepeatsArriveAsKeys) {
  ASSERT_TRUE(TypeKeyEvents(Keys("+(ab)c{LEFT 2}{DEL}{END}{~ 2}"), TypingMode::Wait));
  EXPECT_EQ(Text(), "Ac~~");
}

TEST_F(TypingWin, NoWaitModeDeliversTheSameText) {
  ASSERT_TRUE(TypeKeyEvents(Keys("a{TAB}b😀"), TypingMode::NoWait));
  EXPECT_EQ(TextOnceSettled("a\tb😀"), "a\tb😀");
}

TEST_F(TypingWin, MacroTypesItsPiecesAndClipboardTextLiterally) {
  // Read as notation, the clipboard text would close the window (Alt+F4) and press Enter.
  ASSERT_TRUE(WriteClipboardText("%{F4}~"));
  TheHotkeys().MacroTexts[0] = "1{WAIT}{CLIP}|{CLIP2}{WAIT}{FOO}{WAIT}z";
  TheHotkeys().ClipSlots[1] = "[画像]";
  std::vector<uint32_t> pauses;
  RunKeyMacro(1, [&](uint32_t ms) { pauses.push_back(ms); });
  EXPECT_EQ(pauses, (std::vector<uint32_t>{1000, 1000, 1000, 1000}));
  EXPECT_EQ(TextOnceSettled("1%{F4}~|[画像]z"), "1%{F4}~|[画像]z");
  EXPECT_TRUE(IsWindow(frame_.get()));
  TheHotkeys().MacroTexts[0].clear();
  TheHotkeys().ClipSlots[1].clear();
}

TEST_F(TypingWin, KeyStringsTypeOnlyWhenValid) {
  EXPECT_FALSE(TypeKeyString("a{FOO}", TypingMode::Wait));
  EXPECT_EQ(Text(), "");
  EXPECT_TRUE(TypeKeyString("x~y", TypingMode::Wait));
  EXPECT_EQ(Text(), "x\r\ny");
}

TEST_F(TypingWin, EmptyMacroTypesNothingAndDoesNotPause) {
  TheHotkeys().MacroTexts[2].clear();
  int pauses = 0;
  RunKeyMacro(3, [&](uint32_t) { ++pauses; });
  PumpPendingMessages();
  EXPECT_EQ(pauses, 0);
  EXPECT_EQ(Text(), "");
}

TEST(KeyTypingInputs, KeysCarryScanCodesAndExtendedFlags) {
  const std::vector<INPUT> inputs = KeyEventsToInputs(Keys("+{LEFT}a"));
  ASSERT_EQ(inputs.size(), 6u);  // Shift down, Left down, Left up, Shift up, 'a' down and up
  EXPECT_EQ(inputs[0].ki.wVk, VK_SHIFT);
  EXPECT_EQ(inputs[0].ki.dwFlags, 0u);
  EXPECT_NE(inputs[0].ki.wScan, 0);
  EXPECT_EQ(inputs[1].ki.wVk, VK_LEFT);
  EXPECT_EQ(inputs[1].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_EXTENDEDKEY));
  EXPECT_EQ(inputs[2].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP));
  EXPECT_EQ(inputs[3].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_KEYUP));
}

TEST(KeyTypingInputs, CharactersAreUnicodeRecordsPerUtf16Unit) {
  const std::vector<INPUT> inputs = KeyEventsToInputs({KeyEvent::Character(U'あ'), KeyEvent::Character(U'😀')});
  ASSERT_EQ(inputs.size(), 6u);
  const WORD expected[] = {0x3042, 0x3042, 0xD83D, 0xD83D, 0xDE00, 0xDE00};
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    EXPECT_EQ(inputs[i].type, static_cast<DWORD>(INPUT_KEYBOARD));
    EXPECT_EQ(inputs[i].ki.wVk, 0);
    EXPECT_EQ(inputs[i].ki.wScan, expected[i]) << i;
    EXPECT_EQ(inputs[i].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_UNICODE | (i % 2 ? KEYEVENTF_KEYUP : 0))) << i;
  }
}

TEST(ClipboardText, RoundTripsUnicodeAndReportsAbsentText) {
  ASSERT_TRUE(WriteClipboardText("クリップ\r\nboard 😀"));
  EXPECT_EQ(ReadClipboardText(), "クリップ\r\nboard 😀");
  {
    const ClipboardSession session;
    ASSERT_TRUE(session.open());
    ASSERT_TRUE(EmptyClipboard());
  }
  EXPECT_EQ(ReadClipboardText(), std::nullopt);
}

}  // namespace
}  // namespace qb
