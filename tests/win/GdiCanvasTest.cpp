// The GDI canvas: bitmap files read back, pictures loaded through WIC, text drawn at the size
// asked for, fonts reused, and borrowed DCs handed back unchanged.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/Canvas.h"
#include "platform/GdiCanvas.h"
#include "platform/PictureFile.h"
#include "win/PictureTestSupport.h"

namespace qb {
namespace {

using test::Blue;
using test::Green;
using test::Red;

// Colours as the canvas takes them (0x00BBGGRR) and as pixels come back (0x00RRGGBB).
struct Swatch {
  Colour colour;
  std::uint32_t pixel;
};
const Swatch kRed{Rgb(255, 0, 0), 0xFF0000};
const Swatch kLime{Rgb(0, 255, 0), 0x00FF00};
const Swatch kBlue{Rgb(0, 0, 255), 0x0000FF};
const Swatch kOdd{Rgb(1, 2, 3), 0x010203};

TEST(GdiCanvas, SavedBitmapReadsBackWithPaddingAndColours) {
  test::TempFolder folder(L"qb-canvas-save");
  // Widths 1 to 5 give every row remainder; the quadrants catch swapped axes and flipped rows.
  for (int width = 1; width <= 5; ++width) {
    const int height = 4;
    GdiCanvas canvas(width, height);
    canvas.FillRect(0, 0, width, height, kOdd.colour);
    canvas.FillRect(0, 0, 1, 1, kRed.colour);                  // top left
    canvas.FillRect(width - 1, height - 1, 1, 1, kBlue.colour);  // bottom right
    canvas.FillRect(0, height - 1, 1, 1, kLime.colour);          // bottom left
    const std::string path = folder.File("save" + std::to_string(width) + ".bmp");
    ASSERT_TRUE(canvas.SavePicture(path));
    const auto bytes = test::ReadBytes(path);
    ASSERT_TRUE(bytes);
    const auto bmp = test::ParseBmp24(*bytes);
    ASSERT_TRUE(bmp);
    SCOPED_TRACE(width);
    EXPECT_EQ(bmp->width, width);
    EXPECT_EQ(bmp->height, height);
    EXPECT_EQ(bmp->At(0, 0), kRed.pixel);
    EXPECT_EQ(bmp->At(0, height - 1), kLime.pixel);
    if (width > 1) {
      EXPECT_EQ(bmp->At(width - 1, height - 1), kBlue.pixel);
      EXPECT_EQ(bmp->At(width - 1, 0), kOdd.pixel);
    }
    EXPECT_EQ(bmp->At(0, 1), kOdd.pixel);
  }
}

TEST(GdiCanvas, SaveReplacesAWholeFileAndFailsInAMissingFolder) {
  test::TempFolder folder(L"qb-canvas-replace");
  const std::string path = folder.File("Quorbell.bmp");
  ASSERT_TRUE(test::WriteBytes(path, std::string(100000, 'x')));
  GdiCanvas canvas(3, 2);
  ASSERT_TRUE(canvas.SavePicture(path));
  EXPECT_EQ(test::ReadBytes(path)->size(), 54u + 2 * 12u);
  EXPECT_FALSE(canvas.SavePicture(folder.File("no-such-folder\\x.bmp")));

  // A canvas over someone else's DC has no picture of its own to save or replace.
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  GdiCanvas borrowed(dc.get(), 10, 10);
  EXPECT_FALSE(borrowed.SavePicture(folder.File("borrowed.bmp")));
  EXPECT_FALSE(borrowed.LoadPicture(path));
  EXPECT_FALSE(test::ReadBytes(folder.File("borrowed.bmp")));
}

TEST(GdiCanvas, LoadsGifJpegAndBmpAndTakesTheirSize) {
  test::TempFolder folder(L"qb-canvas-load");
  const std::uint32_t palette[4] = {0x000000, 0xFF0000, 0x0000FF, 0x00FF00};
  std::vector<std::uint8_t> indexes;
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) indexes.push_back(y == 5 ? 3 : (x < 4 ? 1 : 2));
  }
  const std::string gif = folder.File("left-red.gif");
  ASSERT_TRUE(test::WriteBytes(gif, test::MakeGif(8, 6, palette, indexes)));
  const std::string jpeg = folder.File("green.jpg");
  ASSERT_TRUE(test::WriteSolidJpeg(jpeg, 40, 30, 0x20C040));

  GdiCanvas canvas(100, 100);
  ASSERT_TRUE(canvas.LoadPicture(gif));
  EXPECT_EQ(canvas.Width(), 8);
  EXPECT_EQ(canvas.Height(), 6);
  GdiFlush();
  EXPECT_EQ(canvas.pixels()[0] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(canvas.pixels()[7] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(canvas.pixels()[5 * 8] & 0xFFFFFF, 0x00FF00u);  // last row: rows not flipped

  // A bitmap written by the canvas loads back the same.
  const std::string bmpPath = folder.File("round.bmp");
  ASSERT_TRUE(canvas.SavePicture(bmpPath));
  GdiCanvas again(1, 1);
  ASSERT_TRUE(again.LoadPicture(bmpPath));
  ASSERT_EQ(again.Width(), 8);
  for (int i = 0; i < 48; ++i) EXPECT_EQ(again.pixels()[i] & 0xFFFFFF, canvas.pixels()[i] & 0xFFFFFF) << i;

  ASSERT_TRUE(canvas.LoadPicture(jpeg));
  EXPECT_EQ(canvas.Width(), 40);
  EXPECT_EQ(canvas.Height(), 30);
  const std::uint32_t middle = canvas.pixels()[15 * 40 + 20];
  EXPECT_NEAR(Red(middle), 0x20, 8);
  EXPECT_NEAR(Green(middle), 0xC0, 8);
  EXPECT_NEAR(Blue(middle), 0x40, 8);
  // Text drawn after loading lands on the loaded picture and is saved with it.
  canvas.FillRect(0, 0, 2, 2, kRed.colour);
  ASSERT_TRUE(canvas.SavePicture(bmpPath));
  const auto bmp = test::ParseBmp24(*test::ReadBytes(bmpPath));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, 40);
  EXPECT_EQ(bmp->At(1, 1), kRed.pixel);
  EXPECT_NEAR(Green(bmp->At(20, 15)), 0xC0, 8);
}

TEST(GdiCanvas, PictureThatCannotBeLoadedLeavesTheCanvasAsItWas) {
  test::TempFolder folder(L"qb-canvas-bad");
  const std::string notPicture = folder.File("text.jpg");
  ASSERT_TRUE(test::WriteBytes(notPicture, "this is no picture"));
  const std::string truncated = folder.File("cut.gif");
  const std::uint32_t palette[4] = {0, 0xFFFFFF, 0, 0};
  const std::string gif = test::MakeGif(4, 4, palette, std::vector<std::uint8_t>(16, 1));
  ASSERT_TRUE(test::WriteBytes(truncated, gif.substr(0, 20)));

  GdiCanvas canvas(30, 20);
  canvas.FillRect(0, 0, 30, 20, kLime.colour);
  for (const std::string& path : {folder.File("missing.bmp"), notPicture, truncated, std::string()}) {
    EXPECT_FALSE(canvas.LoadPicture(path)) << path;
    EXPECT_EQ(canvas.Width(), 30);
    EXPECT_EQ(canvas.Height(), 20);
    GdiFlush();
    EXPECT_EQ(canvas.pixels()[10 * 30 + 10] & 0xFFFFFF, kLime.pixel);
  }
  EXPECT_FALSE(DecodePictureFile(notPicture));
}

// Height in pixels of the rows that hold any pixel of the colour.
int InkHeight(const GdiCanvas& canvas, int x0, int x1, std::uint32_t pixel) {
  int top = -1;
  int bottom = -1;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = x0; x < x1; ++x) {
      if ((canvas.pixels()[y * canvas.Width() + x] & 0xFFFFFF) == pixel) {
        if (top < 0) top = y;
        bottom = y;
      }
    }
  }
  return top < 0 ? 0 : bottom - top + 1;
}

TEST(GdiCanvas, TextSizeFollowsPointsAndColourIsExact) {
  GdiCanvas canvas(300, 120);
  const CanvasFont small{"", 10, false, false};
  const CanvasFont large{"", 20, false, false};
  const CanvasFont half{"", 15, false, false};
  canvas.DrawText(5, 5, "8", kRed.colour, small);
  canvas.DrawText(100, 5, "8", kRed.colour, large);
  canvas.DrawText(200, 5, "8", kRed.colour, half);
  GdiFlush();
  const int h10 = InkHeight(canvas, 0, 90, kRed.pixel);
  const int h20 = InkHeight(canvas, 95, 190, kRed.pixel);
  const int h15 = InkHeight(canvas, 195, 300, kRed.pixel);
  ASSERT_GT(h10, 3) << "no text drawn";
  EXPECT_NEAR(static_cast<double>(h20) / h10, 2.0, 0.35);
  EXPECT_GT(h15, h10);
  EXPECT_LT(h15, h20);
}

TEST(GdiCanvas, FontsAreMadeOncePerStyle) {
  GdiCanvas canvas(50, 50);
  const CanvasFont a{"", 10, true, true};
  const CanvasFont b{"", 15, true, true};
  canvas.DrawText(0, 0, "1", kRed.colour, a);
  const HGDIOBJ first = GetCurrentObject(canvas.dc(), OBJ_FONT);
  canvas.DrawText(0, 0, "2", kRed.colour, b);
  const HGDIOBJ second = GetCurrentObject(canvas.dc(), OBJ_FONT);
  canvas.DrawText(0, 0, "3", kRed.colour, a);
  EXPECT_NE(first, second);
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), first);
  LOGFONTW logFont{};
  ASSERT_NE(GetObjectW(second, sizeof logFont, &logFont), 0);
  EXPECT_EQ(logFont.lfHeight, -MulDiv(15, GetDeviceCaps(canvas.dc(), LOGPIXELSY), 72));
  EXPECT_EQ(logFont.lfWeight, FW_BOLD);
  EXPECT_TRUE(logFont.lfItalic);
  EXPECT_STREQ(logFont.lfFaceName, GdiCanvas::kDefaultFace);
}

TEST(GdiCanvas, PointsBecomePixelsAtTheDpiTheCanvasIsTold) {
  GdiCanvas canvas(50, 50);
  const CanvasFont font{"", 15, false, false};
  for (const int dpi : {144, 96, 120}) {
    canvas.SetFontDpi(dpi);
    canvas.DrawText(0, 0, "1", kRed.colour, font);
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof logFont, &logFont), 0);
    EXPECT_EQ(logFont.lfHeight, -MulDiv(15, dpi, 72)) << dpi << " dpi";
  }
}

TEST(GdiCanvas, BorrowedDcGetsItsFontAndColoursBack) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  std::uint32_t* bits = nullptr;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
  ASSERT_TRUE(bitmap);
  SelectGuard select(dc.get(), bitmap.get());
  SetTextColor(dc.get(), RGB(1, 2, 3));
  SetBkMode(dc.get(), OPAQUE);
  const HGDIOBJ font = GetCurrentObject(dc.get(), OBJ_FONT);
  {
    GdiCanvas canvas(dc.get(), 40, 20);
    canvas.FillRect(0, 0, 40, 20, kBlue.colour);
    canvas.DrawText(2, 2, "日本", kRed.colour, CanvasFont{"", 12, true, false});
    EXPECT_EQ(canvas.pixels(), nullptr);
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font);
  EXPECT_EQ(GetTextColor(dc.get()), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(dc.get()), OPAQUE);
  GdiFlush();
  EXPECT_EQ(bits[19 * 40 + 39] & 0xFFFFFF, 0x0000FFu);  // the fill reached the caller's bitmap
}

}  // namespace
}  // namespace qb
