// Settings files full of junk, as a user's hand-edited or damaged file may be: every key of the
// catalogue holds the same junk value, with the calendar and the clock switched on and every memo,
// clipboard slot, macro and launcher entry holding a known text. The program must start, answer
// the tray menu, open the settings dialog and take OK, close cleanly, and lose none of the texts.
// One start per junk value; a table of what each did is printed at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "SettingsDialogSupport.h"
#include "app/AppState.h"
#include "harness/DesktopWallpaper.h"
#include "settings/Catalogue.h"
#include "settings/IniText.h"

namespace qb::e2e {
namespace {

struct Junk {
  const char* name;
  std::string value;
};

std::vector<Junk> JunkValues() {
  return {
      {"empty", ""},
      {"letters", "abcXYZ"},
      {"huge number", "99999999999999999999999999"},
      {"negative", "-2147483649"},
      {"exponent", "1e5"},
      {"full-width digits", "１２３"},
      {"5000 bytes", std::string(5000, '7')},
      {"blanks only", "     "},
      {"@@ runs", "@@@@@@@"},
      {"key notation", "{ENTER}^a"},
      {"path traversal", "..\\..\\..\\Windows\\win.ini"},
      {"device CON", "CON"},
      {"device NUL", "NUL"},
      {"device COM1", "COM1"},
  };
}

// The texts a user typed and stored: these must come through any start and OK unchanged.
std::map<std::pair<std::string, std::string>, std::string> KnownTexts() {
  std::map<std::pair<std::string, std::string>, std::string> texts;
  for (int n = 0; n < keys::kMemoCount; ++n) {
    const SettingKey key = keys::MemoText(n);
    texts[{key.section, key.key}] = "メモ" + std::to_string(n) + "@@二行目";
  }
  for (int n = 1; n <= keys::kClipSlotCount; ++n) {
    texts[{"CLIP", std::to_string(n)}] = "写し" + std::to_string(n) + "\\n次の行";
    texts[{"PARA", std::to_string(n)}] = "ﾏｸﾛ" + std::to_string(n) + "{ENTER}";
  }
  for (int n = 1; n <= keys::kLauncherEntryCount; ++n) {
    texts[{"APPNAME", std::to_string(n)}] = "道具" + std::to_string(n);
    texts[{"APPPATH", std::to_string(n)}] = "C:\\Program Files\\Tool" + std::to_string(n) + "\\tool.exe";
  }
  return texts;
}

// Every catalogued key once (names compared as the settings file compares them), in catalogue
// order and grouped by section: the junk value, the known text, or the switch that opens a window.
std::string JunkIni(const std::string& junk) {
  const auto texts = KnownTexts();
  std::vector<std::pair<std::string, std::vector<std::string>>> sections;
  for (const SettingKey& key : keys::AllCatalogued()) {
    auto section = std::find_if(sections.begin(), sections.end(),
                                [&](const auto& s) { return IniNamesEqual(s.first, key.section); });
    if (section == sections.end()) section = sections.emplace(sections.end(), key.section, std::vector<std::string>{});
    const bool seen = std::any_of(section->second.begin(), section->second.end(), [&](const std::string& line) {
      return IniNamesEqual(line.substr(0, line.find('=')), key.key);
    });
    if (seen) continue;
    std::string value = junk;
    if (const auto text = texts.find({key.section, key.key}); text != texts.end()) value = text->second;
    const bool windowSwitch = (key.section == keys::DesktopCalEnable.section && key.key == keys::DesktopCalEnable.key) ||
                              (key.section == keys::DesktopClockEnable.section && key.key == keys::DesktopClockEnable.key);
    if (windowSwitch) value = "True";
    section->second.push_back(key.key + "=" + value);
  }
  std::string ini;
  for (const auto& [name, lines] : sections) {
    ini += "[" + name + "]\r\n";
    for (const std::string& line : lines) ini += line + "\r\n";
  }
  return ini;
}

// The visible windows of a class of the program, once there are `count` of them.
bool WaitForWindows(DWORD processId, const wchar_t* className, std::size_t count) {
  WindowFilter filter = VisibleWindowsOf(processId, className);
  return WaitUntil([&] { return TopLevelWindows(filter).size() == count; });
}

class JunkSettings : public SettingsDialogScenario {};

TEST_F(JunkSettings, EveryKeyHoldingEachJunkValueStartsAnswersAndKeepsTheStoredTexts) {
  const WallpaperGuard wallpaper;  // the wallpaper switches hold junk too
  AppFolder folder;
  ASSERT_TRUE(folder.Ready());
  std::vector<std::string> table;
  for (const Junk& junk : JunkValues()) {
    SCOPED_TRACE(junk.name);
    folder.WriteIni(JunkIni(junk.value));
    std::string result;
    std::string note;
    const auto step = [&](bool ok, const char* what) {
      if (!ok && result.empty()) result = std::string("FAILED: ") + what;
      return ok;
    };
    HWND main = Start(folder);
    if (step(main != nullptr, "no resident main window")) {
      step(Send(main, WM_NULL).has_value(), "the main window does not answer");
      // A start-up wait the junk reads as a number holds the windows back past this test's end.
      if (StartupWaitFromText(junk.value) == 0) {
        step(WaitForWindows(app.Id(), L"Quorbell.CalendarWindow", 1) &&
                 WaitForWindows(app.Id(), L"Quorbell.ClockWindow", 1) &&
                 WaitForWindows(app.Id(), L"Quorbell.MemoWindow", keys::kMemoCount),
             "the calendar, the clock and every memo did not open");
        // Each memo shows its own stored text, whatever junk its font, colours and place hold.
        WindowFilter memos;
        memos.processId = app.Id();
        memos.className = L"Quorbell.MemoWindow";
        std::set<std::string> shown;
        for (HWND memo : TopLevelWindows(memos)) shown.insert(WindowText(FindChild(memo, L"Edit", std::nullopt)));
        for (int n = 0; n < keys::kMemoCount; ++n) {
          step(shown.count("メモ" + std::to_string(n) + "\r\n二行目") == 1, "a memo does not show its stored text");
        }
        if (junk.name == std::string("letters")) {
          Sleep(500);  // the windows have painted
          const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
          EXPECT_TRUE(SaveBitmap(CaptureScreen(screen), PathJoin(ExeDirectory(), L"junk-settings-letters.bmp")));
        }
      } else {
        note = " (start-up wait " + std::to_string(StartupWaitFromText(junk.value)) + " ms: closed before it ran out)";
      }
      const std::vector<std::string> items = TrayMenuCaptions(main);
      step(items.size() == 15, "the tray menu does not hold its fifteen items");
      const HWND dialog = OpenFromMenu(main);
      if (step(dialog != nullptr, "no settings dialog")) {
        step(Click(dialog, IDOK) && WaitHidden(dialog), "OK did not close the settings dialog");
      }
      step(app.CloseMainWindow() == std::optional<DWORD>(0), "did not close with exit code 0");
    }
    app.Kill();
    for (const auto& [name, text] : KnownTexts()) {
      const std::string now = folder.ReadSetting(name.first, name.second, "(missing)");
      if (!step(now == text, "a stored text changed")) {
        ADD_FAILURE() << "[" << name.first << "] " << name.second << ": " << now;
        break;
      }
    }
    EXPECT_EQ(result, "") << junk.name;
    table.push_back(std::string(junk.name) + ": " + (result.empty() ? "started, answered, closed, texts kept" + note : result));
  }
  for (const std::string& line : table) std::printf("junk settings | %s\n", line.c_str());
}

}  // namespace
}  // namespace qb::e2e
