// The picture box: an image that survives resizing and repainting, pictures stretched over it,
// what reaches the screen, and the mouse events it reports.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "platform/MessagePump.h"
#include "platform/PictureBox.h"
#include "platform/PictureFile.h"

namespace qb {
namespace {

COLORREF PixelOf(const OffscreenImage& image, int x, int y) {
  GdiFlush();
  const std::uint32_t rgb = image.Pixels()[static_cast<size_t>(y) * image.Width() + x];
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void FillRectOn(HDC dc, RECT rect, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}

struct Event {
  std::string what;
  int x, y;
  bool operator==(const Event&) const = default;
};

class Recorder : public PictureBox::Listener {
public:
  std::vector<Event> events;
  void PictureBox_MouseDown(PictureBox&, PictureBox::Button b, int x, int y) override {
    events.push_back({"down " + Name(b), x, y});
  }
  void PictureBox_MouseUp(PictureBox&, PictureBox::Button b, int x, int y) override {
    events.push_back({"up " + Name(b), x, y});
  }
  void PictureBox_DblClick(PictureBox&, int x, int y) override { events.push_back({"dblclick", x, y}); }

private:
  static std::string Name(PictureBox::Button b) {
    return b == PictureBox::Button::Left ? "left" : b == PictureBox::Button::Right ? "right" : "middle";
  }
};

class PictureBoxTest : public testing::Test {
protected:
  void SetUp() override {
    parent.reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 100, 100, 120, 80, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(parent);
    ASSERT_TRUE(box.Create(parent.get(), 0, 0, 100, 60, RGB(0, 18, 122), &recorder));
  }

  UniqueWindow parent;
  Recorder recorder;
  PictureBox box;  // destroyed before its parent
};

TEST_F(PictureBoxTest, StartsFilledWithItsBackColourAndClsFillsAgain) {
  EXPECT_EQ(box.ImageWidth(), 100);
  EXPECT_EQ(box.ImageHeight(), 60);
  EXPECT_EQ(PixelOf(box.Image(), 0, 0), RGB(0, 18, 122));
  EXPECT_EQ(PixelOf(box.Image(), 99, 59), RGB(0, 18, 122));
  FillRectOn(box.Dc(), {0, 0, 100, 60}, RGB(255, 255, 255));
  box.SetBackColor(RGB(1, 2, 3));
  box.Cls();
  EXPECT_EQ(PixelOf(box.Image(), 50, 30), RGB(1, 2, 3));
}

TEST_F(PictureBoxTest, ResizingKeepsWhatFitsAndFillsTheRestWithTheBackColour) {
  FillRectOn(box.Dc(), {0, 0, 10, 10}, RGB(255, 0, 0));
  box.SetBounds(5, 6, 150, 20);
  EXPECT_EQ(box.ImageWidth(), 150);
  EXPECT_EQ(box.ImageHeight(), 20);
  EXPECT_EQ(PixelOf(box.Image(), 9, 9), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(box.Image(), 10, 10), RGB(0, 18, 122));
  EXPECT_EQ(PixelOf(box.Image(), 149, 19), RGB(0, 18, 122)) << "the new area";
  RECT r{};
  GetWindowRect(box.Hwnd(), &r);
  MapWindowPoints(HWND_DESKTOP, parent.get(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 6);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(r.bottom - r.top, 20);
}

// Halftone stretching smooths: near each corner the corner's own colour dominates.
bool Near(COLORREF got, COLORREF want) {
  return std::abs(GetRValue(got) - GetRValue(want)) < 80 && std::abs(GetGValue(got) - GetGValue(want)) < 80 &&
         std::abs(GetBValue(got) - GetBValue(want)) < 80;
}

TEST_F(PictureBoxTest, StretchesAPictureOverTheWholeImage) {
  DecodedPicture picture{2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}};
  box.StretchPicture(picture);
  EXPECT_PRED2(Near, PixelOf(box.Image(), 2, 2), RGB(255, 0, 0));
  EXPECT_PRED2(Near, PixelOf(box.Image(), 97, 2), RGB(0, 255, 0));
  EXPECT_PRED2(Near, PixelOf(box.Image(), 2, 57), RGB(0, 0, 255));
  EXPECT_PRED2(Near, PixelOf(box.Image(), 97, 57), RGB(255, 255, 255));
  const COLORREF corner = PixelOf(box.Image(), 2, 2);
  box.StretchPicture(DecodedPicture{});  // an empty picture changes nothing
  EXPECT_EQ(PixelOf(box.Image(), 2, 2), corner);
}

TEST_F(PictureBoxTest, ShowsItsImageOnTheScreenAndAgainAfterBeingHidden) {
  FillRectOn(box.Dc(), {0, 0, 100, 60}, RGB(200, 40, 90));
  box.Refresh();
  ShowWindow(parent.get(), SW_SHOWNOACTIVATE);
  const auto screenPixel = [] {
    UpdateWindow(GetDesktopWindow());
    PumpPendingMessages();
    WindowDc screen(nullptr);
    return GetPixel(screen.get(), 150, 130);
  };
  UpdateWindow(parent.get());
  EXPECT_EQ(screenPixel(), RGB(200, 40, 90));
  ShowWindow(parent.get(), SW_HIDE);
  PumpPendingMessages();
  ShowWindow(parent.get(), SW_SHOWNOACTIVATE);
  UpdateWindow(parent.get());
  EXPECT_EQ(screenPixel(), RGB(200, 40, 90)) << "the image was not painted again";
}

TEST_F(PictureBoxTest, ReportsPressesReleasesAndDoubleClicksWithSignedCoordinates) {
  struct {
    UINT message;
    Event want;
  } const cases[] = {
      {WM_LBUTTONDOWN, {"down left", 3, 4}},   {WM_LBUTTONUP, {"up left", 3, 4}},
      {WM_RBUTTONDOWN, {"down right", 3, 4}},  {WM_RBUTTONUP, {"up right", 3, 4}},
      {WM_MBUTTONDOWN, {"down middle", 3, 4}}, {WM_MBUTTONUP, {"up middle", 3, 4}},
      {WM_LBUTTONDBLCLK, {"dblclick", 3, 4}},  {WM_RBUTTONDBLCLK, {"down right", 3, 4}},
      {WM_MBUTTONDBLCLK, {"down middle", 3, 4}},
  };
  for (const auto& c : cases) {
    recorder.events.clear();
    SendMessageW(box.Hwnd(), c.message, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(recorder.events, std::vector<Event>{c.want}) << c.want.what;
  }
  recorder.events.clear();
  SendMessageW(box.Hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(-7, -2));  // left of and above the box
  EXPECT_EQ(recorder.events, (std::vector<Event>{{"up right", -7, -2}}));
  recorder.events.clear();
  SendMessageW(box.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_TRUE(recorder.events.empty());
}

}  // namespace
}  // namespace qb
