#pragma once
// The settings dialog's work on its values: loading them from the settings file, confirming them
// into it and re-applying what the running program holds in memory, and the small rules behind the
// font and colour buttons. Portable: everything the steps need of the running program comes through
// SettingsDialogLive, so that a test can run them against a settings file of its own.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Canvas.h"
#include "common/FileSystem.h"
#include "settings_dialog/FontChoice.h"
#include "settings_dialog/SettingsDialogValues.h"

namespace qb {

// The running program as the dialog's steps see it. Window thread only.
class SettingsDialogLive {
public:
  virtual ~SettingsDialogLive() = default;

  // What the system is and has
  [[nodiscard]] virtual int OsMajorVersion() = 0;
  [[nodiscard]] virtual Colour DesktopColour() = 0;  // the desktop background colour
  [[nodiscard]] virtual std::string DesktopWallpaper() = 0;  // the wallpaper file in force
  [[nodiscard]] virtual const FileSystem& Files() = 0;

  // What the program holds in memory
  virtual void SetStartupWait(std::string_view storedText) = 0;
  virtual void SetCalendarColours(Colour text, Colour holiday, Colour saturday) = 0;
  // Mouse warp on exactly when 1; the watch on the mouse starts or stops at once.
  virtual void SetMouseWarpMode(int16_t mode) = 0;
  // 0x00BBGGRR, or kTransparentTextBackground.
  virtual void SetIconTextBackground(uint32_t colour) = 0;
  [[nodiscard]] virtual std::string OriginalWallpaper() = 0;  // empty: none recorded in this run
  virtual void SetOriginalWallpaper(const std::string& path) = 0;
  // The month drawn onto the user's picture `original` at Calender/X, Y and made the wallpaper.
  virtual void ShowWallpaperCalendar(const std::string& original) = 0;
  // The wallpaper calendar is off: the user's picture comes back when the calendar picture is in force.
  virtual void TakeDownWallpaperCalendar(const std::string& original) = 0;
  virtual void SetSlotCaption(int n, std::string_view text) = 0;  // the tray menu's item of slot n
  [[nodiscard]] virtual std::array<std::string, 3> ClipSlots() = 0;
  virtual void SetClipSlot(int n, const std::string& text) = 0;  // n = 1..3
  virtual void SetMacroText(int n, const std::string& text) = 0;  // n = 1..3
  // Every hotkey released and registered again from the settings file (which reloads the slot and
  // macro texts from it).
  virtual void ReRegisterHotkeys() = 0;
  // Whether the hotkey of row n (1..9: copy keys, paste keys, macro keys) is registered now; false
  // when another program (or an earlier row) holds its combination.
  [[nodiscard]] virtual bool HotkeyRowRegistered(int n) = 0;
  // The desktop memos closed and re-created from the settings file where they stand; an open desktop
  // calendar is opened again where it stands.
  virtual void ReloadDesktopMemos() = 0;
};

// Fills `values` from the settings file, field by field in the dialog's order, and sets the start-up
// wait and the calendar colours of the running program. A stored value a control cannot show (a
// flag written "True", a list index out of range) is shown as the program reads it where it reads
// the key, otherwise as the key's default; loading always goes on to the end.
void LoadSettingsDialog(SettingsDialogValues& values, SettingsDialogLive& live);

// Writes `values` into the settings file and re-applies what the program holds in memory: mouse
// warp, start-up wait, icon text, calendar colours, wallpaper calendar, slot captions and texts,
// macro texts, icon text from the file, hotkeys, memos (and an open calendar). A step that fails
// does not keep the next ones from running. Slot and macro texts are written only when they differ
// from the stored ones; a slot the dialog did not write keeps what it holds (a copy made by hotkey
// since the last save). Afterwards `values` show what the controls show after the confirmation
// (the calendar colours as read back, empty launcher opacities as "255").
void ConfirmSettingsDialog(SettingsDialogValues& values, SettingsDialogLive& live);

// The font the calendar's and the memos' sample labels show.
struct SampleFont {
  std::string face;
  double points = 10;
  bool bold = false;
  bool italic = false;
  Colour text = 0;
  Colour back = 0;
  friend bool operator==(const SampleFont&, const SampleFont&) = default;
};
SampleFont CalendarSample(const SettingsDialogValues& values);
SampleFont MemoSample(const SettingsDialogValues& values);

// The font buttons: the font dialog starts from the sample's font and the text colour box; what the
// user confirms goes into the name and size labels, the two style boxes and the text colour box (a
// cancelled dialog changes nothing, so nothing is taken then).
FontChoice CalendarFontChoice(const SettingsDialogValues& values);
void TakeCalendarFontChoice(SettingsDialogValues& values, const FontChoice& font);
FontChoice MemoFontChoice(const SettingsDialogValues& values);
void TakeMemoFontChoice(SettingsDialogValues& values, const FontChoice& font);

// A colour box takes the colour picker's answer unless it is -1 (cancelled); true when it did.
bool TakePickedColour(Colour& box, Colour picked);

// How the program reads a stored flag, for a check box whose stored text is no 0 or 1.
enum class FlagReading {
  NotZeroText,    // on unless exactly "0"
  NumberIsOne,    // on when its number is 1; not a number: the key's default
  TextIsOne,      // on only when exactly "1"
  NumberNotZero,  // on when its number is not 0; not a number: off
  WordOrNumber,   // "True"/"False" in any case, or a number not 0; otherwise the key's default
};
// The tick a check box shows for a stored text: a whole number 0 or 1 as it is, anything else as
// the program reads it.
bool CheckBoxFromText(std::string_view text, FlagReading reading, bool keyDefault);
// What the program registers for hotkey row n (1..9) when the stored choice is missing or not
// recognised: the slot keys (rows 1 to 6) with CTRL, the macro keys with ALT, row n on key n-1.
HotkeyListChoice DefaultHotkeyRow(int n);
// A list's index for a stored text: a whole number inside the list as it is, otherwise `fallback`.
int ListIndexFromText(std::string_view text, int listSize, int fallback);
// A colour box's colour for a stored text: a whole number 0 to 0xFFFFFF, otherwise `fallback`.
Colour ColourBoxFromText(std::string_view text, Colour fallback);

}  // namespace qb
