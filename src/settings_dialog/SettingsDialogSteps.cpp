#include "settings_dialog/SettingsDialogSteps.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "common/Numbers.h"
#include "common/Text.h"
#include "desktop/IconTextChoice.h"
#include "desktop/WallpaperCalendarPlan.h"
#include "settings/Catalogue.h"
#include "settings/IniText.h"
#include "settings/Settings.h"
#include "settings/SlotText.h"

namespace qb {

namespace {

constexpr Colour kLargestColour = 0xFFFFFF;
// The tray menu shows this many characters of a slot's text.
constexpr std::size_t kSlotCaptionLength = 20;
// What a sample label falls back to when the size label holds no usable number.
constexpr double kSampleDefaultPoints = 10;
constexpr double kSampleLargestPoints = 500;

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string Lower(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

// "True"/"False" in any case, or a number (not 0 is true): the flags the option buttons carry.
std::optional<bool> TrueFalseFromText(std::string_view text) {
  const std::string word = Lower(Trimmed(text));
  if (word == "true") return true;
  if (word == "false") return false;
  if (const auto number = ParseNumber(text)) return *number != 0;
  return std::nullopt;
}

Colour DefaultColour(const SettingKey& key) { return ParseInt32(key.defaultValue).value_or(0); }
bool DefaultFlag(const SettingKey& key) { return key.defaultValue != "0"; }

bool Check(const SettingKey& key, FlagReading reading) {
  return CheckBoxFromText(ReadSetting(key), reading, DefaultFlag(key));
}
Colour ColourBox(const SettingKey& key) { return ColourBoxFromText(ReadSetting(key), DefaultColour(key)); }

std::string FlagText(bool on) { return on ? "1" : "0"; }
std::string TrueFalseText(bool on) { return on ? "True" : "False"; }
std::string ColourText(Colour colour) { return std::to_string(colour); }

struct KeyText {
  const SettingKey& key;
  std::string text;
};

// Values of one section (the first key's) stored in one replacement of the file: cheaper than one
// write each, and a crash cannot separate them.
void WriteSection(std::initializer_list<KeyText> values) {
  if (values.size() == 0) return;
  std::vector<SettingValue> entries;
  entries.reserve(values.size());
  for (const KeyText& v : values) entries.push_back({v.key.key, v.text});
  WriteSettings(values.begin()->key.section, entries);
}

// Keys 1 to `count` of a numbered family, in one replacement of the file.
template <class KeyOf, class TextOf>
void WriteFamily(KeyOf keyOf, int count, TextOf textOf) {
  const std::string section = keyOf(1).section;
  std::vector<std::string> names;
  std::vector<std::string> texts;
  for (int n = 1; n <= count; ++n) {
    names.push_back(keyOf(n).key);
    texts.push_back(textOf(n));
  }
  std::vector<SettingValue> entries;
  for (size_t i = 0; i < names.size(); ++i) entries.push_back({names[i], texts[i]});
  WriteSettings(section, entries);
}

// What the steps of one load or one confirmation work on.
struct StepContext {
  SettingsDialogValues& v;
  SettingsDialogLive& live;
  std::array<bool, kDialogSlotCount> slotsWritten{};  // by this confirmation
};

struct Step {
  const char* name;
  void (*run)(StepContext& c);
};

// Every step runs even when one before it failed.
template <std::size_t N>
void RunSteps(const Step (&steps)[N], StepContext& context) {
  for (const Step& step : steps) {
    try {
      step.run(context);
    } catch (...) {
      // Nothing to report to the user; the next step goes on regardless.
    }
  }
}

// The stored hotkey entry n (1..9) as its two lists show it. What the program does not recognise
// (or finds missing) it registers with the entry's defaults, so that is what the lists show.
HotkeyListChoice StoredHotkey(int n) {
  const HotkeyListChoice defaults = DefaultHotkeyRow(n);
  const SettingKey key = keys::HotkeyKey(n);
  const SettingKey cap = keys::HotkeyCap(n);
  HotkeyListChoice choice;
  choice.key = ListIndexFromText(ReadSetting(key.section, key.key, keys::kHotkeyTableDefault),
                                 static_cast<int>(kKeyListTexts.size()), defaults.key);
  choice.modifier = ListIndexFromText(ReadSetting(cap.section, cap.key, keys::kHotkeyTableDefault),
                                      static_cast<int>(kModifierListTexts.size()), defaults.modifier);
  return choice;
}

// --- Loading, in the dialog's order ---

const Step kLoadSteps[] = {
    {"window shade mode",
     [](StepContext& c) { c.v.windowShadeXp = Check(keys::WindowShadeXpMode, FlagReading::NotZeroText); }},
    {"memory diet",
     [](StepContext& c) {
       c.v.dietMegabytes = ReadSetting(keys::MemDietSize);
       c.v.autoDietPercent = ReadSetting(keys::MemDietSize2);
       c.v.autoDietSeconds = ReadSetting(keys::MemDietSec);
       c.v.autoDiet = Check(keys::MemDietCheck, FlagReading::NotZeroText);
     }},
    {"mouse warp, calendar picture, wallpaper change",
     [](StepContext& c) {
       c.v.mouseWarp = Check(keys::MouseWarpEnable, FlagReading::NumberIsOne);
       c.v.calendarPicture = Check(keys::CalenderImage, FlagReading::NumberIsOne);
       c.v.calendarPictureFile = ReadSetting(keys::CalenderFilename);
       c.v.wallpaperRotation = Check(keys::WallpaperCheck, FlagReading::TextIsOne);
       c.v.wallpaperFolder = ReadSetting(keys::WallpaperDir);
     }},
    {"icon text",
     [](StepContext& c) {
       const Colour desktop = c.live.DesktopColour();
       c.v.iconTextColour = ColourBoxFromText(
           ReadSetting(keys::IconTextColor.section, keys::IconTextColor.key, std::to_string(desktop)), desktop);
       c.v.iconTextTransparent = Check(keys::IconTextCheck, FlagReading::NumberIsOne);
     }},
    {"wallpaper calendar place",
     [](StepContext& c) {
       c.v.wallpaperCalendarX = ReadSetting(keys::CalenderX);
       c.v.wallpaperCalendarY = ReadSetting(keys::CalenderY);
     }},
    {"launcher opacity boxes",
     [](StepContext& c) { c.v.launcherOpacityEnabled = c.live.OsMajorVersion() >= 5; }},
    {"start-up wait",
     [](StepContext& c) {
       // The program keeps the wait only when it is a number, otherwise none; the box shows that.
       const std::string stored = ReadSetting(keys::StartupWait);
       const bool numeric = ParseNumber(stored).has_value();
       c.live.SetStartupWait(numeric ? stored : "0");
       c.v.startupWait = numeric ? stored : "0";
     }},
    {"calendar colours",
     [](StepContext& c) {
       c.v.calendarText = ColourBox(keys::FontColor);
       c.v.calendarHoliday = ColourBox(keys::FontColor2);
       c.v.calendarSaturday = ColourBox(keys::FontColor3);
       c.v.calendarBack = ColourBox(keys::DesktopCalBkColor);
       c.v.calendarOpacity = ReadSetting(keys::DesktopCalTrans);
       c.live.SetCalendarColours(c.v.calendarText, c.v.calendarHoliday, c.v.calendarSaturday);
     }},
    {"slot texts",
     [](StepContext& c) {
       for (int n = 1; n <= kDialogSlotCount; ++n) c.v.slotTexts[n - 1] = UnescapeSlotText(ReadWholeSetting(keys::ClipText(n)));
     }},
    {"hotkeys",
     [](StepContext& c) {
       for (int n = 1; n <= kDialogHotkeyRows; ++n) c.v.hotkeys[n - 1] = StoredHotkey(n);
     }},
    {"launcher names and paths",
     [](StepContext& c) {
       for (int n = 1; n <= kDialogLauncherRows; ++n) {
         c.v.launcher[n - 1].name = ReadSetting(keys::AppName(n));
         c.v.launcher[n - 1].path = ReadSetting(keys::AppPath(n));
       }
     }},
    {"macro texts",
     [](StepContext& c) {
       for (int n = 1; n <= kDialogSlotCount; ++n) c.v.macroTexts[n - 1] = UnescapeSlotText(ReadWholeSetting(keys::ParaText(n)));
     }},
    {"memo font and colours",
     [](StepContext& c) {
       c.v.memoFontName = ReadSetting(keys::MemoFontName);
       c.v.memoFontSize = ReadSetting(keys::MemoFontSize);
       c.v.memoFontColour = ColourBox(keys::MemoFontForeColor);
       c.v.memoFontItalic = Check(keys::MemoFontItalic, FlagReading::WordOrNumber);
       c.v.memoFontBold = Check(keys::MemoFontBold, FlagReading::WordOrNumber);
       c.v.memoBack = ColourBox(keys::DesktopMemoBkColor);
     }},
    {"calendar font",
     [](StepContext& c) {
       c.v.calendarFontName = ReadSetting(keys::CalFontName);
       c.v.calendarFontSize = ReadSetting(keys::CalFontSize);
       c.v.calendarFontItalic = Check(keys::CalFontItalic, FlagReading::NumberNotZero);
       c.v.calendarFontBold = Check(keys::CalFontBold, FlagReading::NumberNotZero);
     }},
    {"launcher opacities",
     [](StepContext& c) {
       for (int n = 1; n <= kDialogLauncherRows; ++n) c.v.launcher[n - 1].opacity = ReadSetting(keys::AppVis(n));
     }},
    {"wallpaper calendar",
     [](StepContext& c) { c.v.wallpaperCalendar = Check(keys::CalenderEnable, FlagReading::TextIsOne); }},
    {"memo opacity", [](StepContext& c) { c.v.memoOpacity = ReadSetting(keys::DesktopMemoTrans); }},
    {"screen capture",
     [](StepContext& c) {
       const std::string prn = ReadSetting(keys::SShotPrn);
       // The capture prints only for exactly "True"; that is how a flag it cannot read is shown.
       c.v.capturePrints = TrueFalseFromText(prn).value_or(prn == "True");
       c.v.captureToFile = TrueFalseFromText(ReadSetting(keys::SShotFile)).value_or(false);
       // One group: choosing the second option clears the first.
       if (c.v.captureToFile) c.v.capturePrints = false;
     }},
};

// --- Confirming, in the dialog's order ---

void WriteSlotTexts(SettingsDialogValues& v, SettingsDialogLive& live, std::array<bool, kDialogSlotCount>& written) {
  for (int n = 1; n <= kDialogSlotCount; ++n) {
    try {
      const SettingKey key = keys::ClipText(n);
      const std::string& box = v.slotTexts[n - 1];
      if (UnescapeSlotText(ReadWholeSetting(key)) == box) continue;
      WriteSetting(key, ProtectIniValue(EscapeSlotText(box)));
      written[n - 1] = true;
      const std::string stored = ReadWholeSetting(key);
      // The menu shows the text as stored, escapes and all.
      live.SetSlotCaption(n, FirstCodePoints(stored, kSlotCaptionLength));
      live.SetClipSlot(n, UnescapeSlotText(stored));
    } catch (...) {
    }
  }
}

void WriteMacroTexts(SettingsDialogValues& v, SettingsDialogLive& live) {
  for (int n = 1; n <= kDialogSlotCount; ++n) {
    try {
      const SettingKey key = keys::ParaText(n);
      const std::string& box = v.macroTexts[n - 1];
      if (UnescapeSlotText(ReadWholeSetting(key)) == box) continue;
      WriteSetting(key, ProtectIniValue(EscapeSlotText(box)));
      live.SetMacroText(n, UnescapeSlotText(ReadWholeSetting(key)));
    } catch (...) {
    }
  }
}

void ConfirmWallpaperCalendar(SettingsDialogValues& v, SettingsDialogLive& live) {
  // The record of the user's own picture is never removed: without it a calendar picture left as
  // the wallpaper could not be undone.
  const std::string recordedThisRun = live.OriginalWallpaper();
  if (!recordedThisRun.empty()) WriteSetting(keys::Wallpaper1, recordedThisRun);
  // The user's picture: the wallpaper in force, unless that is the calendar picture itself.
  const std::string original =
      ChooseOriginalWallpaper(live.DesktopWallpaper(), ReadSetting(keys::Wallpaper1.section, keys::Wallpaper1.key, ""), live.Files());
  if (v.wallpaperCalendar) {
    if (original.empty()) return;
    live.SetOriginalWallpaper(original);
    WriteSetting(keys::Wallpaper1, original);
    live.ShowWallpaperCalendar(original);
  } else {
    live.TakeDownWallpaperCalendar(original);
    // Nothing to put back any more: a picture the user chooses later must not be replaced by
    // this one at log-off.
    live.SetOriginalWallpaper("");
  }
}

const Step kConfirmSteps[] = {
    {"window shade mode and mouse warp",
     [](StepContext& c) {
       WriteSetting(keys::WindowShadeXpMode, FlagText(c.v.windowShadeXp));
       WriteSetting(keys::MouseWarpEnable, FlagText(c.v.mouseWarp));
       c.live.SetMouseWarpMode(c.v.mouseWarp ? 1 : 0);
     }},
    {"memory diet",
     [](StepContext& c) {
       WriteSection({{keys::MemDietSize, c.v.dietMegabytes},
                     {keys::MemDietCheck, FlagText(c.v.autoDiet)},
                     {keys::MemDietSec, c.v.autoDietSeconds},
                     {keys::MemDietSize2, c.v.autoDietPercent}});
     }},
    {"wallpaper change",
     [](StepContext& c) {
       WriteSection({{keys::WallpaperCheck, FlagText(c.v.wallpaperRotation)}, {keys::WallpaperDir, c.v.wallpaperFolder}});
     }},
    {"memo font and colours",
     [](StepContext& c) {
       WriteSection({{keys::DesktopMemoTrans, c.v.memoOpacity}, {keys::DesktopMemoBkColor, ColourText(c.v.memoBack)}});
       WriteSection({{keys::MemoFontName, c.v.memoFontName},
                     {keys::MemoFontSize, c.v.memoFontSize},
                     {keys::MemoFontForeColor, ColourText(c.v.memoFontColour)},
                     {keys::MemoFontItalic, FlagText(c.v.memoFontItalic)},
                     {keys::MemoFontBold, FlagText(c.v.memoFontBold)}});
     }},
    {"calendar picture and font",
     [](StepContext& c) {
       WriteSection({{keys::CalenderImage, FlagText(c.v.calendarPicture)}, {keys::CalenderFilename, c.v.calendarPictureFile}});
       WriteSection({{keys::CalFontName, c.v.calendarFontName},
                     {keys::CalFontSize, c.v.calendarFontSize},
                     {keys::CalFontForeColor, ColourText(c.v.calendarText)},
                     {keys::CalFontItalic, FlagText(c.v.calendarFontItalic)},
                     {keys::CalFontBold, FlagText(c.v.calendarFontBold)}});
     }},
    {"start-up wait",
     [](StepContext& c) {
       WriteSetting(keys::StartupWait, c.v.startupWait);
       const std::string stored = ReadSetting(keys::StartupWait.section, keys::StartupWait.key, "");
       c.live.SetStartupWait(ParseNumber(stored) ? stored : "0");
     }},
    {"icon text from the dialog",
     [](StepContext& c) {
       c.live.SetIconTextBackground(c.v.iconTextTransparent ? kTransparentTextBackground
                                                            : static_cast<uint32_t>(c.v.iconTextColour));
     }},
    {"icon text, screen capture, wallpaper calendar and calendar colours",
     [](StepContext& c) {
       WriteSection({{keys::IconTextColor, ColourText(c.v.iconTextColour)}, {keys::IconTextCheck, FlagText(c.v.iconTextTransparent)}});
       WriteSection({{keys::SShotPrn, TrueFalseText(c.v.capturePrints)}, {keys::SShotFile, TrueFalseText(c.v.captureToFile)}});
       WriteSection({{keys::CalenderX, c.v.wallpaperCalendarX},
                     {keys::CalenderY, c.v.wallpaperCalendarY},
                     {keys::CalenderEnable, FlagText(c.v.wallpaperCalendar)}});
       WriteSection({{keys::FontColorDialog, ColourText(c.v.calendarText)},
                     {keys::FontColor2Dialog, ColourText(c.v.calendarHoliday)},
                     {keys::FontColor3Dialog, ColourText(c.v.calendarSaturday)}});
       WriteSection({{keys::DesktopCalBkColor, ColourText(c.v.calendarBack)}, {keys::DesktopCalTrans, c.v.calendarOpacity}});
     }},
    {"calendar colours read back",
     [](StepContext& c) {
       c.v.calendarText = ColourBox(keys::FontColorDialog);
       c.v.calendarHoliday = ColourBox(keys::FontColor2Dialog);
       c.v.calendarSaturday = ColourBox(keys::FontColor3Dialog);
       c.live.SetCalendarColours(c.v.calendarText, c.v.calendarHoliday, c.v.calendarSaturday);
     }},
    {"wallpaper calendar", [](StepContext& c) { ConfirmWallpaperCalendar(c.v, c.live); }},
    {"hotkeys",
     [](StepContext& c) {
       WriteFamily(keys::HotkeyKey, kDialogHotkeyRows, [&](int n) { return std::to_string(c.v.hotkeys[n - 1].key); });
       WriteFamily(keys::HotkeyCap, kDialogHotkeyRows, [&](int n) { return std::to_string(c.v.hotkeys[n - 1].modifier); });
     }},
    {"launcher opacities",
     [](StepContext& c) {
       WriteFamily(keys::AppVis, kDialogLauncherRows, [&](int n) { return c.v.launcher[n - 1].opacity; });
       // An emptied box stores the empty text and then shows what the launcher reads for it.
       for (LauncherRowValues& row : c.v.launcher) {
         if (row.opacity.empty()) row.opacity = keys::AppVis(1).defaultValue;
       }
     }},
    {"slot texts", [](StepContext& c) { WriteSlotTexts(c.v, c.live, c.slotsWritten); }},
    {"launcher names and paths",
     [](StepContext& c) {
       WriteFamily(keys::AppName, kDialogLauncherRows, [&](int n) { return c.v.launcher[n - 1].name; });
       WriteFamily(keys::AppPath, kDialogLauncherRows, [&](int n) { return c.v.launcher[n - 1].path; });
     }},
    {"macro texts", [](StepContext& c) { WriteMacroTexts(c.v, c.live); }},
    {"icon text from the file",
     [](StepContext& c) {
       const Colour desktop = c.live.DesktopColour();
       const std::string check = ReadSetting(keys::IconTextCheck);
       const std::string colour = ReadSetting(keys::IconTextColor.section, keys::IconTextColor.key, std::to_string(desktop));
       c.live.SetIconTextBackground(IconTextBackgroundFor(check, colour, static_cast<uint32_t>(desktop)));
     }},
    {"hotkeys registered again",
     [](StepContext& c) {
       // Registering reloads the three slots from the file: a slot the dialog did not write keeps
       // what a copy hotkey put into it since the last save.
       const std::array<std::string, 3> held = c.live.ClipSlots();
       c.live.ReRegisterHotkeys();
       for (int n = 1; n <= kDialogSlotCount; ++n) {
         if (!c.slotsWritten[n - 1]) c.live.SetClipSlot(n, held[n - 1]);
       }
     }},
    {"desktop memos and calendar", [](StepContext& c) { c.live.ReloadDesktopMemos(); }},
};


double SamplePoints(const std::string& sizeText) {
  const auto points = ParseNumber(sizeText);
  if (!points || !(*points > 0)) return kSampleDefaultPoints;
  return std::min(*points, kSampleLargestPoints);
}

std::int32_t ChoicePoints(const std::string& sizeText) {
  return static_cast<std::int32_t>(RoundHalfEven(SamplePoints(sizeText)));
}

}  // namespace

bool CheckBoxFromText(std::string_view text, FlagReading reading, bool keyDefault) {
  if (const auto whole = ParseInteger(text, 0, 1)) return *whole == 1;
  const std::optional<double> number = ParseNumber(text);
  switch (reading) {
    case FlagReading::NotZeroText:
      return text != "0";
    case FlagReading::NumberIsOne:
      return number ? RoundHalfEven(*number) == 1 : keyDefault;
    case FlagReading::TextIsOne:
      return text == "1";
    case FlagReading::NumberNotZero:
      return number ? *number != 0 : false;
    case FlagReading::WordOrNumber:
      return TrueFalseFromText(text).value_or(keyDefault);
  }
  return keyDefault;
}

HotkeyListChoice DefaultHotkeyRow(int n) { return {n <= 6 ? 1 : 0, n - 1}; }

int ListIndexFromText(std::string_view text, int listSize, int fallback) {
  const auto index = ParseInteger(text, 0, listSize - 1);
  return index ? static_cast<int>(*index) : fallback;
}

Colour ColourBoxFromText(std::string_view text, Colour fallback) {
  const auto colour = ParseInteger(text, 0, kLargestColour);
  return colour ? static_cast<Colour>(*colour) : fallback;
}

void LoadSettingsDialog(SettingsDialogValues& values, SettingsDialogLive& live) {
  StepContext context{values, live};
  RunSteps(kLoadSteps, context);
}

void ConfirmSettingsDialog(SettingsDialogValues& values, SettingsDialogLive& live) {
  StepContext context{values, live};
  RunSteps(kConfirmSteps, context);
}

SampleFont CalendarSample(const SettingsDialogValues& v) {
  return {v.calendarFontName, SamplePoints(v.calendarFontSize), v.calendarFontBold, v.calendarFontItalic,
          v.calendarText, v.calendarBack};
}

SampleFont MemoSample(const SettingsDialogValues& v) {
  return {v.memoFontName, SamplePoints(v.memoFontSize), v.memoFontBold, v.memoFontItalic, v.memoFontColour, v.memoBack};
}

FontChoice CalendarFontChoice(const SettingsDialogValues& v) {
  FontChoice font;
  font.name = v.calendarFontName;
  font.size = ChoicePoints(v.calendarFontSize);
  font.bold = v.calendarFontBold;
  font.italic = v.calendarFontItalic;
  font.colour = v.calendarText;
  return font;
}

void TakeCalendarFontChoice(SettingsDialogValues& v, const FontChoice& font) {
  v.calendarFontName = font.name;
  v.calendarFontSize = std::to_string(font.size);
  v.calendarFontBold = font.bold;
  v.calendarFontItalic = font.italic;
  v.calendarText = font.colour;
}

FontChoice MemoFontChoice(const SettingsDialogValues& v) {
  FontChoice font;
  font.name = v.memoFontName;
  font.size = ChoicePoints(v.memoFontSize);
  font.bold = v.memoFontBold;
  font.italic = v.memoFontItalic;
  font.colour = v.memoFontColour;
  return font;
}

void TakeMemoFontChoice(SettingsDialogValues& v, const FontChoice& font) {
  v.memoFontName = font.name;
  v.memoFontSize = std::to_string(font.size);
  v.memoFontBold = font.bold;
  v.memoFontItalic = font.italic;
  v.memoFontColour = font.colour;
}

bool TakePickedColour(Colour& box, Colour picked) {
  if (picked == -1) return false;
  box = picked;
  return true;
}

}  // namespace qb
