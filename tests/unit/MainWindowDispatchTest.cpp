#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "common/OpenWork.h"
#include "hotkeys/KeyNotation.h"
#include "hotkeys/MainWindowDispatch.h"

namespace qb::test {
namespace {

TEST(MainWindowDispatch, EveryHotkeyHasItsJob) {
  const struct {
    Hotkey hotkey;
    HotkeyTask task;
  } cases[] = {
      {Hotkey::CopySlot1, {HotkeyJob::CopyIntoSlot, 1}},  {Hotkey::CopySlot2, {HotkeyJob::CopyIntoSlot, 2}},
      {Hotkey::CopySlot3, {HotkeyJob::CopyIntoSlot, 3}},  {Hotkey::PasteSlot1, {HotkeyJob::PasteSlot, 1}},
      {Hotkey::PasteSlot2, {HotkeyJob::PasteSlot, 2}},    {Hotkey::PasteSlot3, {HotkeyJob::PasteSlot, 3}},
      {Hotkey::Macro1, {HotkeyJob::RunMacro, 1}},         {Hotkey::Macro2, {HotkeyJob::RunMacro, 2}},
      {Hotkey::Macro3, {HotkeyJob::RunMacro, 3}},         {Hotkey::ScreenSaver, {HotkeyJob::ScreenSaver}},
      {Hotkey::CaptureScreen, {HotkeyJob::CaptureScreen}}, {Hotkey::CaptureWindow, {HotkeyJob::CaptureWindow}},
      {Hotkey::DayNote, {HotkeyJob::DayNote}},            {Hotkey::LauncherMenu, {HotkeyJob::LauncherMenu}},
      {Hotkey::PopupMenu, {HotkeyJob::HotkeyMenu}},       {Hotkey::WindowShade, {HotkeyJob::WindowShade}},
      {Hotkey::AlphaReset, {HotkeyJob::AlphaReset}},      {Hotkey::AlphaUp, {HotkeyJob::AlphaUp}},
      {Hotkey::AlphaDown, {HotkeyJob::AlphaDown}},        {Hotkey::WheelWindow, {HotkeyJob::WheelWindow}},
      {Hotkey::CdDoor, {HotkeyJob::CdDoor}},              {Hotkey::Topmost, {HotkeyJob::Topmost}},
  };
  static_assert(std::size(cases) == kHotkeyCount);
  for (const auto& c : cases) {
    const HotkeyTask task = TaskOf(c.hotkey);
    EXPECT_EQ(task.job, c.task.job) << RowOf(c.hotkey).atomName;
    EXPECT_EQ(task.number, c.task.number) << RowOf(c.hotkey).atomName;
  }
}

TEST(MainWindowDispatch, SlotActionsPauseTheirOwnHotkeyWhoseEntryGivesTheCombination) {
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(TaskOf(CopyHotkeyOf(n)), (HotkeyTask{HotkeyJob::CopyIntoSlot, n}));
    EXPECT_EQ(TaskOf(PasteHotkeyOf(n)), (HotkeyTask{HotkeyJob::PasteSlot, n}));
    EXPECT_EQ(RowOf(CopyHotkeyOf(n)).entry, n);
    EXPECT_EQ(RowOf(PasteHotkeyOf(n)).entry, n + 3);
  }
}

std::vector<KeyEvent> Keys(std::string_view notation) {
  const ParsedKeys parsed = ParseKeyNotation(notation);
  EXPECT_TRUE(parsed.valid) << notation << ": " << parsed.reason;
  return parsed.events;
}

TEST(MainWindowDispatch, CopyAndPasteKeysDriveTheEditMenu) {
  using E = KeyEvent;
  const std::vector<E> ctrlPrintScreen = {E::Press(kVkControl), E::Press(0x2C), E::Release(0x2C),
                                          E::Release(kVkControl)};
  auto withAltGroup = [&](uint16_t second) {
    std::vector<E> v = ctrlPrintScreen;
    v.insert(v.end(), {E::Press(kVkMenu), E::Press('E'), E::Release('E'), E::Press(second), E::Release(second),
                       E::Release(kVkMenu)});
    return v;
  };
  EXPECT_EQ(Keys(CopyKeysForSlot(1)), withAltGroup('C'));
  EXPECT_EQ(Keys(CopyKeysForSlot(3)), withAltGroup('C'));
  EXPECT_EQ(Keys(kPasteKeys), withAltGroup('P'));
  // Slot 2: Alt only for the E; the C comes after Alt is up.
  const std::vector<E> slot2 = Keys(CopyKeysForSlot(2));
  ASSERT_EQ(slot2.size(), 9u);
  EXPECT_EQ(std::vector<E>(slot2.begin(), slot2.begin() + 4), ctrlPrintScreen);
  EXPECT_EQ(slot2[4], E::Press(kVkMenu));
  EXPECT_EQ(slot2[7], E::Release(kVkMenu));
  EXPECT_NE(slot2[8], E::Release(kVkMenu));
}

TEST(MainWindowDispatch, CopiedContentLandsInTheSlot) {
  const struct {
    const char* text;  // nullptr: the clipboard holds no text
    bool bitmap;
    SlotCopy result;
    std::string slot;
  } cases[] = {
      {"コピー\r\n2行目", false, SlotCopy::Text, "コピー\r\n2行目"},
      {"text wins", true, SlotCopy::Text, "text wins"},
      {"", false, SlotCopy::Text, ""},  // an empty text is still a text
      {nullptr, true, SlotCopy::Picture, "[画像]"},
      {nullptr, false, SlotCopy::Unchanged, "old"},
  };
  for (const auto& c : cases) {
    CopiedContent copied;
    if (c.text != nullptr) copied.text = c.text;
    copied.bitmap = c.bitmap;
    std::string slot = "old";
    EXPECT_EQ(TakeCopiedContent(slot, copied), c.result) << c.slot;
    EXPECT_EQ(slot, c.slot);
  }
  EXPECT_TRUE(SlotHoldsPicture("[画像]"));
  EXPECT_FALSE(SlotHoldsPicture("[画像] "));
  EXPECT_FALSE(SlotHoldsPicture(""));
}

TEST(MainWindowDispatch, DayNoteOfTheClipboardTextTurnsSeparatorsIntoLineBreaks) {
  const struct {
    std::string note;
    int answer;
    std::string box;
  } cases[] = {
      {"買い物@@牛乳", 0, "買い物\r\n牛乳"},
      {"@@a@@@@", 0, "\r\na\r\n\r\n"},
      {"@@@", 0, "\r\n@"},
      {"", -9, ""},  // no such note: the editor opens empty
      // A NUL from a damaged file would end the text box's text there; the next save would lose
      // the rest, so it shows as a blank as on the calendar's way into the editor.
      {std::string("前\0後@@x", 10), 0, "前 後\r\nx"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> asked;
    const auto request = DayNoteForClipboard("2005年3月1日", [&](std::string_view title, std::string& text) {
      asked.emplace_back(title);
      text += c.note;
      return c.answer;
    });
    ASSERT_TRUE(request) << c.note;
    EXPECT_EQ(request->title, "2005年3月1日");
    EXPECT_EQ(request->boxText, c.box) << c.note;
    EXPECT_EQ(asked, std::vector<std::string>{"2005年3月1日"});
  }
}

TEST(MainWindowDispatch, DayNoteHotkeyIgnoresClipboardTextsThatAreNoPlainTitle) {
  for (const char* clip : {"", "..\\..\\boot", "a/b", "C:\\x", "CON", "nul.txt", "line\r\nbreak", "what?"}) {
    bool read = false;
    const auto request = DayNoteForClipboard(clip, [&](std::string_view, std::string&) {
      read = true;
      return 0;
    });
    EXPECT_FALSE(request) << clip;
    EXPECT_FALSE(read) << clip;
  }
}

class RecordingActions : public MainWindowDispatch::Actions {
public:
  std::vector<std::string> log;
  std::function<void(Hotkey)> during;

  void EndSession() override { log.push_back("end session"); }
  void RunHotkey(Hotkey hotkey) override {
    log.emplace_back(RowOf(hotkey).atomName);
    if (during) during(hotkey);
  }
};

HotkeyState StateWithIds() {
  HotkeyState state;
  for (int i = 0; i < kHotkeyCount; ++i) state.HotkeyIds[static_cast<size_t>(i)] = static_cast<uint16_t>(0xC000 + i);
  return state;
}

uint16_t IdOf(const HotkeyState& s, Hotkey h) { return s.HotkeyIds[static_cast<size_t>(h)]; }

TEST(MainWindowDispatch, ActsOnLogOffAndKnownHotkeysOnly) {
  HotkeyState state = StateWithIds();
  state.HotkeyIds[static_cast<size_t>(Hotkey::CdDoor)] = 0;  // atom that could not be made
  const struct {
    uint32_t message;
    uint64_t wParam;
    const char* action;  // nullptr: nothing runs
  } cases[] = {
      {kMsgQueryEndSession, 0, "end session"},
      {kMsgQueryEndSession, 0x80000000, "end session"},
      {kMsgEndSession, 1, "end session"},
      {kMsgEndSession, 0, "end session"},
      {kMsgHotkey, IdOf(state, Hotkey::PasteSlot2), "HOTKEY22"},
      {kMsgHotkey, IdOf(state, Hotkey::Topmost), "HOTKEY83"},
      {kMsgHotkey, 0, nullptr},
      {kMsgHotkey, 0xBFFF, nullptr},
      {kMsgHotkey, (uint64_t{1} << 32) | IdOf(state, Hotkey::Macro1), nullptr},
      {0x0111, IdOf(state, Hotkey::Macro1), nullptr},  // WM_COMMAND with a hotkey's number
      {0x0113, 1, nullptr},                           // WM_TIMER
  };
  for (const auto& c : cases) {
    MainWindowDispatch dispatch;
    RecordingActions actions;
    EXPECT_EQ(dispatch.Handle(c.message, c.wParam, state, actions), c.action != nullptr) << c.message << " " << c.wParam;
    EXPECT_EQ(actions.log, c.action ? std::vector<std::string>{c.action} : std::vector<std::string>{});
    EXPECT_FALSE(dispatch.Busy());
  }
}

TEST(MainWindowDispatch, MessagesArrivingDuringAnActionAreOnlyForwarded) {
  const HotkeyState state = StateWithIds();
  MainWindowDispatch dispatch;
  RecordingActions actions;
  std::vector<bool> nested;
  actions.during = [&](Hotkey) {
    EXPECT_TRUE(dispatch.Busy());
    // A second hotkey and a log-off message pumped while the macro types.
    nested.push_back(dispatch.Handle(kMsgHotkey, IdOf(state, Hotkey::PopupMenu), state, actions));
    nested.push_back(dispatch.Handle(kMsgEndSession, 1, state, actions));
  };
  EXPECT_TRUE(dispatch.Handle(kMsgHotkey, IdOf(state, Hotkey::Macro1), state, actions));
  EXPECT_EQ(nested, (std::vector<bool>{false, false}));
  EXPECT_EQ(actions.log, std::vector<std::string>{"HOTKEY95"});
  EXPECT_FALSE(dispatch.Busy());

  // Afterwards the next hotkey runs again.
  actions.during = nullptr;
  EXPECT_TRUE(dispatch.Handle(kMsgHotkey, IdOf(state, Hotkey::PopupMenu), state, actions));
  EXPECT_EQ(actions.log.back(), "HOTKEY99");
}

TEST(MainWindowDispatch, BusyFlagIsClearedWhenAnActionFails) {
  const HotkeyState state = StateWithIds();
  MainWindowDispatch dispatch;
  RecordingActions actions;
  actions.during = [](Hotkey) { throw std::runtime_error("clipboard gone"); };
  EXPECT_THROW(dispatch.Handle(kMsgHotkey, IdOf(state, Hotkey::CopySlot1), state, actions), std::runtime_error);
  EXPECT_FALSE(dispatch.Busy());
  actions.during = nullptr;
  EXPECT_TRUE(dispatch.Handle(kMsgHotkey, IdOf(state, Hotkey::CopySlot1), state, actions));
}

class RecordingEndSession : public EndSessionServices {
public:
  std::vector<std::string> log;
  void SaveOpenWork() override { log.push_back("save"); }
  void StoreDesktopWallpaper(const std::string& path) override { log.push_back("store " + path); }
  void ApplyDesktopWallpaper(const std::string& path) override { log.push_back("apply " + path); }
};

TEST(MainWindowDispatch, LogOffSavesOpenWorkAndPutsBackOnlyARecordedWallpaper) {
  RecordingEndSession none;
  RunEndSession("", none);
  EXPECT_EQ(none.log, std::vector<std::string>{"save"});

  RecordingEndSession recorded;
  RunEndSession("C:\\壁紙\\海.bmp", recorded);
  EXPECT_EQ(recorded.log, (std::vector<std::string>{"save", "store C:\\壁紙\\海.bmp", "apply C:\\壁紙\\海.bmp"}));
}

TEST(OpenWork, EverySaverRunsInOrderEvenWhenOneFails) {
  OpenWorkSavers savers;
  std::vector<int> ran;
  const int a = savers.Register([&] { ran.push_back(1); });
  const int b = savers.Register([&] {
    ran.push_back(2);
    throw std::runtime_error("disk full");
  });
  const int c = savers.Register([&] { ran.push_back(3); });
  EXPECT_NE(a, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(savers.SaveAll(), 1);
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));

  savers.Unregister(b);
  savers.Unregister(12345);
  ran.clear();
  EXPECT_EQ(savers.SaveAll(), 0);
  EXPECT_EQ(ran, (std::vector<int>{1, 3}));
  savers.Unregister(a);
  savers.Unregister(c);
  ran.clear();
  EXPECT_EQ(savers.SaveAll(), 0);
  EXPECT_TRUE(ran.empty());
}

TEST(OpenWork, ASaverThatClosesItsWindowDoesNotDisturbTheRun) {
  OpenWorkSavers savers;
  std::vector<int> ran;
  int first = 0;
  int second = 0;
  int third = 0;
  first = savers.Register([&] {
    ran.push_back(1);
    savers.Unregister(first);
    savers.Unregister(second);
    third = savers.Register([&] { ran.push_back(9); });
  });
  second = savers.Register([&] { ran.push_back(2); });
  savers.SaveAll();
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  ran.clear();
  savers.SaveAll();
  EXPECT_EQ(ran, (std::vector<int>{9}));
}

}  // namespace
}  // namespace qb::test
