#pragma once
// The running program as the settings dialog's steps see it, in memory: every call is recorded in
// order, and re-registering the hotkeys reloads the slot texts from the settings file as the real
// program does.
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/SlotText.h"
#include "settings/Settings.h"
#include "settings_dialog/SettingsDialogSteps.h"
#include "unit/FakeFileSystem.h"
#include "unit/SettingsTestSupport.h"

namespace qb::test {

inline constexpr Colour kDesktopColour = 0x00A56E3A;

class FakeLive : public SettingsDialogLive {
public:
  explicit FakeLive(FakeFileSystem& fs) : fs_(fs) {}

  std::vector<std::string> calls;
  int osMajor = 10;
  std::string wallpaper;  // in force
  std::string original;   // recorded in this run
  std::string startupWait = "unset";
  std::array<Colour, 3> calendarColours{-1, -1, -1};
  std::array<std::string, 3> slots;
  std::array<std::string, 3> macros;
  std::array<std::string, 3> captions;
  std::string throwAt;  // a call that fails

  int OsMajorVersion() override { return osMajor; }
  Colour DesktopColour() override { return kDesktopColour; }
  std::string DesktopWallpaper() override { return wallpaper; }
  const FileSystem& Files() override { return fs_; }

  void SetStartupWait(std::string_view text) override {
    Record("SetStartupWait " + std::string(text));
    startupWait = text;
  }
  void SetCalendarColours(Colour text, Colour holiday, Colour saturday) override {
    Record("SetCalendarColours " + std::to_string(text) + " " + std::to_string(holiday) + " " + std::to_string(saturday));
    calendarColours = {text, holiday, saturday};
  }
  void SetMouseWarpMode(int16_t mode) override { Record("SetMouseWarpMode " + std::to_string(mode)); }
  void SetIconTextBackground(uint32_t colour) override { Record("SetIconTextBackground " + std::to_string(colour)); }
  std::string OriginalWallpaper() override { return original; }
  void SetOriginalWallpaper(const std::string& path) override {
    Record("SetOriginalWallpaper " + path);
    original = path;
  }
  void ShowWallpaperCalendar(const std::string& path) override { Record("ShowWallpaperCalendar " + path); }
  void TakeDownWallpaperCalendar(const std::string& path) override { Record("TakeDownWallpaperCalendar " + path); }
  void SetSlotCaption(int n, std::string_view text) override {
    Record("SetSlotCaption " + std::to_string(n) + " " + std::string(text));
    captions[n - 1] = text;
  }
  std::array<std::string, 3> ClipSlots() override { return slots; }
  void SetClipSlot(int n, const std::string& text) override {
    Record("SetClipSlot " + std::to_string(n));
    slots[n - 1] = text;
  }
  void SetMacroText(int n, const std::string& text) override {
    Record("SetMacroText " + std::to_string(n));
    macros[n - 1] = text;
  }
  void ReRegisterHotkeys() override {
    Record("ReRegisterHotkeys");
    for (int n = 1; n <= 3; ++n) {
      slots[n - 1] = UnescapeSlotText(ReadWholeSetting("CLIP", std::to_string(n), ""));
      macros[n - 1] = UnescapeSlotText(ReadWholeSetting("PARA", std::to_string(n), ""));
    }
  }
  bool HotkeyRowRegistered(int) override { return true; }
  void ReloadDesktopMemos() override { Record("ReloadDesktopMemos"); }

  // The calls whose text starts with `prefix`, in order.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& c : calls) {
      if (c.rfind(prefix, 0) == 0) out.push_back(c);
    }
    return out;
  }

private:
  void Record(std::string call) {
    const bool fails = !throwAt.empty() && call.rfind(throwAt, 0) == 0;
    calls.push_back(std::move(call));
    if (fails) throw std::runtime_error("failing on purpose");
  }

  FakeFileSystem& fs_;
};

// A settings file in memory and the fake program around it.
class SettingsDialogTest : public SettingsFileTest {
protected:
  FakeLive live{fs};

  SettingsDialogValues Loaded() {
    SettingsDialogValues values;
    LoadSettingsDialog(values, live);
    return values;
  }
  std::string Stored(const std::string& section, const std::string& key) {
    return ReadWholeSetting(section, key, "<absent>");
  }
};

// What the program writes at a first start: the modifiers and keys of the ten hotkey entries.
inline const std::string kStartupHotkeyValues =
    "[CAP]\r\n1=1\r\n2=1\r\n3=1\r\n4=1\r\n5=1\r\n6=1\r\n7=0\r\n8=0\r\n9=0\r\n10=0\r\n"
    "[KEY]\r\n1=0\r\n2=1\r\n3=2\r\n4=3\r\n5=4\r\n6=5\r\n7=6\r\n8=7\r\n9=8\r\n10=9\r\n";

}  // namespace qb::test
