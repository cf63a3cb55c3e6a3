// The colour chooser opened from the tray menu: its bars read back from the screen, clicks on the
// hue and shade bars, the eyedropper switched on and off, and the one window brought forward.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"

namespace qb::e2e {
namespace {

constexpr UINT kIconId = 1;
const std::wstring kPictureBoxClass = L"Quorbell.PictureBox";

struct ChooserParts {
  HWND hueBar = nullptr;
  HWND shadeBar = nullptr;
  HWND hexText = nullptr;
  HWND button = nullptr;
};

ChooserParts PartsOf(HWND chooser) {
  ChooserParts parts;
  std::vector<HWND> boxes;
  for (HWND child : ChildWindows(chooser)) {
    const std::string cls = ClassName(child);
    if (cls == "Quorbell.PictureBox") boxes.push_back(child);
    else if (cls == "Edit") parts.hexText = child;
    else if (cls == "Button") parts.button = child;
  }
  // The two bars stand side by side at the top; the sample box lies below them.
  for (HWND box : boxes) {
    const RECT r = WindowRect(box);
    const RECT w = ClientRectOnScreen(chooser);
    if (r.top != w.top) continue;
    (r.left == w.left ? parts.hueBar : parts.shadeBar) = box;
  }
  return parts;
}

// The colour in the middle of a row of a bar, as the screen shows it.
COLORREF BarColour(const ScreenImage& bar, int row) { return bar.At(12, row); }

class ColourChooser : public ResidentScenario {
protected:
  WindowFilter Filter() const {
    WindowFilter filter;
    filter.processId = app.Id();
    filter.className = L"Quorbell.ColourChooser";
    return filter;
  }

  // "色選択" chosen from the tray menu with the keyboard.
  void ChooseFromTray(HWND main) {
    ASSERT_TRUE(Post(main, WM_MOUSEMOVE, kIconId, WM_RBUTTONDOWN));
    HWND menu = WaitForPopupMenu(app.Id());
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::colorChoose)));
    EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  }
};

TEST_F(ColourChooser, BarsHueClickShadeClickEyedropperAndOneWindow) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ChooseFromTray(main);
  HWND chooser = WaitForWindow(Filter());
  ASSERT_TRUE(chooser) << "no colour chooser after choosing 色選択";
  EXPECT_EQ(WindowText(chooser), "ColorChooser");
  ASSERT_TRUE(WaitUntil([&] { return Visible(chooser); }));
  const ChooserParts parts = PartsOf(chooser);
  ASSERT_TRUE(parts.hueBar && parts.shadeBar && parts.hexText && parts.button);
  EXPECT_EQ(WindowText(parts.button), "取得");

  // At load: 23 white bands of 8 rows, then greys from 255 down to 15 every 7 rows, then black.
  ScreenImage shades;
  ASSERT_TRUE(WaitUntil([&] {
    shades = CaptureWindow(parts.shadeBar);
    return !shades.Empty() && BarColour(shades, 364) == RGB(0, 0, 0);
  })) << "the shade bar was not drawn";
  for (int band = 0; band < 23; ++band) EXPECT_EQ(BarColour(shades, 8 * band + 4), RGB(255, 255, 255)) << band;
  for (int band = 0; band < 25; ++band) {
    const int grey = 255 - 10 * band;
    EXPECT_EQ(BarColour(shades, 184 + 7 * band + 3), RGB(grey, grey, grey)) << "grey band " << band;
  }
  const ScreenImage hues = CaptureWindow(parts.hueBar);
  EXPECT_EQ(BarColour(hues, 0), RGB(255, 0, 8));
  EXPECT_EQ(BarColour(hues, 61), RGB(255, 0, 248));  // magenta
  EXPECT_EQ(BarColour(hues, 62), RGB(247, 0, 248));  // red starts to fall
  EXPECT_EQ(BarColour(hues, 371), RGB(255, 8, 8));

  // A click on the top hue band fills the shade bar with the shades of (255, 0, 8).
  ASSERT_TRUE(ClickAt(parts.hueBar, POINT{12, 1}));
  ASSERT_TRUE(WaitUntil([&] {
    shades = CaptureWindow(parts.shadeBar);
    return BarColour(shades, 187) == RGB(255, 0, 8);
  })) << "the shade bar did not follow the hue click";
  EXPECT_EQ(BarColour(shades, 4), RGB(255, 255, 255));
  EXPECT_EQ(BarColour(shades, 12), RGB(255, 247, 247));
  EXPECT_EQ(BarColour(shades, 184 + 7 * 24 + 3), RGB(15, 0, 8));
  EXPECT_EQ(WindowText(parts.hexText), "") << "a hue click does not show a colour";

  // A click on a shade shows it as hex text.
  ASSERT_TRUE(ClickAt(parts.shadeBar, POINT{12, 12}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(parts.hexText) == "FFF7F7"; })) << WindowText(parts.hexText);

  // The eyedropper follows the pointer while it runs...
  ASSERT_TRUE(ClickAt(parts.button, POINT{5, 5}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(parts.button) == "停止"; }));
  POINT onShade{12, 187};
  ClientToScreen(parts.shadeBar, &onShade);
  SetCursorPos(onShade.x, onShade.y);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(parts.hexText) == "FF0008"; }))
      << "the eyedropper read " << WindowText(parts.hexText);
  // ...and a second press stops it with the last colour shown.
  ASSERT_TRUE(ClickAt(parts.button, POINT{5, 5}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(parts.button) == "取得"; }));
  const std::string last = WindowText(parts.hexText);
  POINT onBlack{12, 364};
  ClientToScreen(parts.shadeBar, &onBlack);
  SetCursorPos(onBlack.x, onBlack.y);
  EXPECT_FALSE(WaitUntil([&] { return WindowText(parts.hexText) != last; }, kQuietPeriod))
      << "the stopped eyedropper still reads the screen";

  const ScreenImage shot = CaptureWindow(chooser);
  EXPECT_TRUE(SaveBitmap(shot, PathJoin(ExeDirectory(), L"colour-chooser.bmp")));

  // Choosing it again brings the same window forward, state and all.
  ChooseFromTray(main);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == chooser; }));
  EXPECT_FALSE(WaitUntil([&] { return TopLevelWindows(Filter()).size() > 1; }, kQuietPeriod))
      << "a second colour chooser opened";
  EXPECT_EQ(WindowText(parts.hexText), last);
  EXPECT_EQ(BarColour(CaptureWindow(parts.shadeBar), 187), RGB(255, 0, 8));

  // Closed and chosen again: a fresh window with the white shades.
  ASSERT_TRUE(PostClose(chooser));
  ASSERT_TRUE(WaitForNoWindow(Filter()));
  ChooseFromTray(main);
  chooser = WaitForWindow(Filter());
  ASSERT_TRUE(chooser);
  const ChooserParts fresh = PartsOf(chooser);
  ASSERT_TRUE(fresh.shadeBar);
  EXPECT_TRUE(WaitUntil([&] { return BarColour(CaptureWindow(fresh.shadeBar), 187) == RGB(255, 255, 255); }));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
