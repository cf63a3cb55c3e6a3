#pragma once
// What the settings dialog needs of the resident program: its live values (mouse warp, start-up
// wait, calendar colours, recorded wallpaper), the tray menu's slot captions, the hotkeys, the icon
// text, the wallpaper calendar and the desktop memos. Handed to the dialog when it is shown.
#include "settings_dialog/SettingsDialogSteps.h"

namespace qb {

class MainWindow;

class SettingsDialogLink final : public SettingsDialogLive {
public:
  explicit SettingsDialogLink(MainWindow& window) : window_(window) {}

  int OsMajorVersion() override;
  Colour DesktopColour() override;
  std::string DesktopWallpaper() override;
  const FileSystem& Files() override;

  void SetStartupWait(std::string_view storedText) override;
  void SetCalendarColours(Colour text, Colour holiday, Colour saturday) override;
  void SetMouseWarpMode(int16_t mode) override;
  void SetIconTextBackground(uint32_t colour) override;
  std::string OriginalWallpaper() override;
  void SetOriginalWallpaper(const std::string& path) override;
  void ShowWallpaperCalendar(const std::string& original) override;
  void TakeDownWallpaperCalendar(const std::string& original) override;
  void SetSlotCaption(int n, std::string_view text) override;
  std::array<std::string, 3> ClipSlots() override;
  void SetClipSlot(int n, const std::string& text) override;
  void SetMacroText(int n, const std::string& text) override;
  void ReRegisterHotkeys() override;
  bool HotkeyRowRegistered(int n) override;
  void ReloadDesktopMemos() override;

private:
  MainWindow& window_;
};

}  // namespace qb
