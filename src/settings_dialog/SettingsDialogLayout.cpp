#include "settings_dialog/SettingsDialogLayout.h"

#include <string>

namespace qb {

namespace {

using K = ControlKind;

constexpr std::array<std::string_view, 3> kRowNumbers = {"1:", "2:", "3:"};
// A row of a hotkey group: "n:", the modifier list, the key list and the status text.
constexpr int kRowStep = 16;
constexpr int kListDropHeight = 120;

void AddHotkeyRows(std::vector<ControlLayout>& controls, int firstRow, int groupX, int firstY) {
  for (int i = 0; i < 3; ++i) {
    const int row = firstRow + i;
    const int y = firstY + i * kRowStep;
    controls.push_back({0, K::Label, kRowNumbers[static_cast<size_t>(i)], groupX + 6, y + 2, 10, 8});
    controls.push_back({ctl::kModifierList + row, K::List, "", groupX + 18, y, 46, kListDropHeight});
    controls.push_back({ctl::kKeyList + row, K::List, "", groupX + 68, y, 46, kListDropHeight});
    controls.push_back({ctl::kHotkeyStatus + row, K::HotkeyStatus, "", groupX + 118, y + 2, 60, 8});
  }
}

PageLayout ClipboardPage() {
  PageLayout page{"ｸﾘｯﾌﾟ操作", {}};
  auto& c = page.controls;
  c.push_back({0, K::Group, "コピー操作キー", 4, 2, 184, 62});
  AddHotkeyRows(c, 0, 4, 14);
  c.push_back({0, K::Group, "ペースト操作キー", 192, 2, 184, 62});
  AddHotkeyRows(c, 3, 192, 14);
  for (int n = 0; n < 3; ++n) c.push_back({ctl::kSlotText + n, K::MultiLineEdit, "", 4, 70 + n * 60, 372, 56});
  return page;
}

PageLayout MacroPage() {
  PageLayout page{"自動操作", {}};
  auto& c = page.controls;
  c.push_back({0, K::Group, "自動操作マクロ", 4, 2, 372, 178});
  for (int n = 0; n < 3; ++n) c.push_back({ctl::kMacroText + n, K::MultiLineEdit, "", 10, 14 + n * 56, 360, 52});
  c.push_back({0, K::Group, "自動操作キー", 4, 184, 184, 62});
  AddHotkeyRows(c, 6, 4, 196);
  return page;
}

PageLayout LauncherPage() {
  PageLayout page{"ﾗﾝﾁｬ", {}};
  auto& c = page.controls;
  c.push_back({0, K::Group, "ランチャ設定", 4, 2, 372, 244});
  c.push_back({0, K::Label, "ｱﾌﾟﾘｹｰｼｮﾝ名", 10, 12, 80, 8});
  c.push_back({0, K::Label, "ﾊﾟｽ", 106, 12, 40, 8});
  c.push_back({0, K::Label, "透明度", 334, 12, 36, 8});
  for (int i = 0; i < kDialogLauncherRows; ++i) {
    const int y = 22 + i * 14;
    c.push_back({ctl::kAppName + i, K::Edit, "", 10, y, 92, 12});
    c.push_back({ctl::kAppPath + i, K::Edit, "", 106, y, 202, 12});
    c.push_back({ctl::kAppBrowse + i, K::Button, "...", 310, y, 20, 12});
    c.push_back({ctl::kAppOpacity + i, K::Edit, "", 334, y, 34, 12});
  }
  return page;
}

PageLayout CalendarPage() {
  PageLayout page{"ｶﾚﾝﾀﾞ", {}};
  auto& c = page.controls;
  c.push_back({0, K::Group, "ﾃﾞｽｸﾄｯﾌﾟｶﾚﾝﾀﾞｰ", 4, 2, 372, 64});
  c.push_back({ctl::kCalendarPicture, K::Check, "ｶﾚﾝﾀﾞｰ背景ｲﾒｰｼﾞ", 10, 13, 120, 10});
  c.push_back({0, K::Label, "イメージ名", 10, 30, 44, 8});
  c.push_back({ctl::kCalendarPictureFile, K::Edit, "", 58, 28, 288, 12});
  c.push_back({ctl::kCalendarPictureBrowse, K::Button, "...", 350, 28, 20, 12});
  c.push_back({0, K::Label, "背景色", 10, 48, 44, 8});
  c.push_back({ctl::kCalendarBack, K::ColourBox, "", 58, 46, 28, 12});
  c.push_back({0, K::Label, "透明度", 100, 48, 30, 8});
  c.push_back({ctl::kCalendarOpacity, K::Edit, "", 134, 46, 34, 12});

  c.push_back({0, K::Group, "共通", 4, 70, 372, 118});
  c.push_back({0, K::Group, "ﾌｫﾝﾄ", 10, 80, 250, 102});
  c.push_back({0, K::Label, "ﾌｫﾝﾄ名", 16, 94, 32, 8});
  c.push_back({ctl::kCalendarFontName, K::ValueLabel, "", 50, 92, 90, 12});
  c.push_back({0, K::Label, "ｻｲｽﾞ", 16, 112, 32, 8});
  c.push_back({ctl::kCalendarFontSize, K::ValueLabel, "", 50, 110, 28, 12});
  c.push_back({ctl::kCalendarFontBold, K::Check, "ﾎﾞｰﾙﾄﾞ", 16, 130, 50, 10});
  c.push_back({ctl::kCalendarFontItalic, K::Check, "ｲﾀﾘｯｸ", 72, 130, 50, 10});
  c.push_back({ctl::kCalendarFontButton, K::Button, "ﾌｫﾝﾄ変更", 16, 152, 60, 14});
  c.push_back({ctl::kCalendarSample, K::FontSample, kSampleText, 146, 90, 108, 86});
  c.push_back({0, K::Label, "基本文字色", 268, 94, 50, 8});
  c.push_back({ctl::kCalendarText, K::ColourBox, "", 322, 92, 28, 12});
  c.push_back({0, K::Label, "休日文字色", 268, 112, 50, 8});
  c.push_back({ctl::kCalendarHoliday, K::ColourBox, "", 322, 110, 28, 12});
  c.push_back({0, K::Label, "土曜文字色", 268, 130, 50, 8});
  c.push_back({ctl::kCalendarSaturday, K::ColourBox, "", 322, 128, 28, 12});

  c.push_back({0, K::Group, "壁紙ｶﾚﾝﾀﾞ設定", 4, 192, 372, 54});
  c.push_back({ctl::kWallpaperCalendar, K::Check, "使用する", 10, 204, 60, 10});
  c.push_back({0, K::Label, "描画位置Ｘ", 10, 224, 44, 8});
  c.push_back({ctl::kWallpaperCalendarX, K::Edit, "", 56, 222, 36, 12});
  c.push_back({0, K::Label, "描画位置Ｙ", 104, 224, 44, 8});
  c.push_back({ctl::kWallpaperCalendarY, K::Edit, "", 150, 222, 36, 12});
  return page;
}

PageLayout IconTextPage() {
  PageLayout page{"ｱｲｺﾝﾃｷｽﾄ", {}};
  auto& c = page.controls;
  c.push_back({0, K::Group, "ﾃﾞｽｸﾄｯﾌﾟｱｲｺﾝﾃｷｽﾄ", 4, 2, 372, 50});
  c.push_back({ctl::kIconTextTransparent, K::Check, "ｱｲｺﾝﾃｷｽﾄ透明", 10, 14, 100, 10});
  c.push_back({0, K::Label, "ｱｲｺﾝﾃｷｽﾄｶﾗｰ", 10, 34, 60, 8});
  c.push_back({ctl::kIconTextColour, K::ColourBox, "", 74, 32, 28, 12});
  c.push_back({0, K::Label, "起動時待ち時間(ミリ秒)", 6, 62, 100, 8});
  c.push_back({ctl::kStartupWait, K::Edit, "", 108, 60, 50, 12});
  return page;
}

PageLayout CapturePage() {
  PageLayout page{"ｽｸﾘｰﾝｺﾋﾟｰ", {}};
  auto& c = page.controls;
  c.push_back({0, K::Group, "ｽｸﾘｰﾝｺﾋﾟｰ設定", 4, 2, 372, 44});
  c.push_back({ctl::kCapturePrints, K::Option, "印刷", 10, 14, 60, 10, true});
  c.push_back({ctl::kCaptureToFile, K::Option, "ﾌｧｲﾙ", 10, 28, 60, 10});
  return page;
}

PageLayout MemoPage() {
  PageLayout page{"ﾒﾓ", {}};
  auto& c = page.controls;
  c.push_back({0, K::Group, "文字", 4, 2, 372, 112});
  c.push_back({0, K::Label, "ﾌｫﾝﾄ名", 10, 16, 32, 8});
  c.push_back({ctl::kMemoFontName, K::ValueLabel, "", 46, 14, 90, 12});
  c.push_back({0, K::Label, "ｻｲｽﾞ", 10, 34, 32, 8});
  c.push_back({ctl::kMemoFontSize, K::ValueLabel, "", 46, 32, 28, 12});
  c.push_back({0, K::Label, "色", 10, 52, 32, 8});
  c.push_back({ctl::kMemoFontColour, K::ColourView, "", 46, 50, 28, 12});
  c.push_back({ctl::kMemoFontBold, K::Check, "ﾎﾞｰﾙﾄﾞ", 10, 70, 50, 10});
  c.push_back({ctl::kMemoFontItalic, K::Check, "ｲﾀﾘｯｸ", 66, 70, 50, 10});
  c.push_back({ctl::kMemoFontButton, K::Button, "ﾌｫﾝﾄ変更", 10, 90, 60, 14});
  c.push_back({ctl::kMemoSample, K::FontSample, kSampleText, 146, 12, 222, 96});
  c.push_back({0, K::Label, "背景色", 6, 124, 60, 8});
  c.push_back({ctl::kMemoBack, K::ColourBox, "", 70, 122, 28, 12});
  c.push_back({0, K::Label, "透明化(0～255)", 6, 142, 60, 8});
  c.push_back({ctl::kMemoOpacity, K::Edit, "", 70, 140, 34, 12});
  return page;
}

PageLayout WindowShadePage() {
  PageLayout page{"ｳｲﾝﾄﾞｳｼｪｰﾄﾞ", {}};
  page.controls.push_back({ctl::kWindowShadeXp, K::Check, "Windows XPモード", 8, 8, 100, 10});
  return page;
}

PageLayout WallpaperPage() {
  PageLayout page{"壁紙ﾁｪﾝｼﾞｬ", {}};
  auto& c = page.controls;
  c.push_back({ctl::kWallpaperRotation, K::Check, "Quorbell起動時壁紙ﾁｪﾝｼﾞを有効", 8, 8, 160, 10});
  c.push_back({0, K::Label, "壁紙格納ﾌｫﾙﾀﾞ", 8, 28, 60, 8});
  c.push_back({ctl::kWallpaperFolder, K::Edit, "", 70, 26, 276, 12});
  c.push_back({ctl::kWallpaperFolderBrowse, K::Button, "...", 350, 26, 20, 12});
  return page;
}

PageLayout MemoryPage() {
  PageLayout page{"ﾒﾓﾘ状況", {}};
  auto& c = page.controls;
  c.push_back({0, K::Label, "ﾒﾓﾘ圧縮容量", 8, 10, 52, 8});
  c.push_back({ctl::kDietMegabytes, K::Edit, "", 62, 8, 36, 12});
  c.push_back({0, K::Label, "MB", 102, 10, 16, 8});
  c.push_back({ctl::kAutoDiet, K::Check, "定期的にメモリ状況を監視する。", 8, 28, 160, 10});
  c.push_back({ctl::kAutoDietSeconds, K::Edit, "", 20, 44, 36, 12});
  c.push_back({0, K::Label, "秒", 60, 46, 12, 8});
  c.push_back({ctl::kAutoDietPercent, K::Edit, "", 20, 62, 36, 12});
  c.push_back({0, K::Label, "％ 以上なった時に圧縮", 60, 64, 110, 8});
  return page;
}

PageLayout MouseWarpPage() {
  PageLayout page{"ﾏｳｽﾜｰﾌﾟ", {}};
  page.controls.push_back({ctl::kMouseWarp, K::Check, "ﾜｰﾌﾟする", 8, 8, 60, 10});
  return page;
}

PageLayout EmptyPage(std::string_view caption) { return PageLayout{caption, {}}; }

std::array<PageLayout, kSettingsPageCount> MakePages() {
  return {ClipboardPage(),      MacroPage(),          LauncherPage(),        CalendarPage(), IconTextPage(),
          CapturePage(),        MemoPage(),           WindowShadePage(),     EmptyPage("ｳｲﾝﾄﾞｳ透明化"),
          EmptyPage("辞書検索"), EmptyPage("CD操作"), WallpaperPage(),       EmptyPage("ｱﾅﾛｸﾞ時計"),
          MemoryPage(),         MouseWarpPage()};
}

}  // namespace

const std::array<PageLayout, kSettingsPageCount>& SettingsDialogPages() {
  static const std::array<PageLayout, kSettingsPageCount> pages = MakePages();
  return pages;
}

std::optional<PlacedControl> FindControl(int id) {
  if (id == 0) return std::nullopt;
  const auto& pages = SettingsDialogPages();
  for (int p = 0; p < kSettingsPageCount; ++p) {
    for (const ControlLayout& control : pages[static_cast<size_t>(p)].controls) {
      if (control.id == id) return PlacedControl{p, &control};
    }
  }
  return std::nullopt;
}

void VisitFields(SettingsDialogValues& v, FieldVisitor& f) {
  for (int row = 0; row < kDialogHotkeyRows; ++row) {
    f.List(ctl::kModifierList + row, v.hotkeys[static_cast<size_t>(row)].modifier);
    f.List(ctl::kKeyList + row, v.hotkeys[static_cast<size_t>(row)].key);
  }
  for (int n = 0; n < kDialogSlotCount; ++n) {
    f.Text(ctl::kSlotText + n, v.slotTexts[static_cast<size_t>(n)]);
    f.Text(ctl::kMacroText + n, v.macroTexts[static_cast<size_t>(n)]);
  }
  for (int i = 0; i < kDialogLauncherRows; ++i) {
    LauncherRowValues& row = v.launcher[static_cast<size_t>(i)];
    f.Text(ctl::kAppName + i, row.name);
    f.Text(ctl::kAppPath + i, row.path);
    f.Text(ctl::kAppOpacity + i, row.opacity);
  }
  f.Check(ctl::kCalendarPicture, v.calendarPicture);
  f.Text(ctl::kCalendarPictureFile, v.calendarPictureFile);
  f.Colour(ctl::kCalendarBack, v.calendarBack);
  f.Text(ctl::kCalendarOpacity, v.calendarOpacity);
  f.Text(ctl::kCalendarFontName, v.calendarFontName);
  f.Text(ctl::kCalendarFontSize, v.calendarFontSize);
  f.Check(ctl::kCalendarFontBold, v.calendarFontBold);
  f.Check(ctl::kCalendarFontItalic, v.calendarFontItalic);
  f.Colour(ctl::kCalendarText, v.calendarText);
  f.Colour(ctl::kCalendarHoliday, v.calendarHoliday);
  f.Colour(ctl::kCalendarSaturday, v.calendarSaturday);
  f.Check(ctl::kWallpaperCalendar, v.wallpaperCalendar);
  f.Text(ctl::kWallpaperCalendarX, v.wallpaperCalendarX);
  f.Text(ctl::kWallpaperCalendarY, v.wallpaperCalendarY);
  f.Check(ctl::kIconTextTransparent, v.iconTextTransparent);
  f.Colour(ctl::kIconTextColour, v.iconTextColour);
  f.Text(ctl::kStartupWait, v.startupWait);
  f.Check(ctl::kCapturePrints, v.capturePrints);
  f.Check(ctl::kCaptureToFile, v.captureToFile);
  f.Text(ctl::kMemoFontName, v.memoFontName);
  f.Text(ctl::kMemoFontSize, v.memoFontSize);
  f.Colour(ctl::kMemoFontColour, v.memoFontColour);
  f.Check(ctl::kMemoFontBold, v.memoFontBold);
  f.Check(ctl::kMemoFontItalic, v.memoFontItalic);
  f.Colour(ctl::kMemoBack, v.memoBack);
  f.Text(ctl::kMemoOpacity, v.memoOpacity);
  f.Check(ctl::kWindowShadeXp, v.windowShadeXp);
  f.Check(ctl::kWallpaperRotation, v.wallpaperRotation);
  f.Text(ctl::kWallpaperFolder, v.wallpaperFolder);
  f.Text(ctl::kDietMegabytes, v.dietMegabytes);
  f.Check(ctl::kAutoDiet, v.autoDiet);
  f.Text(ctl::kAutoDietSeconds, v.autoDietSeconds);
  f.Text(ctl::kAutoDietPercent, v.autoDietPercent);
  f.Check(ctl::kMouseWarp, v.mouseWarp);
}

bool IsMultiLineBox(int id) {
  return (id >= ctl::kSlotText && id < ctl::kSlotText + kDialogSlotCount) ||
         (id >= ctl::kMacroText && id < ctl::kMacroText + kDialogSlotCount);
}

}  // namespace qb
