// Off-screen images have a size limit: the calendar's drawing area grows with the font size from
// the settings, and an image of gigabytes cannot be drawn into safely (GDI addresses its rows with
// 32-bit offsets). Too large an image is refused, and the calendar then does not open.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "calendar/CalendarWindow.h"
#include "common/FileSystem.h"
#include "platform/PictureBox.h"
#include "settings/Settings.h"
#include "win/PictureTestSupport.h"

namespace qb {
namespace {

TEST(PictureSizeLimit, AnImageBeyondTheLimitIsRefusedAndTheOldOneStays) {
  OffscreenImage image;
  ASSERT_TRUE(image.Create(30, 20, RGB(1, 2, 3)));
  struct Case {
    int width, height;
  };
  // Each has more pixels than OffscreenImage::kMaxPixels; the first two exceed 2 GB of pixels.
  for (const Case c : {Case{32767, 32767}, Case{32767, 23554}, Case{8193, 8193}, Case{65536, 1025}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    EXPECT_FALSE(image.Create(c.width, c.height, RGB(4, 5, 6)));
    EXPECT_EQ(image.Width(), 30);
    EXPECT_EQ(image.Height(), 20);
    ASSERT_NE(image.Dc(), nullptr);
  }
  EXPECT_TRUE(image.Create(4096, 2048, RGB(4, 5, 6))) << "a screen-sized image is fine";
}

TEST(PictureSizeLimit, AHugeCalendarFontKeepsTheCalendarClosedInsteadOfCrashing) {
  test::TempFolder folder{L"qb-picture-size-limit"};
  UseSettingsFile(folder.File("Quorbell.ini"), SystemFileSystem());
  const HWND handleBefore = CalendarWindowHandle;
  for (const char* size : {"1500", "2000", "32767"}) {
    SCOPED_TRACE(size);
    ASSERT_TRUE(test::WriteBytes(folder.File("Quorbell.ini"), std::string("[CalFont]\r\nSize=") + size + "\r\n"));
    CalendarWindow calendar;
    EXPECT_FALSE(calendar.Load());
    EXPECT_EQ(calendar.Hwnd(), nullptr);
    EXPECT_EQ(CalendarWindowHandle, handleBefore);
  }
  UseSettingsFile("Quorbell.ini", SystemFileSystem());
}

}  // namespace
}  // namespace qb
