// A long run of what a user does all day: every window of the resident program opened and closed
// (the calendar paged through months, memos, clocks, the accessories, the version and settings
// dialogs), hotkeys pressed on another program's window (clipboard slots, window tools) and the
// tray menu opened. Afterwards the program holds exactly the GDI and USER objects it held after
// the first tenth of the run, and its private memory has not grown beyond a few percent.
// Wine's common controls keep 24 bytes of every text static control that had a font when it goes
// (their WM_NCDESTROY frees that data for icon statics only): the run counts such controls as it
// closes their windows and allows the process heap exactly that, so that memory the program's own
// code keeps, or makes the system keep, still shows.
// `make test` runs a short round; `make soak` runs the full one (QB_SOAK=full) and prints figures.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "HotkeySupport.h"
#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "harness/ProbeTarget.h"
#include "platform/Clipboard.h"
#include "platform/LiveObjects.h"

namespace qb::e2e {
namespace {

constexpr UINT kIconId = 1;
constexpr std::array<const char*, kObjectKindCount> kKindNames = {"fonts", "brushes", "pens", "bitmaps", "regions",
                                                                  "memory DCs", "window DCs", "menus", "icons"};

struct Plan {
  int cycles;
  int baselineCycle;  // the figures the end is compared with are taken after this many cycles
  double memoryTolerance;
};

// Each cycle opens and closes every window once, presses five hotkeys and opens one tray menu.
Plan ThePlan() {
  const char* mode = std::getenv("QB_SOAK");
  if (mode != nullptr && std::string(mode) == "full") return {1000, 100, 0.03};
  // The baseline comes once every window and every window tool has been used (the wheel window
  // is made on its first use and kept); the heaps have settled by then, the private memory's pages
  // later than a short round lasts, so that figure is only printed there.
  return {18, 6, -1};
}

// What Wine's static control keeps of each text static that had a font (see above).
constexpr long long kWineStaticKeeps = 24;
// Room for the system's caches that settle late (a font's glyphs, a theme's parts).
constexpr long long kSystemHeapSlack = 16 * 1024;
// The program's own heap may move by a few percent (a string that found a longer text).
constexpr double kOwnHeapTolerance = 0.03;

struct Figures {
  std::array<long long, kObjectKindCount> objects{};
  long long windows = -1;
  long long privateBytes = -1;
  long long ownHeap = -1;           // in use on the C runtime's heap
  long long systemHeap = -1;        // in use on the process heap
  long long systemCommitted = -1;   // committed by the process heap
};

std::optional<Figures> ReadFigures(HWND main) {
  const UINT message = RegisterWindowMessageW(kLiveObjectsMessageName);
  Figures f;
  for (int kind = 0; kind < kObjectKindCount; ++kind) {
    const auto answer = Send(main, message, static_cast<WPARAM>(kind));
    if (!answer) return std::nullopt;
    f.objects[static_cast<size_t>(kind)] = static_cast<long long>(*answer);
  }
  const auto ask = [&](WPARAM query, long long& figure) {
    const auto answer = Send(main, message, query);
    if (answer) figure = static_cast<long long>(*answer);
    return answer.has_value();
  };
  if (!ask(kQueryThreadWindows, f.windows) || !ask(kQueryPrivateBytes, f.privateBytes) ||
      !ask(kQueryOwnHeapBytes, f.ownHeap) || !ask(kQuerySystemHeapBytes, f.systemHeap) ||
      !ask(kQuerySystemHeapCommitted, f.systemCommitted))
    return std::nullopt;
  return f;
}

void PrintFigures(const char* when, const Figures& f) {
  const auto kib = [](long long bytes) { return static_cast<double>(bytes) / 1024.0; };
  std::printf("  %-22s private memory %8.0f KiB (own heap %.1f KiB, process heap %.1f KiB in use of %.0f), windows %lld",
              when, kib(f.privateBytes), kib(f.ownHeap), kib(f.systemHeap), kib(f.systemCommitted), f.windows);
  for (size_t k = 0; k < f.objects.size(); ++k) std::printf(", %s %lld", kKindNames[k], f.objects[k]);
  std::printf("\n");
  std::fflush(stdout);
}

class Soak : public ResidentScenario {
protected:
  WindowFilter Filter(const wchar_t* className, const wchar_t* caption = nullptr) const {
    WindowFilter filter{app.Id(), className, std::nullopt, true};
    if (caption != nullptr) filter.caption = caption;
    return filter;
  }

  // The item chosen as the tray menu reports it to the main window.
  bool Choose(MenuItem item) const { return Post(main_, WM_COMMAND, MenuCommandId(item), 0); }

  // Opens the window of a menu item, lets `use` work on it, closes it and waits until it is gone.
  template <class Use>
  bool OpenUseAndClose(MenuItem item, const WindowFilter& filter, Use use, const char* what) const {
    if (!Choose(item)) return Fail("cannot choose", what);
    const HWND window = WaitForWindow(filter);
    if (window == nullptr) return Fail("did not open:", what);
    if (!use(window)) return Fail("could not be used:", what);
    staticsClosed_ += TextStatics(window);
    if (!PostClose(window)) return Fail("cannot close", what);
    if (!WaitForNoWindow(filter)) return Fail("did not close:", what);
    return true;
  }

  bool OpenAndClose(MenuItem item, const WindowFilter& filter, const char* what) const {
    return OpenUseAndClose(item, filter, [](HWND) { return true; }, what);
  }

  // The text static controls in `window` (the program gives each of them a font).
  static int TextStatics(HWND window) {
    int count = 0;
    for (HWND child : ChildWindows(window)) {
      if (ClassName(child) != "Static") continue;
      switch (Style(child) & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
        case SS_OWNERDRAW:
          ++count;
          break;
        default:
          break;
      }
    }
    return count;
  }

  static bool Fail(const char* why, const char* what) {
    ADD_FAILURE() << why << " " << what;
    return false;
  }

  // The calendar paged two months on and one back through its buttons.
  static bool PageCalendar(HWND calendar) {
    const HWND prev = FindChild(calendar, L"Button", "<");
    const HWND next = FindChild(calendar, L"Button", ">");
    if (prev == nullptr || next == nullptr) return false;
    for (const HWND button : {next, next, prev}) {
      if (!Send(button, BM_CLICK)) return false;
    }
    return true;
  }

  // The settings dialog hides when OK or Cancel has done its work; OK re-applies everything.
  bool SettingsRound(bool confirm) const {
    if (!Choose(MenuItem::mnuSetting)) return Fail("cannot choose", "settings");
    const HWND dialog = WaitForWindow(Filter(L"#32770", L"設定"));
    if (dialog == nullptr) return Fail("did not open:", "settings");
    if (!Post(dialog, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0)) return Fail("cannot press", "settings");
    if (!WaitUntil([&] { return !IsWindowVisible(dialog); })) return Fail("did not close:", "settings");
    return true;
  }

  bool WindowsRound(int cycle) const {
    return OpenUseAndClose(MenuItem::mnuDeskCal, Filter(L"Quorbell.CalendarWindow"), &PageCalendar, "calendar") &&
           OpenAndClose(MenuItem::mnuMemo, Filter(L"Quorbell.MemoWindow"), "memo") &&
           OpenAndClose(MenuItem::mnuClock, Filter(L"Quorbell.ClockWindow"), "clock") &&
           OpenAndClose(MenuItem::mnuOpen, Filter(L"Quorbell.OpenAnythingWindow"), "open anything") &&
           OpenAndClose(MenuItem::stopWatch, Filter(L"Quorbell.StopwatchWindow"), "stopwatch") &&
           OpenAndClose(MenuItem::colorChoose, Filter(L"Quorbell.ColourChooser"), "colour chooser") &&
           OpenAndClose(MenuItem::cmdMemDiet, Filter(L"Quorbell.MemoryStatusWindow"), "memory status") &&
           OpenAndClose(MenuItem::mnuVer, Filter(L"#32770", L"Quorbellのﾊﾞｰｼﾞｮﾝ情報"), "version dialog") &&
           SettingsRound(cycle % 4 == 3);
  }

  bool TrayMenuRound() const {
    if (!Post(main_, WM_MOUSEMOVE, kIconId, WM_RBUTTONDOWN)) return Fail("cannot post", "tray right press");
    const HWND menu = WaitForPopupMenu(app.Id());
    if (menu == nullptr) return Fail("did not open:", "tray menu");
    // Escape again when the first one was not taken (a menu still settling in its loop under load),
    // as a user would press it again.
    for (int attempt = 0; attempt < 3; ++attempt) {
      PostKey(menu, VK_ESCAPE);  // fails only when the menu has gone meanwhile
      if (WaitForNoPopupMenu(app.Id(), 5s)) return true;
    }
    return Fail("did not close:", "tray menu");
  }

  // A hotkey pressed as real keys with the probe in front until its effect shows: a press that
  // comes while the program still finishes the action before is passed on without action (its
  // busy guard), as a user's hurried second press would be.
  template <class Effect>
  static bool PressUntil(const ProbeTarget& probe, Combination c, Effect effect) {
    for (int attempt = 0; attempt < 4; ++attempt) {
      if (!probe.BringToFront() || !PressCombination(c)) return false;
      if (WaitUntil(effect, 3s)) return true;
    }
    return false;
  }

  // The editor's text copied into slot 1 with its hotkey and pasted back with the other. The
  // program waits a second for the editor's copy; an editor slower than that under load leaves the
  // old clipboard in the slot, as it would for a user, and the pair is made again.
  static bool CopyAndPaste(const ProbeTarget& probe, HWND edit, const std::string& text) {
    const std::wstring wide(text.begin(), text.end());
    for (int attempt = 0; attempt < 3; ++attempt) {
      Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
      Send(edit, EM_SETSEL, 0, -1);
      if (!WriteClipboardText("before")) return Fail("cannot write", "clipboard");
      if (!PressUntil(probe, {MOD_CONTROL, VK_NUMPAD1}, [&] { return ReadClipboardText() == text; }))
        return Fail("no copy into", "slot 1");
      Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
      if (!PressUntil(probe, {MOD_CONTROL, VK_NUMPAD4}, [&] { return !WindowText(edit).empty(); }))
        return Fail("no paste from", "slot 1");
      if (WaitUntil([&] { return WindowText(edit).find(text) != std::string::npos; }, 1s)) return true;
    }
    return Fail("the wrong text pasted from", "slot 1");
  }

  // Five hotkeys on the probe editor, each waited for by its effect. Every second cycle undoes the
  // window tool of the one before, so that even cycles end where they began.
  bool HotkeyRound(const ProbeTarget& probe, HWND edit, int cycle) const {
    const HWND target = probe.Hwnd();
    if (!CopyAndPaste(probe, edit, "soak " + std::to_string(cycle))) return false;
    if (!PressUntil(probe, {MOD_CONTROL, VK_NUMPAD0}, [&] { return WindowRegion(target).type == SIMPLEREGION; }))
      return Fail("no roll-up of", "the probe");
    if (!PressUntil(probe, {MOD_CONTROL, VK_NUMPAD0}, [&] { return WindowRegion(target).type == ERROR; }))
      return Fail("no roll-back of", "the probe");
    const bool undo = cycle % 2 == 1;
    switch ((cycle / 2) % 3) {
      case 0: {
        const BYTE alpha = undo ? 255 : 240;
        const UINT key = undo ? VK_ADD : VK_SUBTRACT;
        if (!PressUntil(probe, {MOD_CONTROL, key}, [&] {
              const auto layered = LayeredAttributes(target);
              return layered && layered->alpha == alpha;
            }))
          return Fail("no opacity step on", "the probe");
        return true;
      }
      case 1:
        if (!PressUntil(probe, {MOD_CONTROL, VK_HOME}, [&] { return ((ExStyle(target) & WS_EX_TOPMOST) != 0) == !undo; }))
          return Fail("no topmost toggle of", "the probe");
        return true;
      default: {
        const WindowFilter wheel = Filter(L"Quorbell.WheelWindow");
        if (!PressUntil(probe, {MOD_CONTROL, VK_DECIMAL}, [&] { return TopLevelWindows(wheel).empty() == undo; }))
          return Fail("no wheel window toggle", undo ? "off" : "on");
        return true;
      }
    }
  }

  HWND main_ = nullptr;
  mutable long long staticsClosed_ = 0;
};

TEST_F(Soak, ManyCyclesOfEveryWindowHotkeyAndTrayMenuLeaveObjectsAndMemoryWhereTheyWere) {
  const Plan plan = ThePlan();
  AppFolder folder;
  main_ = Start(folder);
  ASSERT_TRUE(main_);
  ProbeTarget probe(L"notepad editmenu");
  ASSERT_TRUE(probe.Ready());
  const HWND edit = FindChild(probe.Hwnd(), L"Edit", std::nullopt);
  ASSERT_TRUE(edit);
  const auto start = ReadFigures(main_);
  ASSERT_TRUE(start) << "the program does not answer " << "Quorbell.LiveObjects";

  std::printf("Soak: %d cycles (each: every window opened and closed, 5 hotkeys, 1 tray menu)\n", plan.cycles);
  PrintFigures("after start-up", *start);
  std::optional<Figures> baseline;
  long long staticsAtBaseline = 0;
  const DWORD began = GetTickCount();
  // The long run tells where it is, so that a round that never ends can be found in its log.
  const bool tellProgress = plan.cycles > 100;
  const auto progress = [&](int cycle, const char* round) {
    if (!tellProgress) return;
    std::printf("  cycle %d: %s\n", cycle + 1, round);
    std::fflush(stdout);
  };
  for (int cycle = 0; cycle < plan.cycles; ++cycle) {
    progress(cycle, "windows");
    ASSERT_TRUE(WindowsRound(cycle)) << "cycle " << cycle;
    progress(cycle, "hotkeys");
    ASSERT_TRUE(HotkeyRound(probe, edit, cycle)) << "cycle " << cycle;
    progress(cycle, "tray menu");
    ASSERT_TRUE(TrayMenuRound()) << "cycle " << cycle;
    if (cycle + 1 == plan.baselineCycle) {
      baseline = ReadFigures(main_);
      ASSERT_TRUE(baseline);
      staticsAtBaseline = staticsClosed_;
      PrintFigures(("after " + std::to_string(cycle + 1) + " cycles").c_str(), *baseline);
    } else if (cycle + 1 > plan.baselineCycle && (cycle + 1) % 100 == 0) {
      // On the way, for a run cut short.
      if (const auto now = ReadFigures(main_)) PrintFigures(("after " + std::to_string(cycle + 1) + " cycles").c_str(), *now);
    }
  }
  const auto end = ReadFigures(main_);
  ASSERT_TRUE(end);
  PrintFigures(("after " + std::to_string(plan.cycles) + " cycles").c_str(), *end);
  std::printf("  %d window rounds, %d hotkey actions, %d tray menus in %lu s\n", plan.cycles, plan.cycles * 5,
              plan.cycles, static_cast<unsigned long>((GetTickCount() - began) / 1000));

  for (size_t k = 0; k < end->objects.size(); ++k)
    EXPECT_EQ(end->objects[k], baseline->objects[k]) << kKindNames[k] << " grew or shrank";
  EXPECT_EQ(end->windows, baseline->windows) << "windows";
  const auto share = [&](long long change) {
    return static_cast<double>(change) / static_cast<double>(baseline->privateBytes);
  };
  const long long privateGrowth = end->privateBytes - baseline->privateBytes;
  const long long systemGrowth = end->systemHeap - baseline->systemHeap;
  const long long wineKeeps = (staticsClosed_ - staticsAtBaseline) * kWineStaticKeeps;
  std::printf("  since the baseline: private memory %+.2f %%, own heap %+lld bytes, process heap %+lld bytes "
              "(%lld text statics closed: %lld bytes kept by Wine's static control)\n",
              share(privateGrowth) * 100.0, end->ownHeap - baseline->ownHeap, systemGrowth,
              staticsClosed_ - staticsAtBaseline, wineKeeps);
  // What the program's code holds, and what it makes the system hold: settled by the baseline in
  // either round.
  EXPECT_LE(static_cast<double>(end->ownHeap - baseline->ownHeap), kOwnHeapTolerance * static_cast<double>(baseline->ownHeap))
      << "the program's heap grew";
  EXPECT_LE(systemGrowth, wineKeeps + kSystemHeapSlack) << "the process heap grew beyond Wine's static controls";
  if (plan.memoryTolerance > 0) {
    // The rest of the private memory (stacks, the runtime's pages, the system's other pages).
    EXPECT_LE(share(privateGrowth - (end->systemCommitted - baseline->systemCommitted)), plan.memoryTolerance)
        << "private memory grew";
  }
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
